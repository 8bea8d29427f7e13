#pragma once

// A ProcessSource that gives the processes and modules a test sets up.

#include "platform/process_source.h"

#include <map>

namespace qx::test {

class FakeProcessSource final : public platform::ProcessSource {
public:
    bool enumerationFails = false;
    std::vector<platform::ProcessId> order;
    // A process without modules here cannot be opened.
    std::map<platform::ProcessId, std::vector<platform::LoadedModule>> modules;
    // The processes that run under Wine, and their prefixes.
    std::map<platform::ProcessId, std::string> winePrefixes;

    // Adds a process whose modules are the given paths, named by their file name part.
    void AddProcess(platform::ProcessId id, const std::vector<std::string>& paths)
    {
        order.push_back(id);
        auto& list = modules[id];
        for (const std::string& path : paths) list.push_back({path.substr(path.rfind('/') + 1), path});
    }

    std::optional<std::vector<platform::ProcessId>> ListProcesses() override
    {
        if (enumerationFails) return std::nullopt;
        return order;
    }

    std::optional<std::vector<platform::LoadedModule>> ReadModules(platform::ProcessId id) override
    {
        const auto it = modules.find(id);
        if (it == modules.end()) return std::nullopt;
        return it->second;
    }

    std::optional<std::string> WinePrefixOf(platform::ProcessId id) override
    {
        const auto it = winePrefixes.find(id);
        if (it == winePrefixes.end()) return std::nullopt;
        return it->second;
    }
};

} // namespace qx::test
