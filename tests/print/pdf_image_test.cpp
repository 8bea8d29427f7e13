// The Print command into PDF files through the Qt printer: the screen image
// on the last page, its arrows, and the printer dialog.

#include "platform/qt/printer/locale_paper.h"
#include "platform/qt/printer/printer_dialog.h"
#include "platform/qt/printer/qt_printer.h"
#include "print/print_command.h"
#include "print/report_font.h"

#include "config/keys.h"
#include "config/notices.h"
#include "support/fake_print_host.h"
#include "support/forwarding_printer.h"
#include "pdf_pages.h"
#include "support/scratch_dir.h"

#include <QApplication>
#include <QLineEdit>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace qx::print {
namespace {

using platform::qt::QtPrinter;

constexpr int kPrinterDpi = 1200;
constexpr int kRenderDpi = 100;
constexpr double kMarginMm = 10;
const Rgb kGrey{128, 128, 128};

std::unique_ptr<QtPrinter> A4Pdf(const std::string& path, QPageLayout::Orientation orientation)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(QString::fromStdString(path));
    printer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), orientation,
                                       QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter));
    return std::make_unique<QtPrinter>(std::move(printer));
}

Bitmap GreyScreen(int width, int height)
{
    Bitmap b = MakeBitmap(width, height, 32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) SetPixelColor(b, x, y, kGrey);
    return b;
}

bool IsGrey(const unsigned char* p)
{
    return std::abs(p[0] - 128) < 12 && std::abs(p[1] - 128) < 12 && std::abs(p[2] - 128) < 12;
}

bool IsWhite(const unsigned char* p)
{
    return p[0] > 245 && p[1] > 245 && p[2] > 245;
}

struct Box {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    void Add(int x, int y)
    {
        left = std::min(left, x), top = std::min(top, y), right = std::max(right, x), bottom = std::max(bottom, y);
    }
    bool Empty() const { return right < 0; }
};

// Where the printed image lies on a page rendered at kRenderDpi.
struct ImageGeometry {
    double left, top, right, bottom; // render pixels
    double scaleX, scaleY;           // render pixels per image pixel
};

class PdfImage : public ::testing::Test {
protected:
    PdfImage() : host(scratch.Path(), GreyScreen(1024, 768))
    {
        host.record.m_identity.m_strName = "Dupont";
        host.Profile().Write(config::kSectionQxBeta, config::kKeyReportNumber, "3");
    }

    std::string Output(const std::string& name) const
    {
        const char* keep = std::getenv("QX_PRINT_KEEP_DIR");
        return keep != nullptr && *keep != '\0' ? std::string(keep) + "/" + name : scratch.File(name);
    }

    // One Print command into `path` with the pick `pick`.
    template <typename Wrap = test::ForwardingPrinter>
    void Print(const std::string& path, IncidentPoint pick,
               QPageLayout::Orientation orientation = QPageLayout::Portrait)
    {
        host.nextPick = pick;
        auto pdf = A4Pdf(path, orientation);
        QtPrinter* device = pdf.get();
        const PrintServices services{
            [&](platform::OwnerWindow*, const std::string&) -> std::unique_ptr<platform::Printer> {
                // The wrapper forwards to the PDF printer, which must outlive the job.
                return std::make_unique<Wrap>(*device);
            },
            [] { return DisplayInfo{1024, {}}; },
            [] {
                std::tm t{};
                t.tm_year = 126, t.tm_mon = 2, t.tm_mday = 7;
                return t;
            }};
        RunPrintCommand(host, services);
        const platform::TextMetrics metrics = ReportFontMetrics(*device);
        charHeight = metrics.height;
        lineHeight = metrics.height + metrics.externalLeading;
        horzRes = device->GetDeviceCaps(platform::DeviceCap::HorzRes);
        vertRes = device->GetDeviceCaps(platform::DeviceCap::VertRes);
    }

    static platform::TextMetrics ReportFontMetrics(QtPrinter& printer)
    {
        auto font = printer.CreateFont(ReportFontSpec(printer.GetDeviceCaps(platform::DeviceCap::LogPixelsY)));
        printer.SelectFont(font.get());
        const platform::TextMetrics metrics = printer.GetTextMetrics();
        printer.SelectFont(nullptr);
        return metrics;
    }

    ImageGeometry Geometry() const
    {
        const double toRender = static_cast<double>(kRenderDpi) / kPrinterDpi;
        const double margin = kMarginMm / 25.4 * kRenderDpi;
        const int destTop = 8 * lineHeight;
        // The screen across the printable width less a character height on
        // each side, unless its height does not fit under the header.
        const double r = std::min(static_cast<double>(horzRes - 2 * charHeight) / 1024,
                                  static_cast<double>(vertRes - destTop) / 768);
        const int destLeft = charHeight;
        const int destRight = destLeft + static_cast<int>(r * 1024);
        const int destBottom = static_cast<int>(r * 768) + destTop;
        return {margin + destLeft * toRender, margin + destTop * toRender, margin + destRight * toRender,
                margin + destBottom * toRender, (destRight - destLeft) * toRender / 1024,
                (destBottom - destTop) * toRender / 768};
    }

