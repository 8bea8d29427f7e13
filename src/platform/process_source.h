#pragma once

// Running processes and the modules each has loaded, in the platform's order.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qx::platform {

using ProcessId = std::uint32_t;

struct LoadedModule {
    // The module's file name as the platform names the module.
    std::string name;
    // Its full path as the report names it; empty when the platform could
    // not give it.
    std::string path;
    // Where this program reads the module's file when that is not `path`
    // (a process in another mount namespace, a path written as a Windows
    // program sees it); empty otherwise.
    std::string file = {};
};

// The file to read for a module.
inline const std::string& FileOf(const LoadedModule& module)
{
    return module.file.empty() ? module.path : module.file;
}

class ProcessSource {
public:
    virtual ~ProcessSource() = default;

    // The running processes in the platform's order; nothing when they cannot
    // be enumerated at all.
    virtual std::optional<std::vector<ProcessId>> ListProcesses() = 0;

    // The modules of one process, in the platform's order; nothing when the
    // process cannot be opened, has ended, or its modules cannot be read.
    virtual std::optional<std::vector<LoadedModule>> ReadModules(ProcessId process) = 0;

    // The Wine prefix a process runs in, when it is a Windows program run by
    // Wine; nothing for any other process, or when that cannot be read.
    virtual std::optional<std::string> WinePrefixOf(ProcessId process) = 0;
};

} // namespace qx::platform
