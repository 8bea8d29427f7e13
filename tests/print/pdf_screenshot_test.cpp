// The screenshot page for screens of every shape: the whole image under the
// header with its aspect, and an arrow at each pick, centre and corners
// included, wholly on the image and at least 8 mm long on paper.

#include "platform/qt/printer/qt_printer.h"
#include "print/print_report.h"

#include "support/forwarding_printer.h"
#include "pdf_pages.h"
#include "print_fixtures.h"
#include "support/scratch_dir.h"

#include <QPageLayout>
#include <QPageSize>

#include <gtest/gtest.h>

#include <cmath>

namespace qx::print {
namespace {

using platform::qt::QtPrinter;

constexpr int kRenderDpi = 72;
constexpr double kMarginMm = 10;
const Rgb kGreen{0, 160, 0};

struct Screen {
    const char* name;
    int width, height;
    int display; // the primary screen's width
};

void PrintTo(const Screen& screen, std::ostream* out)
{
    *out << screen.name;
}

// A printer that takes the image but does not transfer it: the earlier
// printouts of one capture, whose arrows stay in the image.
class NoTransferPrinter final : public test::ForwardingPrinter {
public:
    using ForwardingPrinter::ForwardingPrinter;
    int StretchBitmap(const platform::Rect&, const Bitmap&, const platform::Rect& source) override
    {
        return source.Height();
    }
};

bool IsGreen(const unsigned char* p)
{
    return p[0] < 60 && std::abs(p[1] - 160) < 40 && p[2] < 60;
}

class PdfScreenshot : public ::testing::TestWithParam<Screen> {};

TEST_P(PdfScreenshot, WholeImageAspectKeptAndAnArrowAtEveryPick)
{
    const Screen screen = GetParam();
    test::ScratchDir scratch;
    Bitmap kept = MakeBitmap(screen.width, screen.height, 24);
    for (int y = 0; y < screen.height; ++y)
        for (int x = 0; x < screen.width; ++x) SetPixelColor(kept, x, y, kGreen);
    const IncidentPoint picks[] = {{screen.width / 2, screen.height / 2},
                                   {0, 0},
                                   {screen.width - 1, 0},
                                   {0, screen.height - 1},
                                   {screen.width - 1, screen.height - 1}};

    const CReportRecord record;
    test::PinnedHeader header(record);
    const std::string path = scratch.File("screen.pdf");
    auto pdf = std::make_unique<QPrinter>(QPrinter::HighResolution);
    pdf->setOutputFormat(QPrinter::PdfFormat);
    pdf->setOutputFileName(QString::fromStdString(path));
    pdf->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                   QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter));
    QtPrinter device(std::move(pdf));
    // Four printouts that only draw their arrows, then the one looked at.
    for (std::size_t i = 0; i < std::size(picks); ++i) {
        const Printout printout{header.source, test::kJobName, {kept, screen.width, screen.height}, picks[i],
                                {screen.display, {}}};
        if (i + 1 < std::size(picks)) {
            NoTransferPrinter quiet(device);
            ASSERT_EQ(PrintReport(quiet, printout), JobOutcome::Printed);
        } else {
            ASSERT_EQ(PrintReport(device, printout), JobOutcome::Printed);
        }
    }
    const int pages = test::PdfPageCount(path);
    ASSERT_GE(pages, 2);
    const test::RenderedPage page = test::RenderPdfPage(path, pages, kRenderDpi);
    ASSERT_GT(page.width, 0);

    // The image: every pixel that is green or part of an arrow, inside the
    // printable area and under the header.
    const double margin = kMarginMm / 25.4 * kRenderDpi;
    int left = page.width, top = page.height, right = -1, bottom = -1;
    for (int y = 0; y < page.height; ++y)
        for (int x = 0; x < page.width; ++x)
            if (IsGreen(page.At(x, y))) {
                left = std::min(left, x), top = std::min(top, y), right = std::max(right, x), bottom = std::max(bottom, y);
            }
    ASSERT_GE(right, 0) << "no image on the last page";
    EXPECT_GE(left, margin - 1);
    EXPECT_LE(right, page.width - margin + 1);
    EXPECT_GE(top, margin + 7 * 10 * kRenderDpi / 72.0); // below the six header rows
    EXPECT_LE(bottom, page.height - margin + 1);
    const double width = right - left + 1, height = bottom - top + 1;
    EXPECT_NEAR(width / height, static_cast<double>(screen.width) / screen.height, 0.03 * screen.width / screen.height);
    const double scale = width / screen.width; // render pixels per image pixel

    // Each arrow: its tip on the pick, its shaft running into the image
    // along the diagonal for four fifths of its size, which is 8 mm at least.
    const double eightMm = 8 / 25.4 * kRenderDpi;
    for (const IncidentPoint pick : picks) {
        const int px = std::clamp(static_cast<int>(left + (pick.x + 0.5) * scale), left, right);
        const int py = std::clamp(static_cast<int>(top + (pick.y + 0.5) * scale), top, bottom);
        // Down and right from the tip, back into the image near its far edges.
        const int dx = pick.x <= screen.width / 2 ? 1 : -1;
        const int dy = pick.y <= screen.height / 2 ? 1 : -1;
        // The tip itself is one image pixel of outline: within two render pixels.
        int start = 0;
        while (start < 3 && IsGreen(page.At(px + dx * start, py + dy * start))) ++start;
        EXPECT_LT(start, 3) << "no arrow at pick " << pick.x << "," << pick.y;
        int along = start;
        while (along < 2 * eightMm && !IsGreen(page.At(px + dx * along, py + dy * along))) ++along;
        along -= start;
        EXPECT_GE(along, 0.75 * eightMm) << "pick " << pick.x << "," << pick.y;
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, PdfScreenshot,
                         ::testing::Values(Screen{"Screen1280x1024", 1280, 1024, 1280},
                                           Screen{"Portrait1080x1920", 1080, 1920, 1080},
                                           Screen{"Screen3840x2160", 3840, 2160, 3840},
                                           Screen{"Window3000x800", 3000, 800, 1280}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace qx::print