    // The pixels inside the image that are not its grey: the arrows.
    static Box NonGreyInside(const test::RenderedPage& page, const ImageGeometry& g, int x0, int y0, int x1, int y1)
    {
        Box box;
        for (int y = std::max(y0, static_cast<int>(g.top) + 2); y < std::min(y1, static_cast<int>(g.bottom) - 2); ++y)
            for (int x = std::max(x0, static_cast<int>(g.left) + 2); x < std::min(x1, static_cast<int>(g.right) - 2); ++x)
                if (!IsGrey(page.At(x, y))) box.Add(x, y);
        return box;
    }

    test::ScratchDir scratch;
    test::FakePrintHost host;
    int charHeight = 0;
    int lineHeight = 0;
    int horzRes = 0;
    int vertRes = 0;
};

TEST_F(PdfImage, TheImageLiesUnderTheHeaderWithTheArrowAtThePickedPoint)
{
    const std::string path = Output("image.pdf");
    Print(path, {300, 200});
    const int pages = test::PdfPageCount(path);
    ASSERT_EQ(pages, 2);
    const test::RenderedPage last = test::RenderPdfPage(path, pages, kRenderDpi, Output("image-last"));
    ASSERT_GT(last.width, 0);
    const ImageGeometry g = Geometry();

    // Grey inside, white paper around it.
    EXPECT_TRUE(IsGrey(last.At(static_cast<int>(g.left + 5), static_cast<int>(g.bottom - 5))));
    EXPECT_TRUE(IsGrey(last.At(static_cast<int>(g.right - 5), static_cast<int>(g.top + 5))));
    EXPECT_TRUE(IsWhite(last.At(static_cast<int>(g.left - 3), static_cast<int>(g.top + 20))));
    EXPECT_TRUE(IsWhite(last.At(static_cast<int>(g.right + 3), static_cast<int>(g.top + 20))));
    EXPECT_TRUE(IsWhite(last.At(static_cast<int>(g.left + 20), static_cast<int>(g.bottom + 3))));
    EXPECT_TRUE(IsWhite(last.At(static_cast<int>(g.left + 20), static_cast<int>(g.top - 3))));

    // The arrow: tip at the picked point, about r x 50 printer pixels wide.
    const Box arrow = NonGreyInside(last, g, 0, 0, last.width, last.height);
    ASSERT_FALSE(arrow.Empty());
    EXPECT_NEAR(arrow.left, g.left + 300 * g.scaleX, 2.0);
    EXPECT_NEAR(arrow.top, g.top + 200 * g.scaleY, 2.0);
    EXPECT_NEAR(arrow.right - arrow.left, 50 * g.scaleX, 2.5);
    EXPECT_NEAR(arrow.bottom - arrow.top, 50 * g.scaleY, 2.5);
    // In printer pixels: r x 50.
    const double r = static_cast<double>(horzRes - 2 * charHeight) / 1024;
    const double printedWidth = static_cast<double>(arrow.right - arrow.left) * kPrinterDpi / kRenderDpi;
    EXPECT_NEAR(printedWidth, r * 50, 0.08 * r * 50);
    // Filled with white, outlined in black.
    EXPECT_TRUE(IsWhite(last.At(static_cast<int>(g.left + 325 * g.scaleX), static_cast<int>(g.top + 230 * g.scaleY))));
    EXPECT_EQ(config::ReadReportNumber(host.Profile()), "4");
}

TEST_F(PdfImage, TwoPrintoutsShowBothArrowsAndACancelledPickAddsNone)
{
    Print(Output("first.pdf"), {300, 200});
    Print(Output("second.pdf"), {700, 500});
    Print(Output("third.pdf"), {});
    for (const char* name : {"second.pdf", "third.pdf"}) {
        const test::RenderedPage last = test::RenderPdfPage(Output(name), 2, kRenderDpi, Output(std::string(name) + "-last"));
        const ImageGeometry g = Geometry();
        const int split = static_cast<int>(g.left + 500 * g.scaleX);
        const Box first = NonGreyInside(last, g, 0, 0, split, last.height);
        const Box second = NonGreyInside(last, g, split, 0, last.width, last.height);
        ASSERT_FALSE(first.Empty()) << name;
        ASSERT_FALSE(second.Empty()) << name;
        EXPECT_NEAR(first.left, g.left + 300 * g.scaleX, 2.0) << name;
        EXPECT_NEAR(second.left, g.left + 700 * g.scaleX, 2.0) << name;
        EXPECT_NEAR(second.top, g.top + 500 * g.scaleY, 2.0) << name;
        EXPECT_NEAR(second.right - second.left, 50 * g.scaleX, 2.5) << name;
    }
    EXPECT_EQ(config::ReadReportNumber(host.Profile()), "6");
}

