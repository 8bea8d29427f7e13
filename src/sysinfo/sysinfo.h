#pragma once

// The system information that the report dialog gathers while it opens, one
// function per step, declared in the order the dialog calls them:
//
//   FormatWindowsVersion  -> m_strWindowsVersion
//   CollectDll16          -> m_strDll16, m_strLoadedDlls (set)
//   CollectModules32      -> m_strModules32, m_strLoadedDlls (appended)
//   ListProductFiles      -> m_strExeOnDisk ("*.exe"), m_strDllOnDisk ("*.dll")
//   (the identity is loaded here by the dialog)
//   LoadProductCodes      -> m_mapProductCodes
//
// Every step works over the platform services of a SystemServices; for the
// real machine they come from platform/posix/local_system_services.h.
// The steps show nothing and never fail: a step that cannot gather its data
// leaves its text empty or writes "Aucun"/"Aucune", as the report expects.
// Texts written into the record are Windows-1252; paths given to the steps
// (installDir, directories) are file-system paths as the system names them.

#include "report/report_record.h"
#include "sysinfo/system_services.h"

#include <string>

namespace qx::sysinfo {

// The Windows version line: "%s %d.%d.%d %s" (platform name, major, minor,
// build, service-pack text). Left unchanged when the version query fails.
void FormatWindowsVersion(const SystemServices& services, std::string& text);

// The 16-bit DLL list from "lstdll16.exe" in `installDir` (a directory ending
// with exactly one "/"). Sets m_strDll16 to the list, the start-failure text or
// "Aucune", and m_strLoadedDlls to the heading line followed by m_strDll16.
// Blocks until the helper ends, at most 60 seconds (then it is killed). A
// helper that is a Windows program ("MZ") runs through Wine, in the prefix of
// the running environment (a process run by Wine that loaded a "QX" file, one
// whose prefix holds `installDir` first), else in Wine's default prefix.
void CollectDll16(const SystemServices& services, const std::string& installDir, CReportRecord& record);

// The 32-bit modules of every process that loaded a "QX" file, the program's
// own process left out: m_strModules32 in column form, and the two-line form
// appended to m_strLoadedDlls after the "Modules 32 bits chargés :" heading
// ("Aucun" after it when no process was written).
void CollectModules32(const SystemServices& services, CReportRecord& record);

// Appends "NAME VERSION\r\n" to `out` for every file of `directory` matching
// `mask` ("*.exe", "*.dll") that carries a version: the name upper-cased, the
// version cut to 5 characters. Never clears `out`. The directory may end with
// "/" or not.
void ListProductFiles(const SystemServices& services, const std::string& directory, const std::string& mask,
                      std::string& out);

// Fills m_mapProductCodes from the product file table (166 names).
void LoadProductCodes(CReportRecord& record);

// All of the above in the dialog's order, for callers without a progress
// window (qxr, benchmarks): the version, the 16-bit list, the modules, the
// EXE and DLL lists of `installDir`, the product codes.
void GatherSystemInformation(const SystemServices& services, const std::string& installDir, CReportRecord& record);

} // namespace qx::sysinfo
