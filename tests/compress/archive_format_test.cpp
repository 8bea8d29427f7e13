#include "compress/archive_format.h"

#include <gtest/gtest.h>

#include <string>

namespace qx::compress {
namespace {

// Programs built against an older qxcompress.h keep comparing with these values.
static_assert(QXCOMPRESS_MAX_PATH_LENGTH == 268);
static_assert(QXCOMPRESS_COMPACT_WRITTEN == 0 && QXCOMPRESS_COMPACT_SOURCE_CANNOT_OPEN == 1 &&
              QXCOMPRESS_COMPACT_ARCHIVE_CANNOT_CREATE == 2 && QXCOMPRESS_COMPACT_WRITE_FAILED == 4 &&
              QXCOMPRESS_COMPACT_NO_MEMORY == 5 && QXCOMPRESS_COMPACT_VOLUME_FULL == 7);
static_assert(QXCOMPRESS_EXTRACT_DONE == 0 && QXCOMPRESS_EXTRACT_ARCHIVE_CANNOT_OPEN == 1 &&
              QXCOMPRESS_EXTRACT_FAILED == 2 && QXCOMPRESS_EXTRACT_FIRST_BYTE_UNREADABLE == 4 &&
              QXCOMPRESS_EXTRACT_VOLUME_FULL == 7);
static_assert(QXCOMPRESS_SIZE_CANNOT_OPEN == -1 && QXCOMPRESS_SIZE_NOT_AN_ARCHIVE == -2);

TEST(MemberHeader, FieldsSitAtTheirOffsetsAndReadBack)
{
    MemberHeader header;
    header.SetMethod(Method::Lh5);
    header.SetPackedSize(0x04030201);
    header.SetSourceSize(0xA0B0C0D0);
    ASSERT_TRUE(header.SetName("C:\\TEMP\\QXR1.TMP"));

    const auto& b = header.bytes;
    EXPECT_EQ(std::string(b.begin(), b.begin() + 6), std::string("-lh5-\0", 6));
    EXPECT_EQ((std::array<int, 4>{b[6], b[7], b[8], b[9]}), (std::array<int, 4>{1, 2, 3, 4}));
    EXPECT_EQ((std::array<int, 4>{b[10], b[11], b[12], b[13]}), (std::array<int, 4>{0xD0, 0xC0, 0xB0, 0xA0}));
    EXPECT_EQ(std::string(b.begin() + 14, b.begin() + 14 + 16), "C:\\TEMP\\QXR1.TMP");
    for (std::size_t i = 14 + 16; i < kHeaderSize; ++i) EXPECT_EQ(b[i], 0) << i;

    EXPECT_EQ(header.GetMethod(), Method::Lh5);
    EXPECT_EQ(header.PackedSize(), 0x04030201u);
    EXPECT_EQ(header.SourceSize(), 0xA0B0C0D0u);
    EXPECT_EQ(header.Name(), "C:\\TEMP\\QXR1.TMP");
    EXPECT_EQ(kDataOffset, 284u);
    EXPECT_EQ(PackedArchiveLength(1000), 1286);
}

TEST(MemberHeader, NameOfUpTo268CharactersFitsLongerIsRefused)
{
    MemberHeader header;
    ASSERT_TRUE(header.SetName(std::string(QXCOMPRESS_MAX_PATH_LENGTH, 'n')));
    EXPECT_EQ(header.Name(), std::string(QXCOMPRESS_MAX_PATH_LENGTH, 'n'));
    EXPECT_EQ(header.bytes[kHeaderSize - 1], 0);

    EXPECT_FALSE(header.SetName(std::string(QXCOMPRESS_MAX_PATH_LENGTH + 1, 'x')));
    EXPECT_EQ(header.Name(), std::string(QXCOMPRESS_MAX_PATH_LENGTH, 'n')) << "a refused name changes nothing";

    // A field without its NUL (a damaged archive) reads as one character
    // more than any name a writer stores.
    header.bytes[kHeaderSize - 1] = 'z';
    EXPECT_EQ(header.Name().size(), std::size_t{QXCOMPRESS_MAX_PATH_LENGTH + 1});
}

TEST(MemberHeader, MethodIsAnyCaseAndMustEndWithNul)
{
    struct Case {
        const char* field; // six bytes
        Method method;
    };
    const Case cases[] = {
        {"-lh5-\0", Method::Lh5}, {"-LH5-\0", Method::Lh5}, {"-Lh5-\0", Method::Lh5}, {"-lh0-\0", Method::Lh0},
        {"-LH0-\0", Method::Lh0}, {"-lh5-x", Method::None}, {"-lh6-\0", Method::None}, {"-lh\0\0\0", Method::None},
        {"\0\0\0\0\0\0", Method::None}, {"MKALMO", Method::None},
    };
    for (const Case& c : cases) {
        MemberHeader header;
        std::copy(c.field, c.field + 6, header.bytes.begin());
        EXPECT_EQ(header.GetMethod(), c.method) << std::string(c.field, 6);
    }
}

TEST(MemberHeader, SetMethodNoneClearsTheField)
{
    MemberHeader header;
    header.SetMethod(Method::Lh0);
    EXPECT_EQ(header.GetMethod(), Method::Lh0);
    header.SetMethod(Method::None);
    for (std::size_t i = 0; i < kMethodSize; ++i) EXPECT_EQ(header.bytes[i], 0);
}

TEST(TaggedFile, SizeIsBigEndianAtOffset17)
{
    std::string file = "MKALMORELZCS@" + std::string("\x11\x22\x33\x44", 4) + std::string("\x00\x01\x02\x03", 4);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(file.data());
    EXPECT_EQ(TaggedFileSize(bytes, file.size()), 0x00010203u);
    EXPECT_EQ(TaggedFileSize(bytes, file.size() - 1), 0u) << "too short";
    file[0] = 'm';
    EXPECT_EQ(TaggedFileSize(bytes, file.size()), 0u) << "the signature is compared exactly";
}

} // namespace
} // namespace qx::compress