TEST_F(PdfImage, APrinterWithoutBitmapTransferGetsAHeaderOnlyLastPage)
{
    const std::string path = Output("no-bitmap.pdf");
    Print<test::NoBitmapPrinter>(path, {300, 200});
    ASSERT_EQ(test::PdfPageCount(path), 2);
    const test::RenderedPage last = test::RenderPdfPage(path, 2, kRenderDpi);
    const ImageGeometry g = Geometry();
    for (int y = static_cast<int>(g.top); y < static_cast<int>(g.bottom); y += 7)
        for (int x = static_cast<int>(g.left); x < static_cast<int>(g.right); x += 7) ASSERT_TRUE(IsWhite(last.At(x, y)));
    const auto words = test::ReadPdfWords(path);
    EXPECT_FALSE(words.at(1).empty()); // the header
    EXPECT_EQ(host.ScreenImage().bits, GreyScreen(1024, 768).bits); // no arrow drawn
}

TEST_F(PdfImage, OnALandscapePageTheWholeImageFitsUnderTheHeader)
{
    const std::string path = Output("landscape.pdf");
    Print(path, {}, QPageLayout::Landscape);
    const test::RenderedPage last = test::RenderPdfPage(path, 2, kRenderDpi, Output("landscape-last"));
    ASSERT_GT(last.width, last.height);
    const ImageGeometry g = Geometry();
    const int printableBottom = static_cast<int>(last.height - kMarginMm / 25.4 * kRenderDpi);
    ASSERT_LE(g.bottom, printableBottom + 1);
    const int middle = static_cast<int>((g.left + g.right) / 2);
    EXPECT_TRUE(IsGrey(last.At(middle, static_cast<int>(g.bottom) - 3)));
    for (int y = static_cast<int>(g.bottom) + 2; y < last.height; ++y) ASSERT_TRUE(IsWhite(last.At(middle, y))) << y;
    // Aspect kept: the image is as much narrower than the page as the screen is.
    EXPECT_NEAR((g.right - g.left) / (g.bottom - g.top), 1024.0 / 768, 0.01);
}

TEST(PrinterDialog, TheHookPrintsToItsPdfFile)
{
    test::ScratchDir scratch;
    const std::string path = scratch.File("hook.pdf");
    ::setenv(platform::qt::kPrintToPdfVariable, path.c_str(), 1);
    auto printer = platform::qt::ChoosePrinter(nullptr, "Rapport 12345601");
    ::unsetenv(platform::qt::kPrintToPdfVariable);
    ASSERT_TRUE(printer);
    ASSERT_GT(printer->StartDoc("x"), 0);
    ASSERT_GT(printer->StartPage(), 0);
    printer->EndPage();
    printer->EndDoc();
    EXPECT_EQ(test::PdfPageCount(path), 1);
}

TEST(PrinterDialog, CancelGivesNoPrinter)
{
    ::unsetenv(platform::qt::kPrintToPdfVariable);
    bool seen = false;
    QTimer::singleShot(0, [&seen] {
        if (auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget())) {
            seen = true;
            dialog->reject();
        }
    });
    EXPECT_EQ(platform::qt::ChoosePrinter(nullptr, "Rapport 12345601"), nullptr);
    EXPECT_TRUE(seen);
}

TEST(PrinterDialog, PrintToFileOffersTheReportsNameInTheCurrentFolder)
{
    ::unsetenv(platform::qt::kPrintToPdfVariable);
    test::ScratchDir scratch;
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(scratch.Path());
    const std::string expected = (std::filesystem::current_path() / "Rapport BX123407.pdf").string();
    QString offered;
    bool toFile = false;
    // After the dialog has filled its fields on showing.
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) return;
            toFile = dialog->testOption(QAbstractPrintDialog::PrintToFile);
            if (auto* file = dialog->findChild<QLineEdit*>("filename")) offered = file->text();
            dialog->accept();
        });
    });
    auto printer = platform::qt::ChoosePrinter(nullptr, "Rapport BX123407");
    std::filesystem::current_path(before);
    EXPECT_TRUE(toFile);
    EXPECT_EQ(offered.toStdString(), expected);
    ASSERT_TRUE(printer);
    ASSERT_GT(printer->StartDoc("Rapport BX123407"), 0);
    ASSERT_GT(printer->StartPage(), 0);
    printer->EndPage();
    printer->EndDoc();
    EXPECT_EQ(test::PdfPageCount(expected), 1);
}

TEST(LocalePaper, LetterWhereTheLocaleSaysSo)
{
    using platform::qt::PaperSizeFor;
    EXPECT_EQ(PaperSizeFor(216, 279, QLocale::MetricSystem).id(), QPageSize::Letter);
    EXPECT_EQ(PaperSizeFor(210, 297, QLocale::ImperialUSSystem).id(), QPageSize::A4);
    EXPECT_EQ(PaperSizeFor(216, 356, QLocale::MetricSystem).id(), QPageSize::Legal);
    EXPECT_EQ(PaperSizeFor(0, 0, QLocale::ImperialUSSystem).id(), QPageSize::Letter);
    EXPECT_EQ(PaperSizeFor(0, 0, QLocale::MetricSystem).id(), QPageSize::A4);
    // The C locale of a test run has A4 paper.
    EXPECT_EQ(platform::qt::LocalePaperSize().id(), QPageSize::A4);
}

} // namespace
} // namespace qx::print
