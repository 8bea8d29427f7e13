#include "sysinfo/sysinfo.h"

namespace qx::sysinfo {

void GatherSystemInformation(const SystemServices& services, const std::string& installDir, CReportRecord& record)
{
    FormatWindowsVersion(services, record.m_strWindowsVersion);
    CollectDll16(services, installDir, record);
    CollectModules32(services, record);
    ListProductFiles(services, installDir, "*.exe", record.m_strExeOnDisk);
    ListProductFiles(services, installDir, "*.dll", record.m_strDllOnDisk);
    LoadProductCodes(record);
}

} // namespace qx::sysinfo
