#pragma once

// ProcessSource over the /proc file system: per process, its executable
// (the "exe" link) first, then every file mapped at file offset 0 ("maps"),
// in address order, the executable's own mapping left out.

#include "platform/process_source.h"

#include <string>
#include <string_view>
#include <vector>

namespace qx::platform {

class ProcProcessSource final : public ProcessSource {
public:
    // `root` stands for "/proc" (tests give a tree of their own).
    explicit ProcProcessSource(std::string root = "/proc") : m_root(std::move(root)) {}

    // The numeric entries of the root, in directory order.
    std::optional<std::vector<ProcessId>> ListProcesses() override;

    // Nothing when "maps" cannot be read (the process has ended, belongs to
    // another user); an executable whose link cannot be read has an empty path.
    std::optional<std::vector<LoadedModule>> ReadModules(ProcessId process) override;

private:
    std::string m_root;
};

// The paths of the file-backed mappings at offset 0 of a "maps" text, in order.
std::vector<std::string> MappedFilesAtOffsetZero(std::string_view maps);

// The target of a symbolic link; empty when it cannot be read.
std::string ReadLink(const std::string& path);

// The path of the running program's own executable.
std::string OwnExecutablePath();

} // namespace qx::platform
