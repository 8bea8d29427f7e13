// The best-fit conversion of typed text to Windows-1252.
#include "text/best_fit.h"

#include "text/cp1252.h"

#include <clocale>
#include <locale.h>
#include <string>

#include <gtest/gtest.h>

namespace qx::text {
namespace {

TEST(BestFit, EachCharacterGetsItsFitAndOnlyCharactersWithoutOneBecomeAQuestionMark)
{
    const struct {
        const char* utf8;
        const char* cp1252;
    } cases[] = {
        {"abc", "abc"},
        {"ł", "l"},
        {"Łódź", "L\xF3" "dz"},
        {"→", "->"},
        {"a → b", "a -> b"},
        {"…", "\x85"},
        {"€ “x” œ ™ ½ é ß", "\x80 \x93x\x94 \x9C \x99 \xBD \xE9 \xDF"},
        {"ﬁ", "fi"},
        {"中", "?"},
        {"😀", "?"},
        {"?", "?"},
        {"", ""},
        // Malformed UTF-8: one "?" a byte, as the plain conversion does.
        {"a\xFF" "b", "a?b"},
        {"\xC3", "?"},
        {"\xED\xA0\x80", "???"},
    };
    for (const auto& c : cases) EXPECT_EQ(Utf8ToCp1252BestFit(c.utf8), c.cp1252) << c.utf8;
}

TEST(BestFit, EveryWindows1252TextComesBackUnchanged)
{
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToCp1252BestFit(Cp1252ToUtf8(all)), all);
}

// glibc transliterates after the calling thread's locale; the fit must not
// depend on the locale the program was started under.
TEST(BestFit, IsTheSameUnderEveryProcessLocaleAndLeavesTheThreadsLocaleAlone)
{
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    for (const char* name : {"C", "POSIX", "C.UTF-8"}) {
        ASSERT_NE(std::setlocale(LC_ALL, name), nullptr) << name;
        const locale_t before = ::uselocale(static_cast<locale_t>(0));
        EXPECT_EQ(Utf8ToCp1252BestFit("ł → …"), "l -> \x85") << name;
        EXPECT_EQ(::uselocale(static_cast<locale_t>(0)), before) << name;
    }
    std::setlocale(LC_ALL, saved.c_str());
}

} // namespace
} // namespace qx::text
