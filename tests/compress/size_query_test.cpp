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
    constexpr std::int32_t kNone = QXCOMPRESS_SIZE_NOT_AN_ARCHIVE;
    constexpr std::int32_t kTooLarge = QXCOMPRESS_SIZE_TOO_LARGE;
    struct Case {
        const char* name;
        Bytes bytes;
        std::int32_t size;       // lfTailleCompacte
        std::int64_t sourceSize; // llTailleSource
    };
    const Bytes data(5000, 'd');
    Bytes plainLookingPacked = test::BytesOf("x-lh5-");
    plainLookingPacked.resize(400, 0);
    const Case cases[] = {
        {"packed", test::PackedArchive("-lh5-", 1234, 99999, "n", data), 1234 + 286, 99999},
        {"upper", test::PackedArchive("-LH5-", 5000, 5000, "n", data), 5286, 5000},
        {"stored", test::PackedArchive("-lh0-", 20000, 20000, "n", Bytes(20000, 's')), 20286, 20000},
        {"huge-source", test::PackedArchive("-lh5-", 10, 0xFFFFFFFF, "n", Bytes(10, 'h')), 296, 0xFFFFFFFF},
        {"longest-length", test::PackedArchive("-lh5-", 0x7FFFFFFF - 286, 1, "n", data), 0x7FFFFFFF, 1},
        {"length-beyond-31-bits", test::PackedArchive("-lh5-", 0x7FFFFFFF - 285, 1, "n", data), kTooLarge, 1},
        {"packed-size-31-bits", test::PackedArchive("-lh5-", 0x7FFFFFFF, 1, "n", data), kTooLarge, 1},
        {"packed-size-near-32-bits", test::PackedArchive("-lh5-", 0xFFFFFEE1, 1, "n", data), kTooLarge, 1},
        {"packed-size-32-bits", test::PackedArchive("-lh5-", 0xFFFFFFFF, 1, "n", data), kTooLarge, 1},
        {"tagged", Tagged(0x01020304), 0x01020304, kNone},
        {"tagged-31-bits", Tagged(0x7FFFFFFF), 0x7FFFFFFF, kNone},
        {"tagged-32-bits", Tagged(0x80000000), kTooLarge, kNone},
        {"tagged-all-ones", Tagged(0xFFFFFFFF), kTooLarge, kNone},
        {"tagged-zero", Tagged(0), kNone, kNone},
        {"plain", test::BytesOf("a plain copy of some text that does not pack"), kNone, kNone},
        {"empty", {}, kNone, kNone},
        {"short-tag", test::BytesOf("MKALMORELZCS@12"), kNone, kNone},
        {"plain-with-method", plainLookingPacked, 286, 0},
    };
    for (const Case& c : cases) {
        test::WriteBytes(dir.File(c.name), c.bytes);
        EXPECT_EQ(lfTailleCompacte(0, dir.File(c.name).c_str()), c.size) << c.name;
        EXPECT_EQ(llTailleSource(dir.File(c.name).c_str()), c.sourceSize) << c.name;
    }
    for (const auto query : {+[](const char* path) { return std::int64_t{lfTailleCompacte(0, path)}; },
                             +[](const char* path) { return llTailleSource(path); }}) {
        EXPECT_EQ(query(dir.File("missing").c_str()), QXCOMPRESS_SIZE_CANNOT_OPEN);
        EXPECT_EQ(query(nullptr), QXCOMPRESS_SIZE_CANNOT_OPEN);
        std::filesystem::create_directories(dir.File("directory"));
        EXPECT_EQ(query(dir.File("directory").c_str()), QXCOMPRESS_SIZE_CANNOT_OPEN);
    }
}

TEST(SizeQuery, AFailedFirstReadGivesMinus2)
{
    test::ScratchDir dir;
    const std::string path = dir.File("packed");
    test::WriteBytes(path, test::PackedArchive("-lh5-", 10, 10, "n", Bytes(10, 'x')));
    test::FaultyFileOps ops;
    ops.FailReadsOf(path, 0, EIO);
    ScopedFileOps use(ops);
    EXPECT_EQ(lfTailleCompacte(0, path.c_str()), QXCOMPRESS_SIZE_NOT_AN_ARCHIVE);
    EXPECT_EQ(llTailleSource(path.c_str()), QXCOMPRESS_SIZE_NOT_AN_ARCHIVE);
}

} // namespace
} // namespace qx::compress
