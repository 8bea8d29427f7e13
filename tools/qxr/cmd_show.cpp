// qxr show ARCHIVE: the report text of a .QXR archive, in UTF-8.
#include "command.h"

#include "qxr_report/report_archive_reader.h"
#include "text/cp1252.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

constexpr int kExitUsage = 64;
constexpr int kExitArchive = 1;
constexpr int kExitNotReport = 2;

const char kUsage[] =
    "Usage: qxr show ARCHIVE\n\n"
    "Affiche le texte du rapport contenu dans l'archive ARCHIVE (.QXR), converti\n"
    "de Windows-1252 en UTF-8 ; les fins de ligne \"\\r\\n\" sont conservées.\n"
    "Les archives faites sous Windows et les copies simples sont acceptées.\n\n"
    "Codes de sortie :\n"
    "  0   le texte a été affiché\n"
    "  1   l'archive ne peut pas être ouverte ou décompressée\n"
    "  2   l'archive ne contient pas de rapport (image absente ou endommagée)\n"
    " 64   arguments incorrects\n";

// A private directory for the unpacked report file, removed afterwards.
class PrivateTempDir {
public:
    PrivateTempDir()
    {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/qxr-show-XXXXXX";
        if (::mkdtemp(pattern.data())) m_path = pattern;
    }
    ~PrivateTempDir()
    {
        std::error_code ignored;
        if (!m_path.empty()) std::filesystem::remove_all(m_path, ignored);
    }
    PrivateTempDir(const PrivateTempDir&) = delete;
    PrivateTempDir& operator=(const PrivateTempDir&) = delete;

    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

int Show(const std::vector<std::string>& args)
{
    if (args.size() != 1) {
        std::fputs(kUsage, stderr);
        return kExitUsage;
    }
    const std::string& archive = args[0];
    const PrivateTempDir work;
    if (work.Path().empty()) {
        std::fprintf(stderr, "qxr show: %s\n", qxr::DescribeReportError(qxr::ReportError::NoWorkFile, archive).c_str());
        return kExitArchive;
    }
    const qxr::ReportResult result = qxr::ReadReportArchive(archive, work.Path());
    if (result.error != qxr::ReportError::None) {
        std::fprintf(stderr, "qxr show: %s\n", qxr::DescribeReportError(result.error, archive).c_str());
        return result.error == qxr::ReportError::NoBitmap ? kExitNotReport : kExitArchive;
    }
    const auto text = result.report.Text();
    const std::string utf8 = qx::text::Cp1252ToUtf8(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()));
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : kExitArchive;
}

} // namespace

QXR_COMMAND(show, "show", "affiche le texte du rapport d'une archive .QXR", kUsage, Show);
