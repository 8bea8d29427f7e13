// qxr list ARCHIVE: what an archive holds, in the style of "lhasa -l" and
// "unzip -l": method, sizes, date, stored name, and for a report archive
// its screenshot and text.
#include "command.h"
#include "exit_codes.h"
#include "report_status.h"
#include "standard_output.h"

#include "compress/archive_format.h"
#include "qxcompress.h"
#include "qxr_report/file_problem.h"
#include "qxr_report/report_archive_reader.h"
#include "qxr_report/work_directory.h"
#include "text/cp1252.h"

#include <cstdio>
#include <ctime>
#include <memory>
#include <string>
#include <sys/stat.h>

namespace {

namespace qc = qx::compress;

const char kUsage[] =
    "Usage : qxr list ARCHIVE\n\n"
    "Décrit le contenu de l'archive ARCHIVE sur une ligne : la méthode (lh5, lh0,\n"
    "copie simple ou fichier marqué), la taille compressée et la taille d'origine\n"
    "en octets, la date de l'archive et le nom enregistré ; puis, pour un rapport\n"
    "QXBêta, la taille de l'image d'écran et celle du texte. Les caractères de\n"
    "contrôle du nom sont affichés \"?\".\n";

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// The stored name for a terminal: Windows-1252 to UTF-8, no control bytes.
std::string Printable(std::string name)
{
    for (char& c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    return qx::text::Cp1252ToUtf8(name);
}

std::string DateOf(const struct stat& info)
{
    std::tm local{};
    char text[32] = "";
    if (::localtime_r(&info.st_mtime, &local)) std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
    return text;
}

// `text` padded with blanks to `width` characters (UTF-8: continuation
// bytes take no column), on the left or the right.
std::string Padded(const std::string& text, std::size_t width, bool right)
{
    std::size_t columns = 0;
    for (const char c : text) columns += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    const std::string blanks(columns < width ? width - columns : 0, ' ');
    return right ? blanks + text : text + blanks;
}

std::string Row(const std::string& method, const std::string& packed, const std::string& original,
                const std::string& date, const std::string& name)
{
    return Padded(method, 15, false) + " " + Padded(packed, 11, true) + " " + Padded(original, 11, true) + "  " +
           Padded(date, 16, false) + "  " + name + "\n";
}

// The report line: what the member holds when it is a report.
int ReportLine(const std::string& archive, std::string& out)
{
    const qxr::WorkDirectory work;
    const qxr::ReportResult result = qxr::ReadReportArchive(archive, work.Made() ? work.Path() : ".");
    if (result.error == qxr::ReportError::None) {
        out += "Rapport QXBêta : image d'écran de " + std::to_string(result.report.image.width) + " × " +
               std::to_string(result.report.image.height) + " pixels (" +
               std::to_string(result.report.bitmapLength) + " octets), texte de " +
               std::to_string(result.report.Text().size()) + " octets\n";
        return qxr::kExitOk;
    }
    if (result.error == qxr::ReportError::NoBitmap) {
        out += "Pas un rapport QXBêta : le contenu ne commence pas par une image d'écran\n";
        return qxr::kExitOk;
    }
    std::fprintf(stderr, "qxr list: %s\n", qxr::DescribeReportError(result.error, archive).c_str());
    return qxr::StatusOf(result.error);
}

int List(const std::vector<std::string>& args)
{
    if (args.size() != 1) return qxr::WrongArguments(kUsage);
    const std::string& archive = args[0];
    if (const std::string reason = qxr::InputProblem(archive); !reason.empty())
        return qxr::Fail("list", archive, "impossible d'ouvrir l'archive", reason, qxr::kExitNoInput);
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(archive.c_str(), "rb"));
    struct stat info {};
    if (!file || ::fstat(::fileno(file.get()), &info) != 0 || !S_ISREG(info.st_mode))
        return qxr::Fail("list", archive, "impossible d'ouvrir l'archive", qxr::InputProblem(archive),
                         qxr::kExitNoInput);
    unsigned char start[qc::kDataOffset] = {};
    const std::size_t count = std::fread(start, 1, sizeof start, file.get());
    if (std::ferror(file.get()))
        return qxr::Fail("list", archive, "impossible de lire l'archive", "erreur d'entrée-sortie", qxr::kExitNoInput);
    qc::MemberHeader header;
    std::copy_n(start + qc::kHeaderOffset, qc::kHeaderSize, header.bytes.begin());

    std::string out = Row("Méthode", "Compressé", "Original", "Date", "Nom") +
                      Row("-------", "---------", "--------", "----------------", "---");
    const std::string date = DateOf(info);
    const std::string ownSize = std::to_string(info.st_size);
    int status = qxr::kExitOk;
    if (const qc::Method method = header.GetMethod(); method != qc::Method::None) {
        out += Row(method == qc::Method::Lh5 ? "lh5" : "lh0", std::to_string(header.PackedSize()),
                   std::to_string(header.SourceSize()), date, Printable(header.Name()));
        status = ReportLine(archive, out);
    } else if (const std::uint32_t tagged = qc::TaggedFileSize(start, count); tagged != 0) {
        out += Row("fichier marqué", ownSize, std::to_string(tagged), date, "-");
    } else {
        out += Row("copie simple", ownSize, ownSize, date, "- (aucun nom enregistré)");
        status = ReportLine(archive, out);
    }
    if (!qxr::WriteStandardOutput("list", out)) return qxr::kExitCannotWrite;
    return status;
}

} // namespace

QXR_COMMAND(list, "list", "décrit le contenu d'une archive (méthode, tailles, date, nom)", kUsage, List);
