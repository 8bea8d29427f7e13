#include "report/dialogs/opening_steps.h"

namespace qx::report {

void LocalOpeningSteps::FormatWindowsVersion(std::string& text)
{
    sysinfo::FormatWindowsVersion(m_system.Services(), text);
}

void LocalOpeningSteps::CollectDll16(const std::string& installDir, CReportRecord& record)
{
    sysinfo::CollectDll16(m_system.Services(), installDir, record);
}

void LocalOpeningSteps::CollectModules32(CReportRecord& record)
{
    sysinfo::CollectModules32(m_system.Services(), record);
}

void LocalOpeningSteps::ListProductFiles(const std::string& directory, const std::string& mask, std::string& out)
{
    sysinfo::ListProductFiles(m_system.Services(), directory, mask, out);
}

void LocalOpeningSteps::LoadProductCodes(CReportRecord& record)
{
    sysinfo::LoadProductCodes(record);
}

} // namespace qx::report
