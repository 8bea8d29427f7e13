// Only regular files: every entry point refuses a directory, a device, a
// named pipe without writer and a socket at once, as the source, the archive
// or the output, and creates or empties nothing. A call that blocked on the
// pipe would be ended by the alarm.
#include "qxcompress.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "archive_files.h"
#include "support/archive_fixtures.h"
#include "support/lh5_stream_builder.h"
#include "support/scratch_dir.h"
#include "support/special_files.h"

namespace qx::compress {
namespace {

using test::Bytes;

struct Kind {
    const char* name;
    bool (*make)(const std::string& path); // nullptr: the path exists already
    const char* path;                      // for an existing path
};

bool MakeDirectory(const std::string& path) { return std::filesystem::create_directory(path); }

const Kind kKinds[] = {
    {"directory", MakeDirectory, nullptr},
    {"named pipe without writer", test::MakeFifo, nullptr},
    {"socket", test::MakeSocketFile, nullptr},
    {"character device", nullptr, "/dev/null"},
};

// Type and size of what stands at `path`, to see it untouched.
std::pair<mode_t, off_t> Shape(const std::string& path)
{
    struct stat info {};
    ::lstat(path.c_str(), &info);
    return {info.st_mode & S_IFMT, S_ISREG(info.st_mode) ? info.st_size : 0};
}

TEST(RegularFilesOnly, EveryCallRefusesEveryOtherKindAndCreatesNothing)
{
    ::alarm(60);
    test::ScratchDir dir;
    const std::string source = dir.File("source.txt");
    test::WriteBytes(source, test::ReportLikeText(20000, 3));
    const std::string packed = dir.File("packed.qxr");
    ASSERT_EQ(nfCompacte(0, source.c_str(), packed.c_str()), QXCOMPRESS_COMPACT_WRITTEN);
    const std::string plain = dir.File("plain.qxr");
    test::WriteBytes(plain, test::BytesOf("a plain copy"));
    const std::string out = dir.File("out");

    for (const Kind& kind : kKinds) {
        SCOPED_TRACE(kind.name);
        const std::string path = kind.path ? kind.path : dir.File(std::string("special-") + kind.name);
        if (kind.make) {
            ASSERT_TRUE(kind.make(path));
        }
        const auto before = Shape(path);
        const char* p = path.c_str();

        EXPECT_EQ(nfCompacte(0, p, out.c_str()), QXCOMPRESS_COMPACT_SOURCE_CANNOT_OPEN);
        EXPECT_FALSE(test::Exists(out));
        EXPECT_EQ(nfCompacte(0, source.c_str(), p), QXCOMPRESS_COMPACT_ARCHIVE_CANNOT_CREATE);
        EXPECT_EQ(nfDecompacte(0, 0, p, out.c_str()), QXCOMPRESS_EXTRACT_ARCHIVE_CANNOT_OPEN);
        EXPECT_EQ(nfDecompacte(0, 0, p, nullptr), QXCOMPRESS_EXTRACT_ARCHIVE_CANNOT_OPEN);
        EXPECT_FALSE(test::Exists(out));
        EXPECT_EQ(nfDecompacte(0, 0, packed.c_str(), p), QXCOMPRESS_EXTRACT_FAILED);
        EXPECT_EQ(nfDecompacte(0, 0, plain.c_str(), p), QXCOMPRESS_EXTRACT_FAILED);
        EXPECT_EQ(lfTailleCompacte(0, p), QXCOMPRESS_SIZE_CANNOT_OPEN);
        EXPECT_EQ(llTailleSource(p), QXCOMPRESS_SIZE_CANNOT_OPEN);
        EXPECT_EQ(Shape(path), before);
    }
    ::alarm(0);
}

} // namespace
} // namespace qx::compress
