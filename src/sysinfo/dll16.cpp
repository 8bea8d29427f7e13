// The 16-bit DLL step: "lstdll16.exe" lists them into a temporary file.
#include "sysinfo/sysinfo.h"

#include "report/report_texts.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "sysinfo/file_names.h"
#include "sysinfo/line_reader.h"
#include "text/cp1252.h"
#include "text/path_parts.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>

namespace qx::sysinfo {

namespace {

constexpr const char* kHelperName = "lstdll16.exe";
constexpr const char* kTempPrefix = "qx";
// A hung helper must not freeze the report dialog.
constexpr std::chrono::seconds kHelperTimeLimit{60};
constexpr std::size_t kNameWidth = 56;
constexpr std::size_t kKeptLineEndLength = 2;

bool IsLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

// At most two line-end characters go, and none from a line of two or fewer
// characters: a one-character name keeps its carriage return.
void RemoveLineEnd(std::string& line)
{
    for (int i = 0; i < 2; ++i)
        if (line.size() > kKeptLineEndLength && IsLineEnd(line.back())) line.pop_back();
}

// Pairs of lines: the name in a 56-character column, then the version line
// as written, its line end included.
std::string ReadPairs(platform::ReadableFile& file)
{
    std::string list;
    LineReader lines(file);
    while (std::optional<std::string> name = lines.Next()) {
        RemoveLineEnd(*name);
        list += report::PadRight(*name, kNameWidth);
        const std::optional<std::string> version = lines.Next();
        if (!version) break;
        list += *version;
    }
    return list;
}

// A Windows program (an "MZ" file) runs through Wine; anything else directly.
bool IsWindowsProgram(platform::FileReader& files, const std::string& path)
{
    const std::unique_ptr<platform::ReadableFile> file = files.OpenRead(path);
    std::array<std::uint8_t, 2> head{};
    return file && file->ReadAt(0, head) == head.size() && head[0] == 'M' && head[1] == 'Z';
}

bool LoadedAProductFile(platform::ProcessSource& processes, platform::ProcessId process)
{
    const std::optional<std::vector<platform::LoadedModule>> modules = processes.ReadModules(process);
    return modules && std::any_of(modules->begin(), modules->end(), [](const platform::LoadedModule& m) {
               return IsProductFileName(ModuleFileName(m.path));
           });
}

// The Wine prefix of the running environment: of the processes run by Wine
// that loaded a file of the environment, the first whose prefix holds the
// installation directory, else the first.
std::optional<std::string> EnvironmentWinePrefix(platform::ProcessSource& processes, const std::string& installDir)
{
    const std::optional<std::vector<platform::ProcessId>> running = processes.ListProcesses();
    if (!running) return std::nullopt;
    std::optional<std::string> first;
    for (const platform::ProcessId process : *running) {
        std::optional<std::string> prefix = processes.WinePrefixOf(process);
        if (!prefix || !LoadedAProductFile(processes, process)) continue;
        if (installDir.starts_with(text::JoinPath(*prefix, ""))) return prefix;
        if (!first) first = std::move(prefix);
    }
    return first;
}

platform::RunResult RunHelper(const SystemServices& services, const std::string& installDir,
                              const std::string& list)
{
    const std::string program = installDir + kHelperName;
    const std::vector<std::string> argv{program, list};
    if (!IsWindowsProgram(services.files, program)) return services.programs.Run(program, argv, kHelperTimeLimit);
    return services.programs.RunWindowsProgram(program, argv, EnvironmentWinePrefix(services.processes, installDir),
                                               kHelperTimeLimit);
}

bool Succeeded(const platform::RunResult& result)
{
    return result.outcome == platform::RunOutcome::Exited && result.exitStatus == 0;
}

} // namespace

void CollectDll16(const SystemServices& services, const std::string& installDir, CReportRecord& record)
{
    record.m_strDll16.clear();
    const std::string directory = installDir.empty() ? installDir : installDir.substr(0, installDir.size() - 1);
    const std::optional<std::string> shortDirectory = services.store.ShortPath(directory);
    const std::optional<std::string> temp =
        shortDirectory ? services.store.CreateTempFile(*shortDirectory, kTempPrefix) : std::nullopt;
    if (temp) {
        const std::string program = installDir + kHelperName;
        const platform::RunResult result = RunHelper(services, installDir, *temp);
        if (Succeeded(result)) {
            if (const std::unique_ptr<platform::ReadableFile> file = services.files.OpenRead(*temp))
                record.m_strDll16 = ReadPairs(*file);
        } else {
            record.m_strDll16 = LoadResString(res::kMsgCannotRun) + text::Utf8ToCp1252(program);
        }
        services.store.Remove(*temp);
    }
    if (record.m_strDll16.empty()) record.m_strDll16 += LoadResString(res::kNoDll);
    record.m_strLoadedDlls = LoadResString(res::kLabelDll16) + "\r\n" + record.m_strDll16;
}

} // namespace qx::sysinfo
