// qxr extract ARCHIVE DIR: the screenshot (BMP and PNG) and the report text
// (UTF-8) of a .QXR archive, written into DIR.
#include "command.h"

#include "qxr_report/png_writer.h"
#include "qxr_report/report_archive_reader.h"
#include "text/cp1252.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kExitUsage = 64;
constexpr int kExitArchive = 1;
constexpr int kExitNotReport = 2;
constexpr int kExitWrite = 3;

constexpr const char* kBitmapName = "screenshot.bmp";
constexpr const char* kPngName = "screenshot.png";
constexpr const char* kTextName = "report.txt";

const char kUsage[] =
    "Usage: qxr extract ARCHIVE DIR\n\n"
    "Écrit dans le dossier DIR (créé s'il n'existe pas) le contenu de l'archive\n"
    "ARCHIVE (.QXR) :\n"
    "  DIR/screenshot.bmp   l'image d'écran, telle qu'elle est dans l'archive\n"
    "  DIR/screenshot.png   la même image en PNG\n"
    "  DIR/report.txt       le texte du rapport en UTF-8 (fins de ligne \"\\r\\n\")\n"
    "Les archives faites sous Windows et les copies simples sont acceptées ; le\n"
    "nom enregistré dans l'archive n'est pas utilisé : rien n'est écrit hors de DIR.\n\n"
    "Codes de sortie :\n"
    "  0   les trois fichiers ont été écrits\n"
    "  1   l'archive ne peut pas être ouverte ou décompressée\n"
    "  2   l'archive ne contient pas de rapport (image absente ou endommagée)\n"
    "  3   le dossier ou un fichier ne peut pas être écrit\n"
    " 64   arguments incorrects\n";

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
    if (args.size() != 2) {
        std::fputs(kUsage, stderr);
        return kExitUsage;
    }
    const std::string& archive = args[0];
    const fs::path dir = args[1];
    std::error_code error;
    fs::create_directories(dir, error);
    if (!fs::is_directory(dir)) {
        std::fprintf(stderr, "qxr extract: impossible de créer le dossier \"%s\".\n", dir.c_str());
        return kExitWrite;
    }

    const qxr::ReportResult result = qxr::ReadReportArchive(archive, dir.string());
    if (result.error != qxr::ReportError::None) {
        std::fprintf(stderr, "qxr extract: %s\n", qxr::DescribeReportError(result.error, archive).c_str());
        return result.error == qxr::ReportError::NoBitmap ? kExitNotReport : kExitArchive;
    }

    const auto text = result.report.Text();
    const std::string utf8 = qx::text::Cp1252ToUtf8(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()));
    const std::vector<std::uint8_t> png = qxr::EncodePng(result.report.image);
    const struct {
        const char* name;
        std::span<const std::uint8_t> bytes;
    } outputs[] = {{kBitmapName, result.report.Bitmap()}, {kPngName, png}, {kTextName, AsBytes(utf8)}};

    for (const auto& output : outputs) {
        if (WriteWholeFile(dir / output.name, output.bytes)) continue;
        std::fprintf(stderr, "qxr extract: impossible d'écrire \"%s\".\n", (dir / output.name).c_str());
        for (const auto& written : outputs) fs::remove(dir / written.name, error);
        return kExitWrite;
    }
    return 0;
}

} // namespace

QXR_COMMAND(extract, "extract", "écrit l'image (BMP, PNG) et le texte d'une archive .QXR dans un dossier", kUsage, Extract);
