#include "text/cp1252.h"

#include <gtest/gtest.h>

namespace qx::text {
namespace {

TEST(Cp1252, EveryByteRoundTripsThroughUtf8)
{
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(Cp1252, FrenchTextsAndTheHighControlRange)
{
    struct Case { const char* utf8; const char* cp1252; };
    const Case cases[] = {
        {"QXBêta", "QXB\xEAta"},
        {"Société", "Soci\xE9t\xE9"},
        {"5 €", "5 \x80"},
        {"œuvre", "\x9Cuvre"},
        {"l’incident", "l\x92incident"},
        {"« … »", "\xAB \x85 \xBB"},
        {"N° de série", "N\xB0 de s\xE9rie"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Utf8ToCp1252(c.utf8), c.cp1252) << c.utf8;
        EXPECT_EQ(Cp1252ToUtf8(c.cp1252), c.utf8) << c.utf8;
    }
}

TEST(Cp1252, UnrepresentableAndMalformedInputBecomesOneQuestionMarkEach)
{
    EXPECT_EQ(Utf8ToCp1252("a\xE2\x82\xBD" "b"), "a?b");       // rouble sign
    EXPECT_EQ(Utf8ToCp1252("x\xF0\x9F\x98\x80y"), "x?y");      // emoji
    EXPECT_EQ(Utf8ToCp1252("a\xC3" "b"), "a?b");               // cut sequence
    EXPECT_EQ(Utf8ToCp1252("\xC0\xAF"), "??");                 // overlong
    EXPECT_EQ(Utf8ToCp1252("\xED\xA0\x80"), "???");            // surrogate
    EXPECT_EQ(Utf8ToCp1252(std::string("a\0b", 3)), std::string("a\0b", 3));
}

} // namespace
} // namespace qx::text
