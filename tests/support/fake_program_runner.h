#pragma once

// A ProgramRunner that records what it was asked to start and stands for the
// program: `action` runs with the argument vector, then `result` is returned.

#include "platform/program_runner.h"

#include <functional>

namespace qx::test {

class FakeProgramRunner final : public platform::ProgramRunner {
public:
    platform::RunResult result{platform::RunOutcome::Exited, 0};
    std::function<void(const std::vector<std::string>& argv)> action;

    struct Call {
        std::string program;
        std::vector<std::string> argv;
        std::chrono::milliseconds limit;
        bool throughWine = false;
        std::optional<std::string> winePrefix = {};
    };
    std::vector<Call> calls;

    platform::RunResult Run(const std::string& program, const std::vector<std::string>& argv,
                            std::chrono::milliseconds limit) override
    {
        calls.push_back({program, argv, limit});
        if (action) action(argv);
        return result;
    }

    platform::RunResult RunWindowsProgram(const std::string& program, const std::vector<std::string>& argv,
                                          const std::optional<std::string>& winePrefix,
                                          std::chrono::milliseconds limit) override
    {
        calls.push_back({program, argv, limit, true, winePrefix});
        if (action) action(argv);
        return result;
    }
};

} // namespace qx::test
