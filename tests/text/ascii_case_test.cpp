// ASCII case folding: only A to Z and a to z fold, other bytes order unsigned.
#include "text/ascii_case.h"

#include <gtest/gtest.h>

namespace {

using qx::text::CompareIgnoringAsciiCase;

TEST(AsciiCase, FoldsOnlyAsciiLettersAndOrdersOtherBytesUnsigned)
{
    struct Case {
        std::string_view a;
        std::string_view b;
        int order;
    } const cases[] = {
        {"QXBETA.EXE", "qxbeta.exe", 0},
        {"abc", "ABD", -1},
        {"ab", "abc", -1},        // a prefix first
        {"\xC9t\xE9", "\xE9t\xE9", -1}, // accented letters stay apart
        {"z", "\x80", -1},        // bytes above 0x7F after ASCII
        {"[", "A", -1},           // "[" lies between "Z" and "a": folded to lower, not upper
        {"", "", 0},
    };
    for (const Case& c : cases) {
        const int got = CompareIgnoringAsciiCase(c.a, c.b);
        EXPECT_EQ((got > 0) - (got < 0), c.order) << c.a << " / " << c.b;
        EXPECT_EQ(qx::text::EqualIgnoringAsciiCase(c.a, c.b), c.order == 0) << c.a << " / " << c.b;
    }
    EXPECT_EQ(qx::text::UpperAscii("qxbêta-1.dll"), "QXBêTA-1.DLL");
}

} // namespace
