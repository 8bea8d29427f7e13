#pragma once

// ProgramRunner with posix_spawn: the program runs in a process group of its
// own, so that at the time limit it is killed with everything it started.
// Windows programs run through "wine": WINELOADER when it names an
// executable file, else "wine" found on PATH.

#include "platform/program_runner.h"

namespace qx::platform {

class PosixProgramRunner final : public ProgramRunner {
public:
    RunResult Run(const std::string& program, const std::vector<std::string>& argv,
                  std::chrono::milliseconds limit) override;
    RunResult RunWindowsProgram(const std::string& program, const std::vector<std::string>& argv,
                                const std::optional<std::string>& winePrefix,
                                std::chrono::milliseconds limit) override;
};

// The Wine loader to start: `wineLoader` when it names an executable file,
// else the first executable "wine" in the ":"-separated `path`; nothing when
// there is none.
std::optional<std::string> FindWineLoader(const char* wineLoader, const char* path);

} // namespace qx::platform
