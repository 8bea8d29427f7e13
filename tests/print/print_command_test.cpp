#include "print/print_command.h"

#include "bitmap/incident_marker.h"
#include "config/keys.h"
#include "config/notices.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "support/fake_print_host.h"
#include "support/forwarding_printer.h"
#include "support/bitmap_fixtures.h"
#include "support/recording_printer.h"
#include "support/scratch_dir.h"
#include "text/cp1252.h"

#include <gtest/gtest.h>

namespace qx::print {
namespace {

using test::RecordingPrinter;

class PrintCommand : public ::testing::Test {
protected:
    PrintCommand() : host(scratch.Path(), test::ScreenshotLike(320, 200, 32, 4))
    {
        host.record.m_identity.m_strName = "Dupont";
        host.Profile().Write(config::kSectionQxBeta, config::kKeyReportNumber, "5");
    }

    // Services whose dialog hands out `printer` (wrapped by `Wrap`), or
    // nothing when `printer` is null.
    template <typename Wrap = test::ForwardingPrinter>
    PrintServices Services(platform::Printer* printer)
    {
        return {[this, printer](platform::OwnerWindow*, const std::string& name) -> std::unique_ptr<platform::Printer> {
                    ++dialogs;
                    documentName = name;
                    if (printer == nullptr) return nullptr;
                    return std::make_unique<Wrap>(*printer);
                },
                [] { return DisplayInfo{320, {}}; },
                [] {
                    std::tm t{};
                    t.tm_year = 126;
                    t.tm_mon = 2;
                    t.tm_mday = 7;
                    return t;
                }};
    }

    std::string StoredNumber() const { return config::ReadReportNumber(host.Profile()); }

    test::ScratchDir scratch;
    test::FakePrintHost host;
    int dialogs = 0;
    std::string documentName; // what the dialog was given
};

std::string NumberRowOf(const RecordingPrinter& printer, std::size_t page)
{
    return printer.VisibleRows(printer.Pages().at(page), 50).at(4);
}

TEST_F(PrintCommand, PrintsAndAdvancesTheNumber)
{
    RecordingPrinter printer;
    RunPrintCommand(host, Services(&printer));
    const std::vector<std::string> log = {"SaveIdentity", "Pick", "WaitOn", "OpenBusy", "CloseBusy", "WaitOff"};
    EXPECT_EQ(host.log, log);
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(printer.Calls().back(), "EndDoc");
    for (std::size_t p = 0; p < printer.Pages().size(); ++p) {
        EXPECT_EQ(NumberRowOf(printer, p), text::Utf8ToCp1252("Rapport n°5"));
    }
    EXPECT_EQ(StoredNumber(), "6");
}

TEST_F(PrintCommand, TheJobIsNamedAfterTheReportLikeItsArchive)
{
    host.record.m_identity.m_strSerial = "BX 1234";
    RecordingPrinter printer;
    RunPrintCommand(host, Services(&printer));
    EXPECT_EQ(documentName, "Rapport BX123405");
    EXPECT_EQ(printer.Calls().front(), "StartDoc Rapport BX123405");
    // The next printout carries the next number.
    RecordingPrinter again;
    RunPrintCommand(host, Services(&again));
    EXPECT_EQ(again.Calls().front(), "StartDoc Rapport BX123406");
}

TEST_F(PrintCommand, ACancelledPrinterDialogPrintsNothingAndKeepsTheNumber)
{
    const Bitmap before = host.ScreenImage();
    host.nextPick = {40, 40};
    RunPrintCommand(host, Services(nullptr));
    EXPECT_EQ(host.log, (std::vector<std::string>{"SaveIdentity", "Pick"}));
    EXPECT_EQ(StoredNumber(), "5");
    EXPECT_EQ(host.ScreenImage().bits, before.bits); // the picked point is not used
}

TEST_F(PrintCommand, AJobThatCannotStartKeepsTheNumber)
{
    test::RecordingPrinterSetup setup;
    setup.startDocResult = 0;
    RecordingPrinter printer(setup);
    RunPrintCommand(host, Services(&printer));
    EXPECT_TRUE(printer.Pages().empty());
    const std::vector<std::string> log = {"SaveIdentity", "Pick",    "WaitOn",
                                          "OpenBusy",     "CloseBusy", "WaitOff",
                                          "Message " + res::LoadResString(res::kMsgPrintFailed)};
    EXPECT_EQ(host.log, log);
    EXPECT_EQ(StoredNumber(), "5");
}

TEST_F(PrintCommand, TwoPrintoutsOfOneCaptureShowBothArrowsWithTheNextNumber)
{
    Bitmap expected = host.ScreenImage();
    bitmap::DrawIncidentMarker(expected, {30, 40}, 2.0f);
    host.nextPick = {30, 40};
    RecordingPrinter first;
    RunPrintCommand(host, Services(&first));

    bitmap::DrawIncidentMarker(expected, {200, 100}, 2.0f);
    host.nextPick = {200, 100};
    RecordingPrinter second;
    RunPrintCommand(host, Services(&second));

    const auto& image = second.Pages().back().images.at(0).image;
    EXPECT_EQ(test::ExpectedRgb(image), test::ExpectedRgb(expected));
    EXPECT_EQ(NumberRowOf(second, 0), text::Utf8ToCp1252("Rapport n°6"));
    EXPECT_EQ(StoredNumber(), "7");

    // A cancelled pick adds no arrow; the earlier two stay.
    host.nextPick = {};
    RecordingPrinter third;
    RunPrintCommand(host, Services(&third));
    EXPECT_EQ(test::ExpectedRgb(third.Pages().back().images.at(0).image), test::ExpectedRgb(expected));
}

TEST_F(PrintCommand, APrinterWithoutBitmapTransferGetsAHeaderOnlyLastPage)
{
    RecordingPrinter printer;
    host.nextPick = {10, 10};
    RunPrintCommand(host, Services<test::NoBitmapPrinter>(&printer));
    const test::RecordedPage& last = printer.Pages().back();
    EXPECT_TRUE(last.images.empty());
    EXPECT_EQ(last.texts.size(), 6u);
    EXPECT_EQ(StoredNumber(), "6");
}

} // namespace
} // namespace qx::print
