// qxr extract ARCHIVE DIR: the screenshot (BMP and PNG) and the report text
// (UTF-8) of a .QXR archive, written into DIR once the archive has been read.
#include "command.h"
#include "exit_codes.h"
#include "report_status.h"

#include "qxr_report/file_problem.h"
#include "qxr_report/png_writer.h"
#include "qxr_report/report_archive_reader.h"
#include "qxr_report/work_directory.h"
#include "text/cp1252.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <system_error>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr const char* kBitmapName = "screenshot.bmp";
constexpr const char* kPngName = "screenshot.png";
constexpr const char* kTextName = "report.txt";

const char kUsage[] =
    "Usage : qxr extract ARCHIVE DOSSIER\n\n"
    "Écrit dans DOSSIER (créé s'il n'existe pas) le contenu de l'archive ARCHIVE\n"
    "(.QXR) :\n"
    "  DOSSIER/screenshot.bmp   l'image d'écran, telle qu'elle est dans l'archive\n"
    "  DOSSIER/screenshot.png   la même image en PNG\n"
    "  DOSSIER/report.txt       le texte du rapport en UTF-8 (fins de ligne \"\\r\\n\")\n"
    "Les archives faites sous Windows et les copies simples sont acceptées ; le\n"
    "nom enregistré dans l'archive n'est pas utilisé : rien n'est écrit hors de\n"
    "DOSSIER. L'archive est d'abord lue dans un dossier temporaire ($TMPDIR ou\n"
    "/tmp) : rien n'est créé quand elle ne peut pas être lue, et la place libre\n"
    "est vérifiée avant chaque écriture. Un rapport plus grand que 64 Mio d'image\n"
    "(16 777 216 pixels au plus) et 4 Mio de texte est refusé sans être décompressé.\n";

bool WriteWholeFile(const fs::path& path, std::span<const std::uint8_t> bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

std::span<const std::uint8_t> AsBytes(const std::string& s)
{
    return std::span(reinterpret_cast<const std::uint8_t*>(s.data()), s.size());
}

int Extract(const std::vector<std::string>& args)
{
    if (args.size() != 2) return qxr::WrongArguments(kUsage);
    const std::string& archive = args[0];
    const fs::path dir = args[1];

    const qxr::WorkDirectory work;
    if (!work.Made()) {
        std::fprintf(stderr, "qxr extract: %s\n", qxr::DescribeReportError(qxr::ReportError::NoWorkFile, archive).c_str());
        return qxr::kExitCannotWrite;
    }
    const qxr::ReportResult result = qxr::ReadReportArchive(archive, work.Path());
    if (result.error != qxr::ReportError::None) {
        std::fprintf(stderr, "qxr extract: %s\n", qxr::DescribeReportError(result.error, archive).c_str());
        return qxr::StatusOf(result.error);
    }

    const auto text = result.report.Text();
    const std::string utf8 = qx::text::Cp1252ToUtf8(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()));
    const auto png = qxr::EncodePng(result.report.image);
    if (!png) return qxr::Fail("extract", archive, "mémoire insuffisante pour l'image PNG", "", qxr::kExitNoMemory);
    const struct {
        const char* name;
        std::span<const std::uint8_t> bytes;
    } outputs[] = {{kBitmapName, result.report.Bitmap()}, {kPngName, *png}, {kTextName, AsBytes(utf8)}};
    unsigned long long total = 0;
    for (const auto& output : outputs) total += output.bytes.size();

    std::error_code error;
    fs::create_directories(dir, error);
    if (error)
        return qxr::Fail("extract", dir.string(), "impossible de créer le dossier", qxr::FrenchReason(error.value()),
                         qxr::kExitCannotWrite);
    if (const std::string reason = qxr::FolderProblem(dir.string()); !reason.empty())
        return qxr::Fail("extract", dir.string(), "impossible d'écrire dans le dossier", reason, qxr::kExitCannotWrite);
    if (!qxr::HasRoomFor(dir.string(), total))
        return qxr::Fail("extract", dir.string(), "impossible d'écrire dans le dossier",
                         "Le disque est plein (" + std::to_string(total) + " octets nécessaires)", qxr::kExitCannotWrite);

    for (const auto& output : outputs) {
        const fs::path path = dir / output.name;
        errno = 0;
        if (WriteWholeFile(path, output.bytes)) continue;
        const int reason = errno;
        for (const auto& written : outputs) fs::remove(dir / written.name, error);
        return qxr::Fail("extract", path.string(), "impossible d'écrire le fichier",
                         reason != 0 ? qxr::FrenchReason(reason) : "erreur d'écriture", qxr::kExitCannotWrite);
    }
    return qxr::kExitOk;
}

} // namespace

QXR_COMMAND(extract, "extract", "écrit l'image (BMP, PNG) et le texte d'une archive .QXR dans un dossier", kUsage,
            Extract);
