// qxr show and qxr extract, run as the support team runs them, on archives
// packed here, with Windows member names, as plain copies and damaged; the
// PNG writer read back by PIL and ImageMagick.
#include "qxr_report/png_writer.h"
#include "support/bitmap_fixtures.h"
#include "support/image_decoders.h"
#include "support/report_archive_fixtures.h"
#include "support/scratch_dir.h"
#include "support/small_volume.h"
#include "text/cp1252.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace qx::test {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

const std::string kTextUtf8 = "\r\n\r\nRapport Bêta Version à faxer au 01\r\n\r\nNom     : Ève Œuvre\r\nDLL Orvane sur disque :\r\n";

struct QxrRun {
    int status = -1;
    std::string out;
    std::string err;
};

QxrRun Qxr(const std::string& arguments, const ScratchDir& scratch)
{
    const char* bin = std::getenv("QX_BIN_DIR");
    const std::string errFile = scratch.File("stderr.txt");
    QxrRun run;
    run.out = RunAndCapture(std::string(bin ? bin : ".") + "/qxr " + arguments + " 2>" + errFile, &run.status);
    const Bytes err = ReadBytes(errFile);
    run.err.assign(err.begin(), err.end());
    fs::remove(errFile);
    return run;
}

std::vector<std::string> Listing(const fs::path& dir)
{
    std::vector<std::string> names;
    if (!fs::exists(dir)) return names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class QxrReport : public ::testing::Test {
protected:
    ScratchDir scratch;
    Bitmap screen = ScreenshotLike(120, 80, 32, 9);
    Bytes report = ReportFileBytes(screen, text::Utf8ToCp1252(kTextUtf8));
    std::string archive = scratch.File("QX123401.QXR");

    void ExpectExtracted(const fs::path& dir)
    {
        EXPECT_EQ(Listing(dir), (std::vector<std::string>{"report.txt", "screenshot.bmp", "screenshot.png"}));
        const Bytes bmp = ReadBytes((dir / "screenshot.bmp").string());
        EXPECT_TRUE(bmp == Bytes(report.begin(), report.end() - static_cast<std::ptrdiff_t>(text::Utf8ToCp1252(kTextUtf8).size())));
        const Bytes txt = ReadBytes((dir / "report.txt").string());
        EXPECT_EQ(std::string(txt.begin(), txt.end()), kTextUtf8);
        for (const DecodedPixels& d : {DecodeWithPil((dir / "screenshot.png").string()), DecodeWithImageMagick((dir / "screenshot.png").string())}) {
            ASSERT_TRUE(d.ok) << d.diagnostics;
            EXPECT_EQ(d.width, screen.width);
            EXPECT_EQ(d.height, screen.height);
            EXPECT_TRUE(d.rgb == ExpectedRgb(screen));
        }
    }
};

struct ArchiveKind {
    const char* name;
    const char* memberName; // "" keeps the path the library stored; nullptr: plain copy
};

TEST_F(QxrReport, ShowAndExtractEveryKindOfArchive)
{
    const ArchiveKind kinds[] = {
        {"packed here", ""},
        {"packed on Windows", "C:\\WINDOWS\\TEMP\\QX1A2B.TMP"},
        {"packed in the current folder on Windows", ".\\QX00FF.TMP"},
        {"member name leading out", "../../escape.TMP"},
        {"absolute member name", "/tmp/qx-escape.TMP"},
        {"plain copy", nullptr},
    };
    for (const ArchiveKind& kind : kinds) {
        SCOPED_TRACE(kind.name);
        if (kind.memberName) {
            ASSERT_TRUE(MakePackedArchive(report, archive, kind.memberName));
        } else {
            ASSERT_TRUE(WriteBytes(archive, report));
        }
        const QxrRun show = Qxr("show " + archive, scratch);
        EXPECT_EQ(show.status, 0) << show.err;
        EXPECT_EQ(show.out, kTextUtf8);

        const fs::path dir = scratch.Path() / "out" / kind.name;
        const QxrRun extract = Qxr("extract " + archive + " '" + dir.string() + "'", scratch);
        EXPECT_EQ(extract.status, 0) << extract.err;
        ExpectExtracted(dir);
        EXPECT_FALSE(fs::exists("/tmp/qx-escape.TMP"));
        EXPECT_FALSE(fs::exists(scratch.Path() / ".." / ".." / "escape.TMP"));
        EXPECT_EQ(Listing(scratch.Path()), (std::vector<std::string>{"QX123401.QXR", "out"}));
    }
}

struct Damaged {
    const char* name;
    int status;          // 0: any failure (garbled lh5 data may still decode, to a damaged bitmap)
    const char* message; // part of the French message
    Bytes (*make)(const Bytes& packed, const Bytes& report);
};

TEST_F(QxrReport, DamagedArchivesGiveAFrenchMessageAndWriteNothing)
{
    ASSERT_TRUE(MakePackedArchive(report, archive));
    const Bytes packed = ReadBytes(archive);
    const Damaged cases[] = {
        {"packed data cut short", 65, "endommagée", [](const Bytes& p, const Bytes&) { return Bytes(p.begin(), p.begin() + 400); }},
        {"packed data garbled", 0, "endommagée",
         [](const Bytes& p, const Bytes&) {
             Bytes d = p;
             for (std::size_t i = 290; i < d.size() - 2; i += 3) d[i] ^= 0x5A;
             return d;
         }},
        {"not a report", 65, "ne contient pas de rapport", [](const Bytes&, const Bytes&) { return Bytes{'h', 'e', 'l', 'l', 'o'}; }},
        {"bitmap cut short", 65, "endommagée", [](const Bytes&, const Bytes& r) { return Bytes(r.begin(), r.begin() + 3000); }},
        {"bitmap rows missing", 65, "endommagée",
         [](const Bytes&, const Bytes& r) {
             Bytes d = r;
             d[22] = 0xFF; // biHeight far beyond the pixel data
             return d;
         }},
        {"empty file", 65, "ne contient pas de rapport", [](const Bytes&, const Bytes&) { return Bytes{}; }},
    };
    for (const Damaged& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = scratch.File("damaged.QXR");
        ASSERT_TRUE(WriteBytes(path, c.make(packed, report)));
        const QxrRun show = Qxr("show " + path, scratch);
        EXPECT_NE(show.status, 0);
        if (c.status != 0) {
            EXPECT_EQ(show.status, c.status);
        }
        EXPECT_TRUE(show.out.empty());
        EXPECT_NE(show.err.find(c.message), std::string::npos) << show.err;
        EXPECT_NE(show.err.find("damaged.QXR"), std::string::npos) << show.err;

        const fs::path dir = scratch.Path() / "out";
        const QxrRun extract = Qxr("extract " + path + " " + dir.string(), scratch);
        EXPECT_EQ(extract.status, show.status);
        EXPECT_NE(extract.err.find(c.message), std::string::npos) << extract.err;
        EXPECT_FALSE(fs::exists(dir)) << "nothing is created for an archive that cannot be read";
        fs::remove(path);
        EXPECT_EQ(Listing(scratch.Path()), (std::vector<std::string>{"QX123401.QXR"}));
    }
}

TEST_F(QxrReport, MissingArchiveAndWrongArguments)
{
    const QxrRun missing = Qxr("show " + scratch.File("none.QXR"), scratch);
    EXPECT_EQ(missing.status, 66);
    EXPECT_NE(missing.err.find("Impossible d'ouvrir l'archive"), std::string::npos) << missing.err;
    EXPECT_NE(missing.err.find("introuvable"), std::string::npos) << missing.err;
    EXPECT_EQ(Qxr("show", scratch).status, 64);
    EXPECT_EQ(Qxr("extract " + archive, scratch).status, 64);
    const QxrRun folder = Qxr("show " + scratch.Path().string(), scratch);
    EXPECT_EQ(folder.status, 66);
    EXPECT_NE(folder.err.find("dossier"), std::string::npos) << folder.err;
}

TEST_F(QxrReport, FullVolumeLeavesNothingInTheFolder)
{
    screen = Noise(200, 200, 24, 10);
    report = ReportFileBytes(screen, text::Utf8ToCp1252(kTextUtf8));
    ASSERT_TRUE(WriteBytes(archive, report)); // a plain copy of 120 KB
    const auto code = RunOnSmallVolume(64 * 1024, VolumeMode::Writable, [&](const std::string& volume) {
        const QxrRun extract = Qxr("extract " + archive + " " + volume + "/out", scratch);
        if (extract.status != 73 || extract.err.find("Le disque est plein") == std::string::npos) return 1;
        return Listing(volume + "/out").empty() ? 0 : 2;
    });
    if (!code) GTEST_SKIP() << "no private mount on this system";
    EXPECT_EQ(*code, 0);
}

TEST_F(QxrReport, ThePngHasTheBitmapsPixelsAndIsSmaller)
{
    screen = ScreenshotLike(800, 600, 24, 11);
    report = ReportFileBytes(screen, text::Utf8ToCp1252(kTextUtf8));
    ASSERT_TRUE(MakePackedArchive(report, archive));
    const fs::path dir = scratch.Path() / "out";
    const QxrRun extract = Qxr("extract " + archive + " " + dir.string(), scratch);
    ASSERT_EQ(extract.status, 0) << extract.err;
    for (const DecodedPixels& d : {DecodeWithPil((dir / "screenshot.png").string()),
                                   DecodeWithImageMagick((dir / "screenshot.png").string())}) {
        ASSERT_TRUE(d.ok) << d.diagnostics;
        EXPECT_TRUE(d.rgb == ExpectedRgb(screen));
    }
    const auto png = fs::file_size(dir / "screenshot.png");
    const auto bmp = fs::file_size(dir / "screenshot.bmp");
    EXPECT_LT(png, bmp / 10) << png << " bytes of PNG for " << bmp << " of BMP";
}

// A small archive that claims a huge report (a decompression bomb) is refused
// before anything is unpacked, whatever the command.
TEST_F(QxrReport, ReportsBeyondTheLimitsAreRefusedUnread)
{
    const Bytes zeros(1 << 20, 0);
    Bytes bomb = ReportFileBytes(screen, text::Utf8ToCp1252(kTextUtf8));
    bomb.insert(bomb.end(), zeros.begin(), zeros.end());
    ASSERT_TRUE(MakePackedArchive(bomb, archive));
    Bytes claimed = ReadBytes(archive);
    const std::uint32_t huge = 256u << 20; // 256 MiB of source
    for (int i = 0; i < 4; ++i) claimed[1 + 10 + i] = static_cast<std::uint8_t>(huge >> (8 * i));
    ASSERT_TRUE(WriteBytes(archive, claimed));
    for (const char* command : {"show", "extract", "list"}) {
        SCOPED_TRACE(command);
        const fs::path dir = scratch.Path() / "out";
        const QxrRun run = Qxr(std::string(command) + " " + archive + (std::string(command) == "extract" ? " " + dir.string() : ""), scratch);
        EXPECT_EQ(run.status, 65);
        EXPECT_NE(run.err.find("trop grand"), std::string::npos) << run.err;
        EXPECT_FALSE(fs::exists(dir));
    }
}

TEST(PngWriter, DecodersReadEveryPixel)
{
    ScratchDir scratch;
    for (const auto& [width, height] : {std::pair{1, 1}, std::pair{7, 3}, std::pair{300, 200}}) {
        const Bitmap b = Noise(width, height, 24, static_cast<std::uint32_t>(width));
        const bitmap::RgbImage image{width, height, ExpectedRgb(b)};
        const std::string path = scratch.File("image.png");
        const auto png = qxr::EncodePng(image);
        ASSERT_TRUE(png.has_value());
        ASSERT_TRUE(WriteBytes(path, *png));
        for (const DecodedPixels& d : {DecodeWithPil(path), DecodeWithImageMagick(path)}) {
            ASSERT_TRUE(d.ok) << d.diagnostics;
            EXPECT_EQ(d.width, width);
            EXPECT_EQ(d.height, height);
            EXPECT_TRUE(d.rgb == image.rgb) << width << "x" << height;
        }
    }
}

} // namespace
} // namespace qx::test
