#include "config/notices.h"

#include "config/keys.h"
#include "config/profile_fixture.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace qx::config {
namespace {

using namespace std::string_literals;

class NoticesTest : public testing::Test {
protected:
    test::ScratchDir scratch;
    Profile profile{scratch.Path()};

    void StoreQxBeta(std::string_view lines) { test::WriteBytes(scratch.Path() / "Orvane.ini", "[QXBETA]\n"s.append(lines)); }
};

TEST_F(NoticesTest, ANoticeIsHiddenOnlyByALeadingZero)
{
    const struct {
        const char* lines;
        bool shown;
    } cases[] = {
        {"", true},           {"INFO=\n", true},     {"INFO=0\n", false}, {"INFO=0abc\n", false},
        {"INFO= 0\n", false}, {"INFO=\" 0\"\n", true}, {"INFO=1\n", true},  {"INFO=x0\n", true},
        {"info=00\n", false},
    };
    for (const auto& c : cases) {
        StoreQxBeta(c.lines);
        EXPECT_EQ(IsNoticeEnabled(profile, kKeyStartNotice), c.shown) << '"' << c.lines << '"';
    }
}

TEST_F(NoticesTest, ANoticeKeyWithoutSectionIsShown)
{
    for (const char* key : {kKeyStartNotice, kKeyCaptureNotice, kKeyMailNotice})
        EXPECT_TRUE(IsNoticeEnabled(profile, key)) << key;
}

TEST_F(NoticesTest, DisablingWritesZeroForThatNoticeOnly)
{
    DisableNotice(profile, kKeyCaptureNotice);
    EXPECT_TRUE(IsNoticeEnabled(profile, kKeyStartNotice));
    EXPECT_FALSE(IsNoticeEnabled(profile, kKeyCaptureNotice));
    EXPECT_TRUE(IsNoticeEnabled(profile, kKeyMailNotice));
    EXPECT_EQ(test::ReadBytes(scratch.Path() / "Orvane.ini"), "[QXBETA]\r\nINFOIMP=0\r\n");
}

TEST(ParseLeadingIntTest, ReadsAsAtoiWithSaturation)
{
    const struct {
        std::string text;
        int value;
    } cases[] = {
        {"", 0},
        {"abc", 0},
        {"99", 99},
        {"-5", -5},
        {"+7", 7},
        {" \t\n\v\f\r42", 42},
        {"12abc", 12},
        {"007", 7},
        {"- 5", 0},
        {"+-5", 0},
        {"1 2", 1},
        {"\xA0" "5", 0},
        {"2147483647", 2147483647},
        {"2147483648", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"-2147483649", -2147483647 - 1},
        {std::string(400, '9'), 2147483647},
        {"-" + std::string(400, '9'), -2147483647 - 1},
        {std::string(400, '0') + "12", 12},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseLeadingInt(c.text), c.value) << '"' << c.text << '"';
}

TEST_F(NoticesTest, ReportNumberIsReadAsStored)
{
    EXPECT_EQ(ReadReportNumber(profile), "1");
    StoreQxBeta("numrpt=abc\n");
    EXPECT_EQ(ReadReportNumber(profile), "abc");
    StoreQxBeta("numrpt=\n");
    EXPECT_EQ(ReadReportNumber(profile), "");
}

TEST_F(NoticesTest, IncrementAddsOneToTheLeadingNumber)
{
    const struct {
        std::optional<std::string> stored;
        const char* next;
    } cases[] = {
        {std::nullopt, "2"},
        {"", "1"},
        {"abc", "1"},
        {"99", "100"},
        {"-5", "-4"},
        {"-1", "0"},
        {"  12 rapports", "13"},
        {"007", "8"},
        {"2147483647", "-2147483648"},
        {std::string(40, '9'), "-2147483648"},
        {"-" + std::string(40, '9'), "-2147483647"},
    };
    for (const auto& c : cases) {
        StoreQxBeta(c.stored ? "numrpt=" + *c.stored + "\n" : "Nom=x\n");
        IncrementReportNumber(profile);
        EXPECT_EQ(ReadReportNumber(profile), c.next) << (c.stored ? '"' + *c.stored + '"' : "missing");
    }
}

TEST_F(NoticesTest, TwoIncrementsInARow)
{
    IncrementReportNumber(profile);
    IncrementReportNumber(profile);
    EXPECT_EQ(ReadReportNumber(profile), "3");
}

} // namespace
} // namespace qx::config
