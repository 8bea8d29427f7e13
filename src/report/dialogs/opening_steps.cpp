#include "report/dialogs/opening_steps.h"

namespace qx::report {

void SysinfoOpeningSteps::FormatWindowsVersion(std::string& text)
{
    sysinfo::FormatWindowsVersion(m_services, text);
}

void SysinfoOpeningSteps::CollectDll16(const std::string& installDir, CReportRecord& record)
{
    sysinfo::CollectDll16(m_services, installDir, record);
}

void SysinfoOpeningSteps::CollectModules32(CReportRecord& record)
{
    sysinfo::CollectModules32(m_services, record);
}

void SysinfoOpeningSteps::ListProductFiles(const std::string& directory, const std::string& mask, std::string& out)
{
    sysinfo::ListProductFiles(m_services, directory, mask, out);
}

void SysinfoOpeningSteps::LoadProductCodes(CReportRecord& record)
{
    sysinfo::LoadProductCodes(record);
}

} // namespace qx::report
