#include "sysinfo/module_list.h"

#include "sysinfo/file_names.h"
#include "text/ascii_case.h"

#include <algorithm>

namespace qx::sysinfo {

void CProcessEntry::AddModule(const std::string& path, const std::string& file, VersionLookup& versions)
{
    const auto known = m_mapIndex.find(path);
    if (known != m_mapIndex.end()) {
        ++m_arrModules[known->second].m_nInstances;
        return;
    }
    m_arrModules.push_back({path, versions.VersionOf(file), 1});
    m_mapIndex.emplace(path, m_arrModules.size() - 1);
}

void CProcessEntry::SortModules()
{
    // Paths are unique here; names that differ only in case may come in any order.
    std::sort(m_arrModules.begin(), m_arrModules.end(), [](const CModuleEntry& a, const CModuleEntry& b) {
        return text::CompareIgnoringAsciiCase(a.m_strPath, b.m_strPath) < 0;
    });
}

void CProcessEntry::ReserveModules(std::size_t count)
{
    m_arrModules.reserve(count);
    m_mapIndex.reserve(count);
}

std::size_t CModuleList::AddProcess(const std::string& path, const std::string& file)
{
    CProcessEntry entry;
    entry.m_strPath = path;
    entry.m_strVersion = m_versions.VersionOf(file.empty() ? path : file);
    m_arrProcesses.push_back(std::move(entry));
    return m_arrProcesses.size() - 1;
}

bool CModuleList::Enumerate(platform::ProcessSource& source, Provider provider)
{
    const auto processes = source.ListProcesses();
    if (!processes) return false;
    for (const platform::ProcessId process : *processes) {
        const auto modules = source.ReadModules(process);
        if (!modules) continue;
        if (provider == Provider::Nt)
            AddNtProcess(*modules);
        else
            Add95Process(*modules);
    }
    return true;
}

// The first module is the executable whatever its name; the prefix is tested
// on the file name part of each path that could be read.
void CModuleList::AddNtProcess(const std::vector<platform::LoadedModule>& modules)
{
    if (modules.empty() || modules.front().path.empty()) return;
    const std::size_t index = AddProcess(modules.front().path, platform::FileOf(modules.front()));
    m_arrProcesses[index].ReserveModules(modules.size() - 1);
    bool product = IsProductFileName(ModuleFileName(modules.front().path));
    for (std::size_t i = 1; i < modules.size(); ++i) {
        const std::string& path = modules[i].path;
        if (path.empty()) continue;
        m_arrProcesses[index].AddModule(path, platform::FileOf(modules[i]), m_versions);
        product = product || IsProductFileName(ModuleFileName(path));
    }
    KeepLastIf(product);
}

// The first ".EXE" module is the executable and ".EXE" modules are never
// listed; the prefix is tested on the platform's module names.
void CModuleList::Add95Process(const std::vector<platform::LoadedModule>& modules)
{
    // First pass: up to the executable, noting a product name on the way.
    bool product = false;
    const platform::LoadedModule* exe = nullptr;
    for (const platform::LoadedModule& m : modules) {
        product = product || IsProductFileName(m.name);
        if (IsExeName(m.name)) {
            exe = &m;
            break;
        }
    }
    if (!exe) return;
    const std::size_t index = AddProcess(exe->path, platform::FileOf(*exe));
    m_arrProcesses[index].ReserveModules(modules.size());
    // Second pass: every module that is no executable.
    for (const platform::LoadedModule& m : modules) {
        if (IsExeName(m.name)) continue;
        m_arrProcesses[index].AddModule(m.path, platform::FileOf(m), m_versions);
        product = product || IsProductFileName(m.name);
    }
    KeepLastIf(product);
}

void CModuleList::KeepLastIf(bool product)
{
    if (product)
        m_arrProcesses.back().SortModules();
    else
        m_arrProcesses.pop_back();
}

} // namespace qx::sysinfo
