// The default archive name: serial-number prefix, number text, ".QXR".
#include "report/email/archive_name.h"

#include <gtest/gtest.h>

namespace qx::report {
namespace {

struct NameCase {
    const char* serial;
    const char* storedNumber;
    const char* name;
};

TEST(ArchiveName, DefaultNames)
{
    const NameCase cases[] = {
        {"QX1234", "1", "QX123401.QXR"},   {"QX1234", "7", "QX123407.QXR"},     {"QX1234", "10", "QX123410.QXR"},
        {"QX1234", "123", "QX123412.QXR"}, {"QX1234", "ab", "QX1234ab.QXR"},   {"QX1234", "", "QX123400.QXR"},
        {"", "7", "07.QXR"},               {"Q X 1 2", "3", "QX1203.QXR"},      {" AB CD EF GH ", "1", "ABCDEF01.QXR"},
        {"ABCDEFGH", "99", "ABCDEF99.QXR"}, {"    ", "5", "05.QXR"},           {"A\tB", "1", "AB01.QXR"},
        {"12", " 7", "12 7.QXR"},
    };
    for (const NameCase& c : cases) {
        EXPECT_EQ(DefaultArchiveName(c.serial, c.storedNumber), c.name) << "\"" << c.serial << "\", \"" << c.storedNumber << "\"";
    }
}

TEST(ArchiveName, CharactersNoFileNameHoldsAreLeftOutLikeBlanks)
{
    using namespace std::string_literals;
    const struct {
        std::string serial;
        const char* name;
    } cases[] = {
        {"../../etc", "....et01.QXR"},   {"..\\..\\x", "....x01.QXR"},    {"/tmp/x", "tmpx01.QXR"},
        {"AB/CD/EF/GH", "ABCDEF01.QXR"}, {"C:\\Temp", "CTemp01.QXR"},  {"a*b?c", "abc01.QXR"},
        {"\"<q>\"|", "q01.QXR"},          {"A\0B"s, "AB01.QXR"},         {"\x01\x1F\x7F" "Z", "Z01.QXR"},
        {"\x81\x8D\x8F\x90\x9D" "Y", "Y01.QXR"}, {"////", "01.QXR"},  {"..", "..01.QXR"},
        // Letters of Windows-1252 beyond ASCII are plain characters of a name.
        {"\xC9t\xE9\x80", "\xC9t\xE9\x80" "01.QXR"},
    };
    for (const auto& c : cases) {
        const std::string name = DefaultArchiveName(c.serial, "1");
        EXPECT_EQ(name, c.name) << "\"" << c.serial << "\"";
        EXPECT_EQ(name.find_first_of("/\\"), std::string::npos) << name;
    }
}

TEST(ArchiveName, StemHasAtMostEightCharacters)
{
    EXPECT_EQ(ArchiveNamePrefix("123456789"), "123456");
    EXPECT_EQ(ReportNumberText("123456"), "12");
    EXPECT_EQ(ReportNumberText("1"), "01");
    EXPECT_EQ(ReportNumberText(""), "00");
}

} // namespace
} // namespace qx::report
