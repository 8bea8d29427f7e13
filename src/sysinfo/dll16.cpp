// The 16-bit DLL step: "lstdll16.exe" lists them into a temporary file.
#include "sysinfo/sysinfo.h"

#include "report/report_texts.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "sysinfo/line_reader.h"
#include "text/cp1252.h"

#include <chrono>

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
        const platform::RunResult result = services.programs.Run(program, {program, *temp}, kHelperTimeLimit);
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
