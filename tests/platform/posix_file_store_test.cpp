// The POSIX file store: temporary names, replace and append, removal.
#include "platform/posix/posix_file_store.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

namespace qx::platform {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

TEST(PosixFileStore, TemporaryFilesAreNewEmptyAndNamedByTheirPrefix)
{
    test::ScratchDir dir;
    PosixFileStore files;
    std::set<std::string> made;
    for (int i = 0; i < 20; ++i) {
        const std::optional<std::string> path = files.CreateTempFile(dir.Path().string(), "QX");
        ASSERT_TRUE(path);
        const std::string folder = dir.Path().string() + "/";
        ASSERT_TRUE(path->starts_with(folder)) << *path;
        const std::string name = path->substr(folder.size());
        EXPECT_TRUE(name.size() == 10 && name.starts_with("QX") && name.ends_with(".TMP") &&
                    name.substr(2, 4).find_first_not_of("0123456789ABCDEF") == std::string::npos)
            << *path;
        EXPECT_EQ(std::filesystem::file_size(*path), 0u);
        EXPECT_TRUE(made.insert(*path).second) << "name given twice: " << *path;
    }
    const std::optional<std::string> here = files.CreateTempFile(".", "QX");
    ASSERT_TRUE(here);
    EXPECT_TRUE(here->starts_with("./QX")) << *here;
    std::filesystem::remove(*here);
    EXPECT_FALSE(files.CreateTempFile(dir.File("missing"), "QX"));
}

TEST(PosixFileStore, ReplaceEmptiesAppendKeepsRemoveDeletes)
{
    test::ScratchDir dir;
    PosixFileStore files;
    const std::string path = dir.File("report");
    const Bytes abc = {'a', 'b', 'c'};
    const Bytes de = {'d', 'e'};
    for (const OpenMode mode : {OpenMode::Replace, OpenMode::Replace, OpenMode::Append}) {
        const auto file = files.Open(path, mode);
        ASSERT_TRUE(file);
        EXPECT_EQ(file->Write(mode == OpenMode::Replace ? abc : de), mode == OpenMode::Replace ? 3u : 2u);
        EXPECT_TRUE(file->Close());
    }
    EXPECT_EQ(ReadBytes(path), (Bytes{'a', 'b', 'c', 'd', 'e'}));
    const auto appended = files.Open(dir.File("new"), OpenMode::Append);
    ASSERT_TRUE(appended);
    EXPECT_TRUE(files.Remove(path));
    EXPECT_FALSE(files.Remove(path));
    EXPECT_FALSE(files.Open(dir.File("missing/x"), OpenMode::Replace));
}

} // namespace
} // namespace qx::platform
