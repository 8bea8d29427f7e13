// Our lh5 stream read by standard extractors: the data of our archive in a
// standard LHA level-0 archive, extracted with lhasa and libarchive's
// bsdtar, both run as black boxes.
#include "qxcompress.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/wait.h>

#include "archive_files.h"
#include "compress/archive_format.h"
#include "support/archive_fixtures.h"
#include "support/lha_level0.h"
#include "support/scratch_dir.h"

namespace qx::compress {
namespace {

using test::Bytes;

bool HaveProgram(const char* name)
{
    return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

class StandardExtractor : public ::testing::TestWithParam<const char*> {
protected:
    // Packs `data` with nfCompacte and returns the standard archive of its lh5 data.
    Bytes StandardArchiveOf(const Bytes& data)
    {
        const std::string source = dir_.File("REPORT.TMP");
        test::WriteBytes(source, data);
        EXPECT_EQ(nfCompacte(0, source.c_str(), dir_.File("a.qxr").c_str()), QXCOMPRESS_COMPACT_WRITTEN);
        const Bytes archive = test::ReadBytes(dir_.File("a.qxr"));
        MemberHeader header;
        std::copy_n(archive.begin() + kHeaderOffset, kHeaderSize, header.bytes.begin());
        EXPECT_EQ(header.GetMethod(), Method::Lh5) << "the input must pack";
        const auto data_begin = archive.begin() + static_cast<std::ptrdiff_t>(kDataOffset);
        const Bytes lh5(data_begin, data_begin + header.PackedSize());
        return test::LhaLevel0Archive(lh5, data, "report.tmp");
    }

    // Runs the extractor on `archive` and returns what it printed.
    Bytes Extract(const Bytes& archive)
    {
        const std::string lzh = dir_.File("standard.lzh");
        test::WriteBytes(lzh, archive);
        const std::string out = dir_.File("extracted");
        const std::string tool = GetParam();
        const std::string command = (tool == "lhasa" ? "lhasa pq '" : "bsdtar -xOf '") + lzh + "' >'" + out + "' 2>/dev/null";
        const int status = std::system(command.c_str());
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
        return test::ReadBytes(out);
    }

    test::ScratchDir dir_;
};

TEST_P(StandardExtractor, ReadsTheScreenshotBitmap)
{
    if (!HaveProgram(GetParam())) GTEST_SKIP() << GetParam() << " is not installed (scripts/install-deps adds it)";
    const Bytes bitmap = test::ScreenshotBmp(1920, 1080, 42);
    EXPECT_TRUE(Extract(StandardArchiveOf(bitmap)) == bitmap);
}

TEST_P(StandardExtractor, ReadsTheText)
{
    if (!HaveProgram(GetParam())) GTEST_SKIP() << GetParam() << " is not installed (scripts/install-deps adds it)";
    const Bytes text = test::ReportLikeText(1 << 20, 42);
    EXPECT_TRUE(Extract(StandardArchiveOf(text)) == text);
}

INSTANTIATE_TEST_SUITE_P(Debian, StandardExtractor, ::testing::Values("lhasa", "bsdtar"));

} // namespace
} // namespace qx::compress
