#include "print/page_writer.h"
#include "print/print_job.h"

#include "support/recording_printer.h"
#include "print_fixtures.h"
#include "text/cp1252.h"

#include <gtest/gtest.h>

namespace qx::print {
namespace {

using test::PinnedHeader;
using test::RecordingPrinter;
using test::RecordedPage;
using test::RecordingPrinterSetup;

const ImagePrinter kNoImage = [](platform::Printer&, int) {};

// A writer on an open page of a started job.
struct OpenPage {
    explicit OpenPage(RecordingPrinterSetup setup = {}) : printer(setup)
    {
        printer.StartDoc(kDocumentName);
        printer.StartPage();
    }
    RecordingPrinter printer;
};

TEST(PageWriter, TextRectangleFollowsTheRowAndThePage)
{
    OpenPage page;
    const CReportRecord record;
    PinnedHeader header(record);
    PageWriter writer(page.printer, header.source, 50, 131);
    writer.PrintTextLine("x");
    writer.PrintTextLine("y");
    const auto& texts = page.printer.Pages()[0].texts;
    ASSERT_EQ(texts.size(), 2u);
    // left = line height, right = physical width - offset - 2 line heights, bottom = physical height.
    EXPECT_EQ(texts[0].rect, (platform::Rect{50, 100, 5100 - 150 - 100, 6900}));
    EXPECT_EQ(texts[1].rect.top, 150);
    EXPECT_EQ(writer.Row(), 4);
}

TEST(PageWriter, RowsAdvanceByDrawnHeightDividedByLineHeight)
{
    struct Case {
        int fontHeight;
        int externalLeading;
        int linePitch;
        std::string text;
        int rowsTaken;
    };
    const std::string threeLines(3 * 160 - 10, 'w');
    const Case cases[] = {
        {50, 0, 0, "one", 1},
        {50, 0, 0, "", 1},  // nothing drawn: still one row
        {50, 0, 0, " ", 1}, // a blank line
        {50, 0, 0, threeLines, 3},
        {50, 10, 50, threeLines, 2}, // 150 / 60
        {50, 10, 60, threeLines, 3},
        {50, 10, 0, "one", 1},
    };
    for (const Case& c : cases) {
        RecordingPrinterSetup setup;
        setup.fontHeight = c.fontHeight;
        setup.externalLeading = c.externalLeading;
        setup.linePitch = c.linePitch;
        OpenPage page(setup);
        const CReportRecord record;
        PinnedHeader header(record);
        PageWriter writer(page.printer, header.source, c.fontHeight + c.externalLeading, 100);
        writer.PrintTextLine(c.text);
        EXPECT_EQ(writer.Row(), 2 + c.rowsTaken) << c.text.size() << " " << c.linePitch;
    }
}

TEST(PageWriter, PageBreaksWhenTheRowPassesTheLimit)
{
    OpenPage page;
    const CReportRecord record;
    PinnedHeader header(record);
    PageWriter writer(page.printer, header.source, 50, 10);
    for (int i = 0; i < 8; ++i) writer.PrintTextLine("r");
    EXPECT_EQ(writer.Row(), 10);
    EXPECT_EQ(page.printer.Pages().size(), 1u);
    writer.PrintTextLine("r"); // row 10 is the last one of the page
    EXPECT_EQ(page.printer.Pages().size(), 2u);
    EXPECT_EQ(writer.Row(), 8); // under the new page's header
    EXPECT_EQ(page.printer.Pages()[1].texts.size(), 6u);
    EXPECT_EQ(header.numberReads, 1);
}

TEST(PageWriter, WrappedTextAtTheFootLosesItsLowerRows)
{
    OpenPage page;
    const CReportRecord record;
    PinnedHeader header(record);
    PageWriter writer(page.printer, header.source, 50, 131);
    for (int row = 2; row < 130; ++row) writer.PrintTextLine("filler");
    ASSERT_EQ(writer.Row(), 130);
    std::string text;
    for (int i = 0; i < 3; ++i) text += std::string(159, static_cast<char>('a' + i)) + " ";
    writer.PrintTextLine(text);

    const RecordedPage& first = page.printer.Pages()[0];
    const auto rows = page.printer.VisibleRows(first, 50);
    EXPECT_EQ(rows.at(130), std::string(159, 'a'));
    EXPECT_EQ(rows.at(131), std::string(159, 'b'));
    EXPECT_EQ(rows.count(132), 0u);
    EXPECT_EQ(page.printer.LostLines(first), std::vector<std::string>{std::string(159, 'c') + " "});
    // The next text starts on a new page, under its header.
    writer.PrintTextLine("next");
    EXPECT_EQ(page.printer.VisibleRows(page.printer.Pages()[1], 50).at(8), "next");
}

TEST(PrintReportJob, SeveralPagesEachStartWithTheHeaderAndBodyGoesOnAtRowEight)
{
    CReportRecord record;
    record.m_identity.m_strName = "Dupont";
    record.m_identity.m_strSerial = "654321";
    record.m_strDescription = test::NumberedLines(300);
    PinnedHeader header(record, "0099");
    RecordingPrinter printer;
    ASSERT_EQ(PrintReportJob(printer, header.source, kNoImage), JobOutcome::Printed);

    const auto& pages = printer.Pages();
    ASSERT_EQ(pages.size(), 4u); // three of text, then the image page
    std::vector<std::string> description;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        const auto rows = printer.VisibleRows(pages[p], 50);
        EXPECT_EQ(rows.at(2), text::Utf8ToCp1252("Rapport Bêta Version à faxer au 01 47 20 55 50")) << p;
        EXPECT_EQ(rows.at(3), text::Utf8ToCp1252("Date    : 07/03/2026      N°série : 654321")) << p;
        EXPECT_EQ(rows.at(4), text::Utf8ToCp1252("Rapport n°0099")) << p;
        EXPECT_EQ(rows.at(5), "Nom     : Dupont") << p;
        EXPECT_EQ(rows.at(6), text::Utf8ToCp1252("Société : ")) << p;
        EXPECT_EQ(rows.at(7), "") << p;
        EXPECT_TRUE(printer.LostLines(pages[p]).empty()) << p;
        // Full pages are filled down to the row limit.
        if (p < 2) {
            EXPECT_EQ(rows.rbegin()->first, 131) << p;
        }
        for (const auto& [row, line] : rows) {
            if (line.starts_with("line ")) description.push_back(line);
        }
    }
    // Page 1: address to label on rows 8 to 14, lines 1 to 117 on rows 15 to 131.
    EXPECT_EQ(printer.VisibleRows(pages[0], 50).at(15), "line 1 ");
    EXPECT_EQ(printer.VisibleRows(pages[1], 50).at(8), "line 118 ");
    EXPECT_EQ(printer.VisibleRows(pages[2], 50).at(8), "line 242 ");
    ASSERT_EQ(description.size(), 300u);
    for (int i = 0; i < 300; ++i) EXPECT_EQ(description[i], "line " + std::to_string(i + 1) + " ");
    EXPECT_EQ(header.numberReads, static_cast<int>(pages.size()));
    EXPECT_EQ(header.clockReads, static_cast<int>(pages.size()));
}

TEST(PrintReportJob, APageTooSmallForTheHeaderStillEnds)
{
    RecordingPrinterSetup setup;
    setup.vertRes = 300; // row limit 5: the header alone reaches row 8
    RecordingPrinter printer(setup);
    const CReportRecord record;
    PinnedHeader header(record);
    ASSERT_EQ(PrintReportJob(printer, header.source, kNoImage), JobOutcome::Printed);
    // Every body row ends its page: the first page, one per body row, the image page.
    EXPECT_EQ(printer.Pages().size(), 1u + 23u + 1u);
    for (const RecordedPage& page : printer.Pages()) {
        ASSERT_GE(page.texts.size(), 6u);
        EXPECT_EQ(page.texts[0].rect.top, 100);
        EXPECT_LE(page.texts.size(), 7u);
    }
}

} // namespace
} // namespace qx::print
