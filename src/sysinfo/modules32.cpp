// The 32-bit modules step: the snapshot written in its two forms.
#include "sysinfo/sysinfo.h"

#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "sysinfo/file_names.h"
#include "sysinfo/module_list.h"
#include "text/ascii_case.h"
#include "text/cp1252.h"

#include <algorithm>

namespace qx::sysinfo {

namespace {

constexpr const char* kLineEnd = "\r\n";
constexpr std::size_t kVersionWidth = 15;
constexpr std::size_t kProcessPathWidth = 55;
constexpr std::size_t kModulePathWidth = 51;
constexpr const char* kModuleIndent = "    ";

// Paths come from the file system; the report holds Windows-1252. The lines
// are appended in place: the texts reach megabytes on a busy machine.
void AppendPath(std::string& out, const std::string& path)
{
    const bool ascii = std::all_of(path.begin(), path.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii)
        out += path;
    else
        out += text::Utf8ToCp1252(path);
}

void PadFrom(std::string& out, std::size_t start, std::size_t width)
{
    if (out.size() < start + width) out.append(start + width - out.size(), ' ');
}

// "%-15s x%d\r\n": the version column and the count.
void AppendVersionAndCount(std::string& out, const CModuleEntry& entry)
{
    const std::size_t start = out.size();
    out += entry.m_strVersion;
    PadFrom(out, start, kVersionWidth);
    out += " x";
    out += std::to_string(entry.m_nInstances);
    out += kLineEnd;
}

// "%s\r\n%-15s x%d\r\n"
void AppendDialogLines(std::string& out, const CModuleEntry& entry)
{
    AppendPath(out, entry.m_strPath);
    out += kLineEnd;
    AppendVersionAndCount(out, entry);
}

// "%-55s %-15s x%d\r\n" for a process, "    %-51s %-15s x%d\r\n" for a module.
void AppendColumnLine(std::string& out, const CModuleEntry& entry, const char* indent, std::size_t pathWidth)
{
    out += indent;
    const std::size_t start = out.size();
    AppendPath(out, entry.m_strPath);
    PadFrom(out, start, pathWidth);
    out += ' ';
    AppendVersionAndCount(out, entry);
}

// Room for both forms of every entry, so that the texts grow once.
std::size_t WrittenSizeEstimate(const CModuleList& list)
{
    constexpr std::size_t kLineOverhead = kProcessPathWidth + kVersionWidth + 16;
    std::size_t size = 0;
    for (const CProcessEntry& process : list.m_arrProcesses) {
        size += process.m_strPath.size() + process.m_strVersion.size() + kLineOverhead;
        for (const CModuleEntry& module : process.m_arrModules)
            size += module.m_strPath.size() + module.m_strVersion.size() + kLineOverhead;
    }
    return size;
}

} // namespace

void CollectModules32(const SystemServices& services, CReportRecord& record)
{
    record.m_strModules32.clear();
    CModuleList list(services.moduleFiles);
    list.Enumerate(services.processes, services.provider);

    const std::size_t estimate = WrittenSizeEstimate(list);
    record.m_strModules32.reserve(estimate);
    record.m_strLoadedDlls.reserve(record.m_strLoadedDlls.size() + estimate);
    record.m_strLoadedDlls += kLineEnd + LoadResString(res::kLabelModules32) + kLineEnd;
    for (const CProcessEntry& process : list.m_arrProcesses) {
        if (text::EqualIgnoringAsciiCase(ModuleFileName(process.m_strPath), services.ownExecutableName)) continue;
        AppendDialogLines(record.m_strLoadedDlls, process);
        AppendColumnLine(record.m_strModules32, process, "", kProcessPathWidth);
        for (const CModuleEntry& module : process.m_arrModules) {
            AppendDialogLines(record.m_strLoadedDlls, module);
            AppendColumnLine(record.m_strModules32, module, kModuleIndent, kModulePathWidth);
        }
    }
    if (record.m_strModules32.empty()) record.m_strLoadedDlls += LoadResString(res::kNoModule);
}

} // namespace qx::sysinfo
