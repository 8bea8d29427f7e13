#include "config/ini_document.h"
#include "config/name_case.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

namespace qx::config {
namespace {

using namespace std::string_literals;

struct LookupCase {
    const char* what;
    std::string document;
    const char* section;
    const char* key;
    std::optional<std::string> expected;
};

void PrintTo(const LookupCase& c, std::ostream* os) { *os << c.what; }

class LookupIniTest : public testing::TestWithParam<LookupCase> {};

TEST_P(LookupIniTest, FindsTheValue)
{
    const LookupCase& c = GetParam();
    const std::optional<std::string_view> found = LookupIni(c.document, c.section, c.key);
    ASSERT_EQ(found.has_value(), c.expected.has_value()) << c.what;
    if (found) {
        EXPECT_EQ(std::string(*found), *c.expected) << c.what;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LookupIniTest,
    testing::Values(
        LookupCase{"section and key in another case", "[ORVANE55]\r\nrepexe=C:\\Orvane\r\n", "Orvane55", "REPEXE",
                   "C:\\Orvane"},
        LookupCase{"LF line ends", "[a]\nk=v\n", "a", "k", "v"},
        LookupCase{"no line end at the end", "[a]\nk=v", "a", "k", "v"},
        LookupCase{"blanks around names and value", " \t[ a ]  \n  k\t=  v w \t\n", "a", "k", "v w"},
        LookupCase{"quotes removed, blanks inside kept", "[a]\nk=\"  x  \"\n", "a", "k", "  x  "},
        LookupCase{"a lone quote stays", "[a]\nk=\"\n", "a", "k", "\""},
        LookupCase{"quote at one end only stays", "[a]\nk=\"x\n", "a", "k", "\"x"},
        LookupCase{"empty value is a value", "[a]\nk=\n", "a", "k", ""},
        LookupCase{"equals sign inside the value", "[a]\nk=a=b\n", "a", "k", "a=b"},
        LookupCase{"comment skipped", "[a]\n;k=c\nk=v\n", "a", "k", "v"},
        LookupCase{"indented comment skipped", "[a]\n  ;k=c\n", "a", "k", std::nullopt},
        LookupCase{"first of two equal keys wins", "[a]\nk=1\nK=2\n", "a", "k", "1"},
        LookupCase{"first block of a repeated section wins", "[a]\nk=1\n[a]\nk=2\n", "a", "k", "1"},
        LookupCase{"later block of a repeated section is read", "[a]\nx=1\n[b]\nk=2\n[A]\nk=3\n", "a", "k", "3"},
        LookupCase{"key of another section", "[b]\nk=1\n[a]\nx=2\n", "a", "k", std::nullopt},
        LookupCase{"entry before any section", "k=1\n[a]\n", "a", "k", std::nullopt},
        LookupCase{"missing section", "[b]\nk=1\n", "a", "k", std::nullopt},
        LookupCase{"empty document", "", "a", "k", std::nullopt},
        LookupCase{"line without equals sign", "[a]\nk\n", "a", "k", std::nullopt},
        LookupCase{"header without closing bracket", "[a\nk=v\n", "a", "k", "v"},
        LookupCase{"text after the closing bracket", "[a] ; note\nk=v\n", "a", "k", "v"},
        LookupCase{"Windows-1252 letters compare without case", "[\xC9T\xC9]\n\xC9=1\n", "\xE9t\xE9", "\xE9", "1"},
        LookupCase{"NUL byte in an earlier line", "[a]\nx=1\0\nk=v\n"s, "a", "k", "v"},
        LookupCase{"value holding a NUL is returned whole", "[a]\nk=1\0" "2\n"s, "a", "k", "1\0" "2"s},
        LookupCase{"lone CR inside a line is no line end", "[a]\nx=1\rk=v\n", "a", "k", std::nullopt}));

struct WriteCase {
    const char* what;
    std::string document;
    const char* section;
    const char* key;
    std::string value;
    std::string expected;
};

void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.what; }

class WriteIniTest : public testing::TestWithParam<WriteCase> {};

TEST_P(WriteIniTest, RewritesOnlyTheKey)
{
    const WriteCase& c = GetParam();
    const std::optional<std::string> written = WriteIni(c.document, c.section, c.key, c.value);
    ASSERT_TRUE(written.has_value()) << c.what;
    EXPECT_EQ(*written, c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WriteIniTest,
    testing::Values(
        WriteCase{"new file", "", "QXBETA", "numrpt", "2", "[QXBETA]\r\nnumrpt=2\r\n"},
        WriteCase{"replaced, comments, order and other sections kept",
                  "; top\n[QXBETA]\nNom=a\nnumrpt=1\nTel=3\n\n[Orvane55]\nREPEXE=/x\n", "QXBETA", "numrpt", "2",
                  "; top\r\n[QXBETA]\r\nNom=a\r\nnumrpt=2\r\nTel=3\r\n\r\n[Orvane55]\r\nREPEXE=/x\r\n"},
        WriteCase{"added after the section's last entry",
                  "[QXBETA]\nNom=a\n\n; next\n[Orvane55]\nREPEXE=/x\n", "QXBETA", "Tel", "5",
                  "[QXBETA]\r\nNom=a\r\nTel=5\r\n\r\n; next\r\n[Orvane55]\r\nREPEXE=/x\r\n"},
        WriteCase{"added under a header without entries", "[QXBETA]\n[b]\n", "QXBETA", "k", "v",
                  "[QXBETA]\r\nk=v\r\n[b]\r\n"},
        WriteCase{"added to the first block of a repeated section", "[a]\nx=1\n[b]\n[a]\ny=2\n", "a", "k", "v",
                  "[a]\r\nx=1\r\nk=v\r\n[b]\r\n[a]\r\ny=2\r\n"},
        WriteCase{"replaced in the block where it is read", "[a]\nx=1\n[a]\nk=2\n", "a", "k", "v",
                  "[a]\r\nx=1\r\n[a]\r\nk=v\r\n"},
        WriteCase{"the file's spelling of the key is kept", "[qxbeta]\n  NUMRPT = 7 \n", "QXBETA", "numrpt", "8",
                  "[qxbeta]\r\n  NUMRPT =8\r\n"},
        WriteCase{"first of two equal keys replaced", "[a]\nk=1\nk=2\n", "a", "k", "9", "[a]\r\nk=9\r\nk=2\r\n"},
        WriteCase{"new section after a last line without line end", "[b]\nx=1", "a", "k", "v",
                  "[b]\r\nx=1\r\n[a]\r\nk=v\r\n"},
        WriteCase{"CRLF file stays CRLF", "[a]\r\nk=1\r\nz=2\r\n", "a", "k", "3", "[a]\r\nk=3\r\nz=2\r\n"},
        WriteCase{"empty value written", "[a]\nk=1\n", "a", "k", "", "[a]\r\nk=\r\n"},
        WriteCase{"CR and LF in the value become blanks", "", "a", "k", "l1\r\nl2\n", "[a]\r\nk=l1  l2 \r\n"},
        WriteCase{"value ends at a NUL", "", "a", "k", "ab\0cd"s, "[a]\r\nk=ab\r\n"},
        WriteCase{"long value written whole", "", "a", "k", std::string(300, 'x'),
                  "[a]\r\nk=" + std::string(300, 'x') + "\r\n"},
        WriteCase{"NUL and other bytes of other lines kept", "[b]\nx=\0\xFF\r\r\n[a]\nk=1\n"s, "a", "k", "2",
                  "[b]\r\nx=\0\xFF\r\r\n[a]\r\nk=2\r\n"s}));

TEST(WriteIniTest, RefusesNamesThatCannotBeReadBack)
{
    const struct {
        std::string section;
        std::string key;
    } refused[] = {
        {"", "k"}, {" a", "k"}, {"a\t", "k"}, {"a]", "k"}, {"a\nb", "k"}, {"a\0"s, "k"},
        {"a", ""}, {"a", "k "}, {"a", "k=v"}, {"a", ";k"}, {"a", "[k"}, {"a", "k\r"}, {"a", "k\0"s},
    };
    for (const auto& names : refused)
        EXPECT_FALSE(WriteIni("[a]\nk=1\n", names.section, names.key, "v").has_value())
            << "section \"" << names.section << "\" key \"" << names.key << "\"";
}

TEST(WriteIniTest, LongLinesAreKeptAndSkipped)
{
    const std::string longLine = "x=" + std::string(100000, 'y');
    const std::string document = "[b]\n" + longLine + "\n[a]\nk=1\n" + std::string(100000, '[') + "\n";
    const std::optional<std::string> written = WriteIni(document, "a", "k", "2");
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(*written, "[b]\r\n" + longLine + "\r\n[a]\r\nk=2\r\n" + std::string(100000, '[') + "\r\n");
    EXPECT_EQ(LookupIni(*written, "b", "x"), std::string_view(longLine).substr(2));
}

TEST(NameCaseTest, FoldsAsciiAndWindows1252Letters)
{
    const struct {
        char upper;
        char lower;
    } pairs[] = {{'A', 'a'}, {'Z', 'z'}, {'\xC0', '\xE0'}, {'\xC9', '\xE9'}, {'\xDE', '\xFE'},
                 {'\x8A', '\x9A'}, {'\x8C', '\x9C'}, {'\x8E', '\x9E'}, {'\x9F', '\xFF'}};
    for (const auto& pair : pairs) {
        EXPECT_EQ(FoldCase(pair.upper), pair.lower) << int(static_cast<unsigned char>(pair.upper));
        EXPECT_EQ(FoldCase(pair.lower), pair.lower);
    }
    for (const char unchanged : {'\xD7', '\xF7', '\xDF', '@', '[', '0', '\0'})
        EXPECT_EQ(FoldCase(unchanged), unchanged);
    EXPECT_TRUE(EqualIgnoringCase("QXB\xCAta", "qxb\xEAta"));
    EXPECT_FALSE(EqualIgnoringCase("Orvane.ini", "Orvane.ini "));
    EXPECT_FALSE(EqualIgnoringCase("[", "{"));
}

} // namespace
} // namespace qx::config
