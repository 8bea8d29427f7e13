// The parts of "/"-separated paths.
#include "text/path_parts.h"

#include <gtest/gtest.h>

namespace {

TEST(PathParts, SplitsAtTheLastSlash)
{
    struct Case {
        std::string_view path;
        std::string_view directory;
        std::string_view name;
    } const cases[] = {
        {"/opt/orvane/QXBETA.EXE", "/opt/orvane", "QXBETA.EXE"},
        {"/QXBETA.EXE", "/", "QXBETA.EXE"},
        {"QXBETA.EXE", ".", "QXBETA.EXE"},
        {"/opt/orvane/", "/opt/orvane", ""},
        {"", ".", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(qx::text::DirectoryOf(c.path), c.directory) << c.path;
        EXPECT_EQ(qx::text::FileNamePart(c.path), c.name) << c.path;
    }
}

TEST(PathParts, JoinsWithExactlyOneSlashAfterTheDirectory)
{
    EXPECT_EQ(qx::text::JoinPath("/opt/orvane", "*.exe"), "/opt/orvane/*.exe");
    EXPECT_EQ(qx::text::JoinPath("/opt/orvane/", "*.exe"), "/opt/orvane/*.exe");
    EXPECT_EQ(qx::text::JoinPath("", "qx0001.TMP"), "/qx0001.TMP");
}

} // namespace
