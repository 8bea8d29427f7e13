#pragma once

// The snapshot of running processes that loaded a file of the Orvane
// environment ("QX" names), with their modules, versions and counts.

#include "platform/process_source.h"
#include "sysinfo/system_services.h"
#include "sysinfo/version_lookup.h"

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

namespace qx::sysinfo {

// One module of one process.
class CModuleEntry {
public:
    std::string m_strPath;
    std::string m_strVersion; // empty when the file has none
    int m_nInstances = 1;     // how often this exact path occurred in the process
};

// One kept process: its executable (the inherited fields, one instance) and
// its other modules.
class CProcessEntry : public CModuleEntry {
public:
    // Counts `path` once more, or adds it with the version of `file` (where
    // its file is read, platform::FileOf).
    void AddModule(const std::string& path, const std::string& file, VersionLookup& versions);

    // Modules by path without regard to ASCII case; the index is not kept up.
    void SortModules();

    // Room for `count` modules, so that adding them moves nothing.
    void ReserveModules(std::size_t count);

    std::unordered_map<std::string, std::size_t> m_mapIndex; // exact path to position in m_arrModules
    std::vector<CModuleEntry> m_arrModules;
};

class CModuleList {
public:
    explicit CModuleList(platform::FileReader& files) : m_versions(files) {}

    // Fills the list from `source` by the rules of `provider`; true when the
    // processes could be enumerated (even if none was kept).
    bool Enumerate(platform::ProcessSource& source, Provider provider);

    // Appends a process entry for the executable `path`, with the version of
    // `file` (the path itself when empty), never merged with an existing one;
    // returns its index.
    std::size_t AddProcess(const std::string& path, const std::string& file = {});

    std::vector<CProcessEntry> m_arrProcesses; // in the platform's order

private:
    void AddNtProcess(const std::vector<platform::LoadedModule>& modules);
    void Add95Process(const std::vector<platform::LoadedModule>& modules);
    void KeepLastIf(bool product);

    VersionLookup m_versions;
};

} // namespace qx::sysinfo
