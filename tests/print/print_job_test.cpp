#include "print/print_job.h"

#include "support/recording_printer.h"
#include "print_fixtures.h"

#include <gtest/gtest.h>

namespace qx::print {
namespace {

using test::PinnedHeader;
using test::RecordingPrinter;
using test::RecordingPrinterSetup;

struct ImageCall {
    int calls = 0;
    int top = -1;
    std::size_t page = 0;
};

ImagePrinter Recorder(ImageCall& call, const RecordingPrinter& printer)
{
    return [&call, &printer](platform::Printer&, int top) {
        ++call.calls;
        call.top = top;
        call.page = printer.Pages().size();
    };
}

TEST(PrintReportJob, FontIsTenPointFixedPitchDemiBoldAndReleased)
{
    RecordingPrinter printer;
    const CReportRecord record;
    PinnedHeader header(record);
    ImageCall image;
    PrintReportJob(printer, test::kJobName, header.source, Recorder(image, printer));
    ASSERT_EQ(printer.FontsCreated().size(), 1u);
    const platform::FontSpec& font = printer.FontsCreated()[0];
    EXPECT_EQ(font.faceName, "MS Sans Serif");
    EXPECT_EQ(font.height, -83); // 10 points at 600 pixels per inch
    EXPECT_EQ(font.weight, 600);
    EXPECT_EQ(font.pitch, platform::FontPitch::Fixed);
    EXPECT_EQ(font.family, platform::FontFamily::Swiss);
    EXPECT_EQ(font.style, platform::FontStyle::Upright);
    EXPECT_EQ(printer.LiveFonts(), 0);
    EXPECT_FALSE(printer.FontSelected());
}

TEST(PrintReportJob, OneJobWithTheImageUnderTheLastHeader)
{
    RecordingPrinter printer;
    const CReportRecord record;
    PinnedHeader header(record);
    ImageCall image;
    EXPECT_EQ(PrintReportJob(printer, test::kJobName, header.source, Recorder(image, printer)), JobOutcome::Printed);
    const std::vector<std::string> calls = {"StartDoc Rapport 65432117", "StartPage", "EndPage", "StartPage",
                                            "EndPage", "EndDoc"};
    EXPECT_EQ(printer.Calls(), calls);
    EXPECT_EQ(image.calls, 1);
    EXPECT_EQ(image.page, 2u);
    EXPECT_EQ(image.top, 8 * 50);
    EXPECT_EQ(printer.Pages()[1].texts.size(), 6u);
}

TEST(PrintReportJob, AJobThatCannotStartPrintsNothing)
{
    struct Case {
        const char* name;
        RecordingPrinterSetup setup;
        std::vector<std::string> calls;
    };
    RecordingPrinterSetup noDoc;
    noDoc.startDocResult = 0;
    RecordingPrinterSetup noFirstPage;
    noFirstPage.failingStartPage = 1;
    RecordingPrinterSetup noLineHeight;
    noLineHeight.fontHeight = 0;
    RecordingPrinterSetup negativeLineHeight;
    negativeLineHeight.fontHeight = 4;
    negativeLineHeight.externalLeading = -5;
    const Case cases[] = {
        {"StartDoc fails", noDoc, {"StartDoc Rapport 65432117"}},
        {"first page fails: the job is aborted", noFirstPage, {"StartDoc Rapport 65432117", "StartPage", "AbortDoc"}},
        {"line height 0", noLineHeight, {}},
        {"line height below 0", negativeLineHeight, {}},
    };
    for (const Case& c : cases) {
        RecordingPrinter printer(c.setup);
        const CReportRecord record;
        PinnedHeader header(record);
        ImageCall image;
        EXPECT_EQ(PrintReportJob(printer, test::kJobName, header.source, Recorder(image, printer)), JobOutcome::NotStarted) << c.name;
        EXPECT_EQ(printer.Calls(), c.calls) << c.name;
        EXPECT_TRUE(printer.Pages().empty()) << c.name;
        EXPECT_EQ(image.calls, 0) << c.name;
        EXPECT_EQ(header.numberReads, 0) << c.name;
        EXPECT_EQ(printer.LiveFonts(), 0) << c.name;
        EXPECT_FALSE(printer.FontSelected()) << c.name;
    }
}

TEST(PrintReportJob, LaterPageFailuresAreNotExamined)
{
    RecordingPrinterSetup setup;
    setup.failingStartPage = 2;
    RecordingPrinter printer(setup);
    const CReportRecord record;
    PinnedHeader header(record);
    ImageCall image;
    EXPECT_EQ(PrintReportJob(printer, test::kJobName, header.source, Recorder(image, printer)), JobOutcome::Printed);
    EXPECT_EQ(printer.Calls().back(), "EndDoc");
    EXPECT_EQ(image.calls, 1);
}

} // namespace
} // namespace qx::print
