// qxr print of a received archive against the desktop's own printout of the
// same report, both as PDF files: the same pages, the same text (the print
// date aside) and the same image page, arrow included at the point given;
// without --point the image page carries no arrow.

#include "platform/posix/posix_program_runner.h"
#include "platform/qt/printer/printer_dialog.h"
#include "print/document_name.h"
#include "print/print_report.h"
#include "report/email/report_text.h"
#include "sysinfo/sysinfo.h"

#include "pdf_pages.h"
#include "support/bitmap_fixtures.h"
#include "support/report_archive_fixtures.h"
#include "support/report_record_builder.h"
#include "support/scratch_dir.h"
#include "text/cp1252.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

namespace qx::print {
namespace {

constexpr int kRenderDpi = 100;
constexpr IncidentPoint kPoint{300, 200};
constexpr int kWidth = 1024;
constexpr int kHeight = 768;

CReportRecord Record()
{
    CReportRecord record = test::ReportRecordBuilder()
                               .Name("Jean Dupont")
                               .Company(text::Utf8ToCp1252("Société d'études"))
                               .Address("12 rue des Lilas", "69003", "Lyon")
                               .Phone("04 72 00 00 00")
                               .Email("jean@example.fr")
                               .Serial("QX 12 34")
                               .Description("Plantage\r\n\r\nau second paragraphe")
                               .Steps("Ouvrir le projet, compiler")
                               .Answers(0, 1)
                               .WindowsVersion("6.1.0 Debian GNU/Linux 12 (bookworm)")
                               .Dll16("Aucune\r\n")
                               .Modules32("QXEDIT.EXE                                              5.50J          1\r\n")
                               .ExeOnDisk("ORVANE55.EXE 5.50J\r\nQXEDIT.EXE 5.50J\r\nNOTQX.EXE 1.0\r\n")
                               .DllOnDisk("CTL3DQX.DLL 2.05\r\nORVRT32.DLL 5.50J\r\n")
                               .Build();
    sysinfo::LoadProductCodes(record);
    return record;
}

// Every page's text without its date row.
std::vector<std::string> PagesWithoutDates(const std::filesystem::path& pdf)
{
    std::vector<std::string> pages;
    for (const std::string& page : test::ReadPdfLayoutText(pdf)) {
        std::istringstream lines(page);
        std::string kept;
        for (std::string line; std::getline(lines, line);)
            if (line.find("Date    : ") == std::string::npos) kept += line + "\n";
        pages.push_back(kept);
    }
    return pages;
}

// The rows of a page rendered at kRenderDpi below its header (six rows of
// a 10-point font under a 10 mm margin), where the date row is not.
constexpr int kBelowHeader = kRenderDpi * 2;

// Pixels below the header whose colour differs by more than a rendering's
// rounding.
int DifferingPixels(const test::RenderedPage& a, const test::RenderedPage& b)
{
    EXPECT_EQ(a.width, b.width);
    EXPECT_EQ(a.height, b.height);
    if (a.width != b.width || a.height != b.height) return a.width * a.height;
    int differing = 0;
    for (int y = kBelowHeader; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            for (int c = 0; c < 3; ++c)
                if (std::abs(a.At(x, y)[c] - b.At(x, y)[c]) > 24) {
                    ++differing;
                    break;
                }
    return differing;
}

// Pixels two renderings of the same picture may differ by.
constexpr int kRoundingPixels = 20;

class Reprint : public ::testing::Test {
protected:
    test::ScratchDir scratch;
    CReportRecord record = Record();
    Bitmap screen = test::ScreenshotLike(kWidth, kHeight, 32, 11);
    std::string archive = scratch.File("QX123407.QXR");

    void SetUp() override
    {
        ASSERT_TRUE(test::MakePackedArchive(test::ReportFileBytes(screen, report::BuildReportText(record)), archive));
    }

    // The desktop's Print command for report number 7 on a screen as wide as the image.
    std::string DesktopPrintout(const std::string& name, IncidentPoint incident)
    {
        const std::string pdf = scratch.File(name);
        const std::string documentName = ReportDocumentName(record.m_identity.m_strSerial, "7");
        auto printer = platform::qt::MakePdfPrinter(QString::fromStdString(pdf), documentName);
        Bitmap kept = screen;
        const Printout printout{{record, [] { return std::string("7"); }, [] { return std::tm{}; }},
                                documentName,
                                ScreenImage{kept, kept.width, kept.height},
                                incident,
                                DisplayInfo{kWidth, {}}};
        EXPECT_EQ(PrintReport(*printer, printout), JobOutcome::Printed);
        return pdf;
    }

    std::string QxrPrint(const std::string& name, std::vector<std::string> extra)
    {
        const std::string pdf = scratch.File(name);
        const char* bin = std::getenv("QX_BIN_DIR");
        const std::string qxr = std::string(bin ? bin : ".") + "/qxr";
        std::vector<std::string> argv{qxr, "print", archive, "--pdf", pdf};
        argv.insert(argv.end(), extra.begin(), extra.end());
        platform::PosixProgramRunner runner;
        const platform::RunResult run = runner.Run(qxr, argv, std::chrono::seconds(120));
        EXPECT_EQ(run.outcome, platform::RunOutcome::Exited);
        EXPECT_EQ(run.exitStatus, 0);
        return pdf;
    }
};

TEST_F(Reprint, WithThePointItMatchesTheDesktopPrintoutPageByPage)
{
    const std::string desktop = DesktopPrintout("desktop.pdf", kPoint);
    const std::string reprinted = QxrPrint("qxr.pdf", {"--point", "300,200"});

    const int pages = test::PdfPageCount(desktop);
    ASSERT_GE(pages, 2);
    ASSERT_EQ(test::PdfPageCount(reprinted), pages);
    EXPECT_EQ(PagesWithoutDates(reprinted), PagesWithoutDates(desktop));
    EXPECT_NE(PagesWithoutDates(reprinted)[0].find("Rapport n\u00b07\n"), std::string::npos);

    const test::RenderedPage want = test::RenderPdfPage(desktop, pages, kRenderDpi);
    const test::RenderedPage got = test::RenderPdfPage(reprinted, pages, kRenderDpi, scratch.File("qxr-image"));
    EXPECT_LE(DifferingPixels(got, want), kRoundingPixels);
}

TEST_F(Reprint, WithoutThePointTheImagePageHasNoArrow)
{
    const std::string plain = DesktopPrintout("plain.pdf", IncidentPoint{});
    const std::string marked = DesktopPrintout("marked.pdf", kPoint);
    const std::string reprinted = QxrPrint("qxr.pdf", {});

    const int pages = test::PdfPageCount(plain);
    ASSERT_EQ(test::PdfPageCount(reprinted), pages);
    const test::RenderedPage got = test::RenderPdfPage(reprinted, pages, kRenderDpi);
    const int fromPlain = DifferingPixels(got, test::RenderPdfPage(plain, pages, kRenderDpi));
    const int fromMarked = DifferingPixels(got, test::RenderPdfPage(marked, pages, kRenderDpi));
    EXPECT_LE(fromPlain, kRoundingPixels);
    EXPECT_GT(fromMarked, 200) << "the arrow's pixels";
}

} // namespace
} // namespace qx::print
