// qxr print ARCHIVE [--pdf FILE] [--point X,Y]: the fax form of a received
// report, printed through the desktop program's own print code.
#include "command.h"
#include "exit_codes.h"
#include "report_status.h"

#include "platform/qt/printer/printer_dialog.h"
#include "print/document_name.h"
#include "print/local_time.h"
#include "print/print_report.h"
#include "qxr_report/report_archive_reader.h"
#include "qxr_report/report_reprint.h"
#include "qxr_report/work_directory.h"

#include <QApplication>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

const char kUsage[] =
    "Usage : qxr print ARCHIVE [--pdf FICHIER] [--point X,Y]\n\n"
    "Imprime le rapport de l'archive ARCHIVE (.QXR) comme le fait QXBêta : l'en-tête\n"
    "de chaque page avec le numéro et l'identité, le texte, les codes produit et la\n"
    "page de l'image. Le numéro vient du nom de l'archive, tout le reste du texte du\n"
    "rapport ; rien n'est relevé sur la machine qui imprime.\n\n"
    "Sans --pdf, l'imprimante est choisie dans la boîte d'impression.\n"
    "  --pdf FICHIER   écrit le rapport dans le fichier PDF FICHIER, sans boîte de\n"
    "                  dialogue ni affichage\n"
    "  --point X,Y     dessine la flèche au point X,Y de l'image (en pixels de\n"
    "                  l'image) ; sans lui, l'image est imprimée sans flèche\n\n"
    "Quand rien n'est imprimé (impression annulée, pas d'affichage pour la boîte\n"
    "d'impression, imprimante ou fichier PDF inutilisable), le code de sortie est 73.\n";

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
        } else if (options.archive.empty()) {
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

// The job or file that takes the printout is the output that could not be
// used.
int NotPrinted(const std::string& archive, const std::string& why)
{
    return qxr::Fail("print", archive, "rien n'a été imprimé", why, qxr::kExitCannotWrite);
}

int PrintArchive(const Options& options)
{
    const qxr::WorkDirectory work;
    if (!work.Made()) {
        std::fprintf(stderr, "qxr print: %s\n",
                     qxr::DescribeReportError(qxr::ReportError::NoWorkFile, options.archive).c_str());
        return qxr::kExitCannotWrite;
    }
    const qxr::ReportResult read = qxr::ReadReportArchive(options.archive, work.Path());
    if (read.error != qxr::ReportError::None) {
        std::fprintf(stderr, "qxr print: %s\n", qxr::DescribeReportError(read.error, options.archive).c_str());
        return qxr::StatusOf(read.error);
    }
    std::optional<qxr::Reprint> reprint = qxr::MakeReprint(read.report, options.archive);
    if (!reprint)
        return qxr::Fail("print", options.archive, "le texte du rapport est illisible", "", qxr::kExitDataError);
    qx::Bitmap& image = reprint->image;
    if (options.point && (options.point->x >= image.width || options.point->y >= image.height)) {
        std::fprintf(stderr, "qxr print: le point %d,%d est hors de l'image (%d x %d)\n", options.point->x,
                     options.point->y, image.width, image.height);
        return qxr::kExitUsage;
    }

    // Straight to a file, no display is needed: Qt's offscreen platform.
    if (options.pdf && !HasDisplay()) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (!HasDisplay()) return NotPrinted(options.archive, "pas d'affichage pour la boîte d'impression (--pdf FICHIER)");
    int argc = 1;
    char name[] = "qxr";
    char* argv[] = {name, nullptr};
    const QApplication app(argc, argv);

    const std::string documentName = qx::print::ReportDocumentName(reprint->record.m_identity.m_strSerial, reprint->number);
    std::unique_ptr<qx::platform::Printer> printer =
        options.pdf ? qx::platform::qt::MakePdfPrinter(QString::fromLocal8Bit(options.pdf->c_str()), documentName)
                    : qx::platform::qt::ChoosePrinter(nullptr, documentName);
    if (!printer) return NotPrinted(options.archive, "impression annulée");

    const std::string number = reprint->number;
    const qx::print::Printout printout{{reprint->record, [&number] { return number; }, qx::print::LocalTimeNow},
                                       documentName,
                                       qx::print::ScreenImage{image, image.width, image.height},
                                       options.point.value_or(qx::IncidentPoint{}),
                                       qx::print::DisplayInfo{}};
    if (qx::print::PrintReport(*printer, printout) != qx::print::JobOutcome::Printed)
        return NotPrinted(options.archive, "l'impression n'a pas pu commencer");
    printer.reset();
    return qxr::kExitOk;
}

int Print(const std::vector<std::string>& args)
{
    const std::optional<Options> options = ParseOptions(args);
    if (!options) return qxr::WrongArguments(kUsage);
    return PrintArchive(*options);
}

} // namespace

QXR_COMMAND(print, "print", "imprime le rapport d'une archive .QXR (ou en fait un PDF)", kUsage, Print,
            {"--pdf", "--point"});
