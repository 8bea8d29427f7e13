// qxr print ARCHIVE [--pdf FILE] [--point X,Y]: the fax form of a received
// report, printed through the desktop program's own print code.
#include "command.h"

#include "platform/qt/printer/printer_dialog.h"
#include "print/document_name.h"
#include "print/print_report.h"
#include "qxr_report/report_archive_reader.h"
#include "qxr_report/report_reprint.h"

#include <QApplication>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

namespace {

constexpr int kExitPrinted = 0;
constexpr int kExitArchive = 1;
constexpr int kExitNotReport = 2;
constexpr int kExitNotPrinted = 3;
constexpr int kExitUsage = 64;

const char kUsage[] =
    "Usage: qxr print ARCHIVE [--pdf FICHIER] [--point X,Y]\n\n"
    "Imprime le rapport de l'archive ARCHIVE (.QXR) comme le fait QXBêta : l'en-tête\n"
    "de chaque page avec le numéro et l'identité, le texte, les codes produit et la\n"
    "page de l'image. Le numéro vient du nom de l'archive, tout le reste du texte du\n"
    "rapport ; rien n'est relevé sur la machine qui imprime.\n\n"
    "Sans --pdf, l'imprimante est choisie dans la boîte d'impression.\n"
    "  --pdf FICHIER   écrit le rapport dans le fichier PDF FICHIER, sans boîte de\n"
    "                  dialogue ni affichage\n"
    "  --point X,Y     dessine la flèche au point X,Y de l'image (en pixels de\n"
    "                  l'image) ; sans lui, l'image est imprimée sans flèche\n\n"
    "Codes de sortie :\n"
    "  0   le rapport a été imprimé\n"
    "  1   l'archive ne peut pas être ouverte ou décompressée\n"
    "  2   l'archive ne contient pas de rapport (image ou texte endommagé)\n"
    "  3   rien n'a été imprimé (impression annulée, pas d'affichage, imprimante\n"
    "      ou fichier PDF inutilisable)\n"
    " 64   arguments incorrects\n";

struct Options {
    std::string archive;
    std::optional<std::string> pdf;
    std::optional<qx::IncidentPoint> point;
};

std::optional<int> ParseCount(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0) return std::nullopt;
    return value;
}

std::optional<qx::IncidentPoint> ParsePoint(std::string_view text)
{
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    const std::optional<int> x = ParseCount(text.substr(0, comma));
    const std::optional<int> y = ParseCount(text.substr(comma + 1));
    if (!x || !y) return std::nullopt;
    return qx::IncidentPoint{*x, *y};
}

std::optional<Options> ParseOptions(const std::vector<std::string>& args)
{
    Options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--pdf" && hasValue && !options.pdf) {
            options.pdf = args[++i];
        } else if (arg == "--point" && hasValue && !options.point) {
            options.point = ParsePoint(args[++i]);
            if (!options.point) return std::nullopt;
        } else if (!arg.starts_with("--") && options.archive.empty()) {
            options.archive = arg;
        } else {
            return std::nullopt;
        }
    }
    if (options.archive.empty()) return std::nullopt;
    return options;
}

bool HasDisplay()
{
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') return true;
    }
    return false;
}

std::tm LocalTimeNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

// A private directory for the unpacked report file, removed afterwards.
class PrivateTempDir {
public:
    PrivateTempDir()
    {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/qxr-print-XXXXXX";
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

int Fail(int code, const std::string& message)
{
    std::fprintf(stderr, "qxr print: %s\n", message.c_str());
    return code;
}

int PrintArchive(const Options& options)
{
    const PrivateTempDir work;
    if (work.Path().empty())
        return Fail(kExitArchive, qxr::DescribeReportError(qxr::ReportError::NoWorkFile, options.archive));
    const qxr::ReportResult read = qxr::ReadReportArchive(options.archive, work.Path());
    if (read.error != qxr::ReportError::None)
        return Fail(read.error == qxr::ReportError::NoBitmap ? kExitNotReport : kExitArchive,
                    qxr::DescribeReportError(read.error, options.archive));
    std::optional<qxr::Reprint> reprint = qxr::MakeReprint(read.report, options.archive);
    if (!reprint)
        return Fail(kExitNotReport, "l'archive « " + options.archive + " » ne contient pas de texte de rapport lisible");
    qx::Bitmap& image = reprint->image;
    if (options.point && (options.point->x >= image.width || options.point->y >= image.height))
        return Fail(kExitUsage, "le point " + std::to_string(options.point->x) + "," + std::to_string(options.point->y) +
                                    " est hors de l'image (" + std::to_string(image.width) + " x " +
                                    std::to_string(image.height) + ")");

    // Straight to a file, no display is needed: Qt's offscreen platform.
    if (options.pdf && !HasDisplay()) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (!HasDisplay()) return Fail(kExitNotPrinted, "pas d'affichage pour la boîte d'impression : utilisez --pdf");
    int argc = 1;
    char name[] = "qxr";
    char* argv[] = {name, nullptr};
    const QApplication app(argc, argv);

    const std::string documentName = qx::print::ReportDocumentName(reprint->record.m_identity.m_strSerial, reprint->number);
    std::unique_ptr<qx::platform::Printer> printer =
        options.pdf ? qx::platform::qt::MakePdfPrinter(QString::fromLocal8Bit(options.pdf->c_str()), documentName)
                    : qx::platform::qt::ChoosePrinter(nullptr, documentName);
    if (!printer) return Fail(kExitNotPrinted, "impression annulée");

    const std::string number = reprint->number;
    const qx::print::Printout printout{{reprint->record, [&number] { return number; }, LocalTimeNow},
                                       documentName,
                                       qx::print::ScreenImage{image, image.width, image.height},
                                       options.point.value_or(qx::IncidentPoint{}),
                                       qx::print::DisplayInfo{}};
    if (qx::print::PrintReport(*printer, printout) != qx::print::JobOutcome::Printed)
        return Fail(kExitNotPrinted, "l'impression n'a pas pu commencer");
    printer.reset();
    return kExitPrinted;
}

int Print(const std::vector<std::string>& args)
{
    const std::optional<Options> options = ParseOptions(args);
    if (!options) {
        std::fputs(kUsage, stderr);
        return kExitUsage;
    }
    return PrintArchive(*options);
}

} // namespace

QXR_COMMAND(print, "print", "imprime le rapport d'une archive .QXR (ou en fait un PDF)", kUsage, Print);
