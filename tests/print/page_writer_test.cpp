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
        printer.StartDoc(test::kJobName);
        printer.StartPage();
    }
    RecordingPrinter printer;
};

TEST(PageWriter, TextRectangleFollowsTheRowAndEndsInsideThePrintableWidth)
{
    struct Case {
        int horzRes;
        int physicalWidth;
        int physicalOffsetX;
        int right;
    };
    const Case cases[] = {
        {4800, 5100, 150, 4800}, // physical width - offset - 2 line heights would pass the printable width
        {4900, 5100, 150, 4850}, // narrow right margin: physical width - offset - 2 line heights
        {3000, 5100, 1050, 3000}, // 25 mm margins at 600 pixels per inch
    };
    for (const Case& c : cases) {
        RecordingPrinterSetup setup;
        setup.horzRes = c.horzRes;
        setup.physicalWidth = c.physicalWidth;
        setup.physicalOffsetX = c.physicalOffsetX;
        OpenPage page(setup);
        const CReportRecord record;
        PinnedHeader header(record);
        PageWriter writer(page.printer, header.source, 50, 131);
        writer.PrintTextLine("x");
        writer.PrintTextLine("y");
        const auto& texts = page.printer.Pages()[0].texts;
        ASSERT_EQ(texts.size(), 2u);
        EXPECT_EQ(texts[0].rect, (platform::Rect{50, 100, c.right, 6900})) << c.horzRes;
        EXPECT_EQ(texts[1].rect.top, 150);
        EXPECT_EQ(writer.Row(), 4);
    }
}

TEST(PageWriter, ATextTakesOneRowALine)
{
    struct Case {
        int fontHeight;
        int externalLeading;
        std::string text;
        int rowsTaken;
    };
    const std::string threeLines(3 * 160 - 10, 'w');
    const Case cases[] = {
        {50, 0, "one", 1},
        {50, 0, "", 1},  // nothing drawn: still one row
        {50, 0, " ", 1}, // a blank line
        {50, 0, threeLines, 3},
        {50, 10, threeLines, 3},
        {50, 10, "one", 1},
    };
    for (const Case& c : cases) {
        RecordingPrinterSetup setup;
        setup.fontHeight = c.fontHeight;
        setup.externalLeading = c.externalLeading;
        OpenPage page(setup);
        const CReportRecord record;
        PinnedHeader header(record);
        const int lineHeight = c.fontHeight + c.externalLeading;
        PageWriter writer(page.printer, header.source, lineHeight, 100);
        writer.PrintTextLine(c.text);
        EXPECT_EQ(writer.Row(), 2 + c.rowsTaken) << c.text.size();
        // Each line on its own row.
        const auto& texts = page.printer.Pages()[0].texts;
        for (std::size_t i = 0; i < texts.size(); ++i) EXPECT_EQ(texts[i].rect.top, (2 + static_cast<int>(i)) * lineHeight);
    }
}

TEST(PageWriter, APageBreaksBeforeATextThatNoLongerFits)
{
    OpenPage page;
    const CReportRecord record;
    PinnedHeader header(record);
    PageWriter writer(page.printer, header.source, 50, 10);
    for (int i = 0; i < 9; ++i) writer.PrintTextLine("r"); // rows 2 to 10, 10 the last one
    EXPECT_EQ(writer.Row(), 11);
    // The page ends exactly on its last row: no page of its own for nothing.
    EXPECT_EQ(page.printer.Pages().size(), 1u);
    writer.PrintTextLine("next");
    EXPECT_EQ(page.printer.Pages().size(), 2u);
    EXPECT_EQ(writer.Row(), 9);
    EXPECT_EQ(page.printer.VisibleRows(page.printer.Pages()[1], 50).at(8), "next");
    EXPECT_EQ(header.numberReads, 1);
}

// Three rows of 150 characters: a wrapped module line near the foot.
std::string ThreeRowText()
{
    std::string text;
    for (int i = 0; i < 3; ++i) text += std::string(150, static_cast<char>('a' + i)) + " ";
    return text;
}

TEST(PageWriter, TheRowsOfOneTextStayTogetherOnTheNextPage)
{
    for (int start : {129, 130, 131}) {
        OpenPage page;
        const CReportRecord record;
        PinnedHeader header(record);
        PageWriter writer(page.printer, header.source, 50, 131);
        for (int row = 2; row < start; ++row) writer.PrintTextLine("filler");
        writer.PrintTextLine(ThreeRowText());

        const auto& pages = page.printer.Pages();
        for (const RecordedPage& p : pages) EXPECT_TRUE(page.printer.LostLines(p).empty()) << start;
        const auto rows = page.printer.VisibleRows(pages.back(), 50);
        const int first = start == 129 ? 129 : 8;
        EXPECT_EQ(pages.size(), start == 129 ? 1u : 2u);
        EXPECT_EQ(rows.at(first), std::string(150, 'a') + " ") << start;
        EXPECT_EQ(rows.at(first + 1), std::string(150, 'b') + " ") << start;
        EXPECT_EQ(rows.at(first + 2), std::string(150, 'c') + " ") << start;
    }
}

TEST(PageWriter, ATextTallerThanAPageGoesOnOverTheNextOne)
{
    OpenPage page;
    const CReportRecord record;
    PinnedHeader header(record);
    PageWriter writer(page.printer, header.source, 50, 12); // five body rows a page
    writer.PrintPageHeader();
    writer.PrintTextLine("filler");
    std::string text;
    for (int i = 0; i < 8; ++i) text += std::string(150, static_cast<char>('a' + i)) + " ";
    writer.PrintTextLine(text);
    const auto& pages = page.printer.Pages();
    ASSERT_EQ(pages.size(), 3u);
    std::string seen;
    for (const RecordedPage& p : pages) {
        EXPECT_TRUE(page.printer.LostLines(p).empty());
        for (const auto& [row, line] : page.printer.VisibleRows(p, 50))
            if (row >= 8 && line != "filler") seen += line;
    }
    EXPECT_EQ(seen, text);
    EXPECT_EQ(page.printer.VisibleRows(pages[1], 50).at(8), std::string(150, 'a') + " ");
    EXPECT_EQ(page.printer.VisibleRows(pages[2], 50).at(8), std::string(150, 'f') + " ");
}

TEST(PrintReportJob, SeveralPagesEachStartWithTheHeaderAndBodyGoesOnAtRowEight)
{
    CReportRecord record;
    record.m_identity.m_strName = "Dupont";
    record.m_identity.m_strSerial = "654321";
    record.m_strDescription = test::NumberedLines(300);
    PinnedHeader header(record, "0099");
    RecordingPrinter printer;
    ASSERT_EQ(PrintReportJob(printer, test::kJobName, header.source, kNoImage), JobOutcome::Printed);

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
    ASSERT_EQ(PrintReportJob(printer, test::kJobName, header.source, kNoImage), JobOutcome::Printed);
    // One body row a page (the first one lost below the foot), then the image page.
    EXPECT_EQ(printer.Pages().size(), 23u + 1u);
    for (const RecordedPage& page : printer.Pages()) {
        ASSERT_GE(page.texts.size(), 6u);
        EXPECT_EQ(page.texts[0].rect.top, 100);
        EXPECT_LE(page.texts.size(), 7u);
    }
}

} // namespace
} // namespace qx::print
