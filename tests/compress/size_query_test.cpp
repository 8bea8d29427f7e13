#include "qxcompress.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "archive_files.h"
#include "support/faulty_file_ops.h"
#include "support/lh5_stream_builder.h"
#include "support/scratch_dir.h"
#include "compress/platform/file_ops.h"

namespace qx::compress {
namespace {

using test::Bytes;

Bytes Tagged(std::uint32_t size)
{
    Bytes bytes = test::BytesOf("MKALMORELZCS@");
    bytes.insert(bytes.end(), {9, 9, 9, 9});
    for (int shift = 24; shift >= 0; shift -= 8) bytes.push_back(static_cast<std::uint8_t>(size >> shift));
    bytes.insert(bytes.end(), 100, 'r');
    return bytes;
}

TEST(SizeQuery, ResultsForEveryKindOfFile)
{
    test::ScratchDir dir;
    struct Case {
        const char* name;
        Bytes bytes;
        std::int32_t size;
    };
    const Bytes data(5000, 'd');
    Bytes plainLookingPacked = test::BytesOf("x-lh5-");
    plainLookingPacked.resize(400, 0);
    const Case cases[] = {
        {"packed", test::PackedArchive("-lh5-", 1234, 99999, "n", data), 1234 + 286},
        {"upper", test::PackedArchive("-LH5-", 5000, 5000, "n", data), 5286},
        {"stored", test::PackedArchive("-lh0-", 20000, 20000, "n", Bytes(20000, 's')), 20286},
        {"tagged", Tagged(0x01020304), 0x01020304},
        {"tagged-zero", Tagged(0), -2},
        {"plain", test::BytesOf("a plain copy of some text that does not pack"), -2},
        {"empty", {}, -2},
        {"short-tag", test::BytesOf("MKALMORELZCS@12"), -2},
        {"plain-with-method", plainLookingPacked, 286},
    };
    for (const Case& c : cases) {
        test::WriteBytes(dir.File(c.name), c.bytes);
        EXPECT_EQ(lfTailleCompacte(0, dir.File(c.name).c_str()), c.size) << c.name;
    }
    EXPECT_EQ(lfTailleCompacte(0, dir.File("missing").c_str()), -1);
    std::filesystem::create_directory(dir.File("directory"));
    EXPECT_EQ(lfTailleCompacte(0, dir.File("directory").c_str()), -2);
}

TEST(SizeQuery, AFailedFirstReadGivesMinus2)
{
    test::ScratchDir dir;
    const std::string path = dir.File("packed");
    test::WriteBytes(path, test::PackedArchive("-lh5-", 10, 10, "n", Bytes(10, 'x')));
    test::FaultyFileOps ops;
    ops.FailReadsOf(path, 0, EIO);
    ScopedFileOps use(ops);
    EXPECT_EQ(lfTailleCompacte(0, path.c_str()), -2);
}

} // namespace
} // namespace qx::compress
