#pragma once

// Starting a separate program and waiting for it to end.

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace qx::platform {

enum class RunOutcome {
    Exited,     // the program ended by itself; see exitStatus
    NotStarted, // it could not be started (missing, not executable)
    Signalled,  // it was ended by a signal
    TimedOut,   // it was still running at the limit and has been killed
};

struct RunResult {
    RunOutcome outcome = RunOutcome::NotStarted;
    int exitStatus = -1; // meaningful for Exited only
};

class ProgramRunner {
public:
    virtual ~ProgramRunner() = default;

    // Starts `program` with the argument vector `argv` (argv[0] included; no
    // shell is involved) and waits for it to end, at most `limit`; a program
    // still running then is killed together with the processes it started.
    virtual RunResult Run(const std::string& program, const std::vector<std::string>& argv,
                          std::chrono::milliseconds limit) = 0;

    // Runs the Windows program `program` (a PE file) as Run does, through
    // Wine: Wine's loader is given `program` and the arguments after argv[0],
    // in the Wine prefix `winePrefix` (Wine's own choice when there is none).
    // NotStarted when Wine cannot be found.
    virtual RunResult RunWindowsProgram(const std::string& program, const std::vector<std::string>& argv,
                                        const std::optional<std::string>& winePrefix,
                                        std::chrono::milliseconds limit) = 0;
};

} // namespace qx::platform
