#pragma once

// ProgramRunner with posix_spawn: the program runs in a process group of its
// own, so that at the time limit it is killed with everything it started.

#include "platform/program_runner.h"

namespace qx::platform {

class PosixProgramRunner final : public ProgramRunner {
public:
    RunResult Run(const std::string& program, const std::vector<std::string>& argv,
                  std::chrono::milliseconds limit) override;
};

} // namespace qx::platform
