// The shared descriptor work: whole reads up to a limit, the atomic replace,
// and the short path of the POSIX file store.
#include "platform/posix/descriptor_io.h"
#include "platform/posix/posix_file_store.h"

#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

#include <fcntl.h>

namespace {

using qx::platform::UniqueFd;

std::string Contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::size_t EntryCount(const std::filesystem::path& directory)
{
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(directory), {}));
}

TEST(ReadAll, StopsAtTheEndOrAtTheLimit)
{
    const qx::test::ScratchDir dir;
    // Longer than one read chunk, so that the loop goes round more than once.
    const std::string bytes(200 * 1024 + 7, 'q');
    std::ofstream(dir.File("f"), std::ios::binary) << bytes;

    struct Case {
        std::size_t limit;
        std::size_t expected;
    } const cases[] = {{std::numeric_limits<std::size_t>::max(), bytes.size()}, {bytes.size() + 1, bytes.size()},
                       {bytes.size(), bytes.size()}, {65 * 1024, 65 * 1024}, {0, 0}};
    for (const Case& c : cases) {
        const UniqueFd fd(::open(dir.File("f").c_str(), O_RDONLY));
        ASSERT_TRUE(fd.Valid());
        const std::optional<std::string> got = qx::platform::ReadAll(fd.Get(), c.limit);
        ASSERT_TRUE(got) << c.limit;
        EXPECT_EQ(*got, bytes.substr(0, c.expected)) << c.limit;
    }
}

TEST(ReplaceAtomically, PutsTheNewContentsInPlaceWithTheModeGiven)
{
    const qx::test::ScratchDir dir;
    const std::string target = dir.File("Orvane.ini");
    std::ofstream(target) << "old";

    ASSERT_TRUE(qx::platform::ReplaceAtomically(target, "new contents", 0640));
    EXPECT_EQ(Contents(target), "new contents");
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(EntryCount(dir.Path()), 1u) << "no temporary file is left";
}

TEST(ReplaceAtomically, LeavesTheTargetAndNoTemporaryFileWhenTheRenameFails)
{
    const qx::test::ScratchDir dir;
    // A non-empty directory in the way: the rename over it fails after the write.
    std::filesystem::create_directory(dir.Path() / "Orvane.ini");
    std::ofstream(dir.File("Orvane.ini/inside")) << "kept";

    EXPECT_FALSE(qx::platform::ReplaceAtomically(dir.Path() / "Orvane.ini", "new", std::nullopt));
    EXPECT_EQ(Contents(dir.File("Orvane.ini/inside")), "kept");
    EXPECT_EQ(EntryCount(dir.Path()), 1u);
}

TEST(PosixFileStore, TheShortPathOfAnExistingPathIsThePathItself)
{
    const qx::test::ScratchDir dir;
    std::ofstream(dir.File("f")) << "x";
    qx::platform::PosixFileStore store;
    EXPECT_EQ(store.ShortPath(dir.Path().string()), dir.Path().string());
    EXPECT_EQ(store.ShortPath(dir.File("f")), dir.File("f"));
    EXPECT_EQ(store.ShortPath(dir.File("missing")), std::nullopt);
    EXPECT_EQ(store.ShortPath(""), std::nullopt);
}

} // namespace
