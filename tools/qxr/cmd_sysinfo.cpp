// qxr sysinfo INSTALLDIR: the system information a report would hold, in UTF-8.
#include "command.h"
#include "exit_codes.h"
#include "standard_output.h"

#include "qxr_report/file_problem.h"

#include "platform/posix/local_system_services.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "sysinfo/sysinfo.h"
#include "text/cp1252.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

constexpr const char* kLineEnd = "\r\n";

const char kUsage[] =
    "Usage : qxr sysinfo INSTALLDIR\n\n"
    "Rassemble les informations système comme le fait le dialogue de rapport, pour\n"
    "l'environnement Orvane installé dans INSTALLDIR, et les affiche en UTF-8 telles\n"
    "que le texte du rapport les contient (fins de ligne \"\\r\\n\") : la ligne de\n"
    "version, les DLL 16 bits (listées par INSTALLDIR/lstdll16.exe, lancé par wine\n"
    "quand c'est un programme Windows, arrêté après 60 secondes), les modules 32\n"
    "bits des processus qui utilisent l'environnement (sous Wine, le programme\n"
    "Windows et ses images PE),\n"
    "puis les EXE et les DLL d'INSTALLDIR qui portent une version. Quand INSTALLDIR\n"
    "n'est pas un dossier, les informations sont affichées quand même, sans liste\n"
    "sur disque, et le code de sortie est 66.\n";

// The installation directory as the report dialog has it: exactly one "/" at the end.
std::string InstallDir(std::string path)
{
    while (path.size() > 1 && path.ends_with('/')) path.pop_back();
    return path.ends_with('/') ? path : path + "/";
}

// The sections in the report text's order, with its labels and line ends.
std::string SystemSections(const CReportRecord& r)
{
    using namespace qx::res;
    return LoadResString(kLabelWindowsVersion) + r.m_strWindowsVersion + kLineEnd + kLineEnd +
           LoadResString(kLabelDll16) + kLineEnd + r.m_strDll16 + kLineEnd + LoadResString(kLabelModules32) +
           kLineEnd + r.m_strModules32 + kLineEnd + LoadResString(kLabelExeOnDisk) + kLineEnd + r.m_strExeOnDisk +
           kLineEnd + LoadResString(kLabelDllOnDisk) + kLineEnd + r.m_strDllOnDisk;
}

int RunSysinfo(const std::vector<std::string>& args)
{
    if (args.size() != 1 || args[0].empty()) return qxr::WrongArguments(kUsage);
    const std::string installDir = InstallDir(args[0]);
    std::error_code error;
    const bool isDirectory = std::filesystem::is_directory(installDir, error);

    const qx::platform::LocalSystemServices system;
    CReportRecord record;
    qx::sysinfo::GatherSystemInformation(system.Services(), installDir, record);
    const std::string text = qx::text::Cp1252ToUtf8(SystemSections(record));
    if (!qxr::WriteStandardOutput("sysinfo", text)) return qxr::kExitCannotWrite;
    if (!isDirectory)
        return qxr::Fail("sysinfo", args[0], "ce n'est pas un dossier",
                         error ? qxr::FrenchReason(error.value()) : std::string{}, qxr::kExitNoInput);
    return qxr::kExitOk;
}

} // namespace

QXR_COMMAND(sysinfo, "sysinfo", "affiche les informations système que contiendrait un rapport", kUsage, RunSysinfo);
