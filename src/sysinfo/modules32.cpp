// The 32-bit modules step: the snapshot written in its two forms.
#include "sysinfo/sysinfo.h"

#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "sysinfo/file_names.h"
#include "sysinfo/module_list.h"
#include "sysinfo/text_columns.h"
#include "text/cp1252.h"

namespace qx::sysinfo {

namespace {

constexpr const char* kLineEnd = "\r\n";
constexpr std::size_t kVersionWidth = 15;
constexpr std::size_t kProcessPathWidth = 55;
constexpr std::size_t kModulePathWidth = 51;
constexpr const char* kModuleIndent = "    ";

// Paths come from the file system; the report holds Windows-1252.
std::string PathText(const std::string& path)
{
    return text::Utf8ToCp1252(path);
}

std::string Count(int instances)
{
    return " x" + std::to_string(instances) + kLineEnd;
}

// "%s\r\n%-15s x%d\r\n"
std::string DialogLines(const CModuleEntry& entry)
{
    return PathText(entry.m_strPath) + kLineEnd + PadRight(entry.m_strVersion, kVersionWidth) + Count(entry.m_nInstances);
}

// "%-55s %-15s x%d\r\n" for a process, "    %-51s %-15s x%d\r\n" for a module.
std::string ColumnLine(const CModuleEntry& entry, const char* indent, std::size_t pathWidth)
{
    return indent + PadRight(PathText(entry.m_strPath), pathWidth) + " " + PadRight(entry.m_strVersion, kVersionWidth) +
           Count(entry.m_nInstances);
}

} // namespace

void CollectModules32(const SystemServices& services, CReportRecord& record)
{
    record.m_strModules32.clear();
    CModuleList list(services.files);
    list.Enumerate(services.processes, services.provider);

    record.m_strLoadedDlls += kLineEnd + LoadResString(res::kLabelModules32) + kLineEnd;
    for (const CProcessEntry& process : list.m_arrProcesses) {
        if (EqualNoCase(FileNamePart(process.m_strPath), services.ownExecutableName)) continue;
        record.m_strLoadedDlls += DialogLines(process);
        record.m_strModules32 += ColumnLine(process, "", kProcessPathWidth);
        for (const CModuleEntry& module : process.m_arrModules) {
            record.m_strLoadedDlls += DialogLines(module);
            record.m_strModules32 += ColumnLine(module, kModuleIndent, kModulePathWidth);
        }
    }
    if (record.m_strModules32.empty()) record.m_strLoadedDlls += LoadResString(res::kNoModule);
}

} // namespace qx::sysinfo
