// What the status area's tooltip says.
#include "app/core/waiting_status.h"

#include "text/cp1252.h"

#include <gtest/gtest.h>

namespace qx::app {
namespace {

std::string Utf8(const std::string& cp1252)
{
    return text::Cp1252ToUtf8(cp1252);
}

TEST(WaitingStatus, SaysItWaitsAndAfterARefusalTheImagesSizeAndTheSizesTaken)
{
    WaitingStatus status;
    EXPECT_EQ(Utf8(status.ToolTip()), "QXBêta attend une copie d'écran.");

    const struct {
        CaptureRefusal refusal;
        const char* toolTip;
    } cases[] = {
        {{{2561, 1440}, {{2560, 1440}, {800, 600}}},
         "QXBêta attend une copie d'écran.\r\n"
         "Dernière image non prise : 2561 × 1440.\r\n"
         "Tailles prises : 2560 × 1440, 800 × 600."},
        {{{300, 200}, {{1024, 768}}},
         "QXBêta attend une copie d'écran.\r\n"
         "Dernière image non prise : 300 × 200.\r\n"
         "Tailles prises : 1024 × 768."},
        // A window as large as the screen is one size, said once.
        {{{10, 10}, {{1024, 768}, {1024, 768}}},
         "QXBêta attend une copie d'écran.\r\n"
         "Dernière image non prise : 10 × 10.\r\n"
         "Tailles prises : 1024 × 768."},
    };
    for (const auto& c : cases) {
        status.OnImageRefused(c.refusal);
        EXPECT_EQ(status.LastRefusal(), c.refusal);
        EXPECT_EQ(Utf8(status.ToolTip()), c.toolTip);
    }

    status.OnImageTaken();
    EXPECT_FALSE(status.LastRefusal());
    EXPECT_EQ(Utf8(status.ToolTip()), "QXBêta attend une copie d'écran.");
}

} // namespace
} // namespace qx::app
