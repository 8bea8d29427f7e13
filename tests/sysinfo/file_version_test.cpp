// The PE version-resource reader and both forms of ReadFileVersion.
#include "bytes/little_endian.h"
#include "sysinfo/file_version.h"
#include "sysinfo/pe/pe_layout.h"
#include "sysinfo/pe/version_info.h"
#include "sysinfo/pe/version_resource.h"

#include "support/memory_file_reader.h"
#include "support/pe_writer.h"

#include <gtest/gtest.h>

#include <array>

namespace {

using qx::PutLe16;
using qx::PutLe32;
using qx::sysinfo::ReadFileVersion;
using qx::test::Bytes;
using qx::test::BuildPeImage;
using qx::test::EncodeBlock;
using qx::test::PeKind;
using qx::test::VersionBlock;
using qx::test::VersionInfoBlock;
using qx::test::VersionResourceSpec;

const std::string kPath = "/opt/orvane/QXEDIT.EXE";

std::optional<std::string> VersionOfBytes(const Bytes& bytes)
{
    qx::test::MemoryFileReader files;
    files.Add(kPath, bytes);
    std::string text;
    if (!ReadFileVersion(files, kPath, text)) return std::nullopt;
    return text;
}

Bytes ImageWith(const VersionResourceSpec& wanted, PeKind kind = PeKind::Pe32)
{
    return BuildPeImage({kind, EncodeBlock(VersionInfoBlock(wanted)), 1}).bytes;
}

TEST(FileVersion, ReadsTheFileVersionOfPe32AndPe32PlusImages)
{
    for (const PeKind kind : {PeKind::Pe32, PeKind::Pe32Plus}) {
        EXPECT_EQ(VersionOfBytes(qx::test::PeWithVersion("5.50.1", kind)), "5.50.1");
        EXPECT_EQ(VersionOfBytes(ImageWith(qx::test::SimpleVersion(" 5.50 (b\xC3\xAAta) "), kind)), " 5.50 (b\xEAta) ");
    }
}

TEST(FileVersion, ConvertsUtf16ToWindows1252)
{
    // "é", "€", a CJK character and an emoji (a surrogate pair): the last two
    // have no Windows-1252 byte.
    EXPECT_EQ(VersionOfBytes(qx::test::PeWithVersion("\xC3\xA9\xE2\x82\xAC\xE4\xB8\xAD\xF0\x9F\x98\x80")),
              "\xE9\x80??");
}

TEST(FileVersion, TakesTheFirstTranslationOnly)
{
    VersionResourceSpec wanted;
    wanted.translations = {0x04B00409, 0x04E4040C};
    wanted.tables = {{0x040C, 0x04E4, {{"FileVersion", "francais"}}}, {0x0409, 0x04B0, {{"FileVersion", "english"}}}};
    EXPECT_EQ(VersionOfBytes(ImageWith(wanted)), "english");

    wanted.translations = {0x04B00407, 0x04E4040C}; // first language has no table
    EXPECT_EQ(VersionOfBytes(ImageWith(wanted)), std::nullopt);
}

TEST(FileVersion, KeysCompareWithoutRegardToCaseAndOrderOfBlocksDoesNotMatter)
{
    VersionResourceSpec wanted;
    wanted.translations = {0x04B00409};
    wanted.tables = {{0x0409, 0x04B0, {{"Comments", "x"}, {"fileversion", "1.0"}}}};
    wanted.order = VersionResourceSpec::Order::VarInfoFirst;
    VersionBlock root = VersionInfoBlock(wanted);
    root.children[1].children[0].key = "040904b0"; // lower-case hexadecimal, as some tools write it
    EXPECT_EQ(VersionOfBytes(BuildPeImage({PeKind::Pe32, EncodeBlock(root), 1}).bytes), "1.0");
}

struct NoVersionCase {
    const char* name;
    Bytes (*make)();
};

class FileVersionFails : public testing::TestWithParam<NoVersionCase> {};

TEST_P(FileVersionFails, GivesFailureAndLeavesBothOutputsUntouched)
{
    qx::test::MemoryFileReader files;
    files.Add(kPath, GetParam().make());
    std::string text = "kept";
    EXPECT_FALSE(ReadFileVersion(files, kPath, text));
    EXPECT_EQ(text, "kept");
    std::array<char, 6> buffer = {'a', 'b', 0, 0, 0, 0};
    EXPECT_FALSE(ReadFileVersion(files, kPath, buffer));
    EXPECT_STREQ(buffer.data(), "ab");
}

Bytes WithoutVarFileInfo()
{
    VersionResourceSpec wanted = qx::test::SimpleVersion("5.50");
    wanted.withVarFileInfo = false;
    return ImageWith(wanted);
}

Bytes WithEmptyTranslationList()
{
    VersionResourceSpec wanted = qx::test::SimpleVersion("5.50");
    wanted.translations = {};
    return ImageWith(wanted);
}

Bytes WithShortTranslation()
{
    VersionResourceSpec wanted = qx::test::SimpleVersion("5.50");
    VersionBlock root = VersionInfoBlock(wanted);
    VersionBlock& translation = root.children[1].children[0];
    translation.value.resize(2);
    translation.valueLength = 2;
    return BuildPeImage({PeKind::Pe32, EncodeBlock(root), 1}).bytes;
}

Bytes WithoutFileVersion()
{
    VersionResourceSpec wanted;
    wanted.tables = {{0x040C, 0x04E4, {{"ProductVersion", "5.50"}}}};
    return ImageWith(wanted);
}

Bytes TooLarge()
{
    VersionResourceSpec wanted = qx::test::SimpleVersion("5.50");
    wanted.tables[0].values.push_back({"Comments", std::string(32760, 'c')}); // 65520 bytes of text alone
    return ImageWith(wanted);
}

Bytes WithoutVersionResource()
{
    return BuildPeImage({PeKind::Pe32, {}, 1}).bytes;
}

Bytes WithOtherResourceName()
{
    return BuildPeImage({PeKind::Pe32, EncodeBlock(VersionInfoBlock(qx::test::SimpleVersion("5.50"))), 2}).bytes;
}

Bytes ElfFile()
{
    Bytes bytes(4096, 0);
    bytes[0] = 0x7F;
    bytes[1] = 'E';
    bytes[2] = 'L';
    bytes[3] = 'F';
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FileVersionFails,
    testing::Values(NoVersionCase{"NoVersionResource", WithoutVersionResource},
                    NoVersionCase{"OtherResourceName", WithOtherResourceName},
                    NoVersionCase{"NoVarFileInfo", WithoutVarFileInfo},
                    NoVersionCase{"EmptyTranslationList", WithEmptyTranslationList},
                    NoVersionCase{"TranslationShorterThanOneEntry", WithShortTranslation},
                    NoVersionCase{"NoFileVersionText", WithoutFileVersion},
                    NoVersionCase{"ResourceOver65520Bytes", TooLarge},
                    NoVersionCase{"ElfFile", ElfFile},
                    NoVersionCase{"EmptyFile", [] { return Bytes{}; }},
                    NoVersionCase{"JustMZ", [] { return Bytes{'M', 'Z'}; }}),
    [](const testing::TestParamInfo<NoVersionCase>& info) { return info.param.name; });

TEST(FileVersion, AResourceOfExactly65520BytesIsRead)
{
    // Grow a comment until the encoded resource is exactly at the limit.
    VersionResourceSpec wanted = qx::test::SimpleVersion("5.50");
    wanted.tables[0].values.push_back({"Comments", ""});
    const std::size_t base = EncodeBlock(VersionInfoBlock(wanted)).size();
    wanted.tables[0].values.back().second = std::string((qx::sysinfo::pe::kMaxVersionResourceSize - base) / 2, 'c');
    const Bytes resource = EncodeBlock(VersionInfoBlock(wanted));
    ASSERT_EQ(resource.size(), qx::sysinfo::pe::kMaxVersionResourceSize);
    EXPECT_EQ(VersionOfBytes(BuildPeImage({PeKind::Pe32, resource, 1}).bytes), "5.50");
}

TEST(FileVersion, BufferFormCutsToSizeMinusOne)
{
    struct Case {
        std::string version;
        std::size_t size;
        std::string expected;
    };
    const Case cases[] = {{"5.50.1", 6, "5.50."}, {"5.50", 6, "5.50"}, {"5.501", 6, "5.501"}, {"", 6, ""},
                          {"5.50", 1, ""},        {"12345678", 9, "12345678"}};
    for (const Case& c : cases) {
        qx::test::MemoryFileReader files;
        files.Add(kPath, qx::test::PeWithVersion(c.version));
        std::vector<char> buffer(c.size, '#');
        EXPECT_TRUE(ReadFileVersion(files, kPath, std::span<char>(buffer))) << c.version;
        EXPECT_EQ(std::string(buffer.data()), c.expected) << c.version;
    }
}

TEST(FileVersion, AFileThatIsNoPeImageIsRejectedAfterItsFirst64Bytes)
{
    qx::test::MemoryFileReader files;
    files.Add("/lib/libc.so.6", ElfFile());
    std::string text;
    EXPECT_FALSE(ReadFileVersion(files, "/lib/libc.so.6", text));
    EXPECT_LE(files.bytesRead["/lib/libc.so.6"], qx::sysinfo::pe::kDosHeaderSize);
}

TEST(FileVersion, AMissingFileHasNoVersion)
{
    qx::test::MemoryFileReader files;
    std::string text;
    EXPECT_FALSE(ReadFileVersion(files, "/nowhere", text));
}

// Every break of a well-formed image gives failure and reads nothing
// outside the file (the sanitizers watch the reads).
TEST(FileVersion, TruncatedAtEveryLengthGivesFailureOrTheWholeVersion)
{
    const Bytes image = qx::test::PeWithVersion("5.50");
    for (std::size_t length = 0; length < image.size(); ++length) {
        const auto version = VersionOfBytes(Bytes(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(length)));
        if (version) {
            EXPECT_EQ(*version, "5.50") << length;
        }
    }
    // Cut inside the resource data, it cannot be read.
    const qx::test::PeImage built = BuildPeImage({PeKind::Pe32, EncodeBlock(VersionInfoBlock(qx::test::SimpleVersion("5.50"))), 1});
    EXPECT_EQ(VersionOfBytes(Bytes(built.bytes.begin(), built.bytes.begin() + static_cast<std::ptrdiff_t>(built.resourceDataOffset + 8))),
              std::nullopt);
}

TEST(FileVersion, BrokenOffsetsGiveFailure)
{
    namespace pe = qx::sysinfo::pe;
    const qx::test::PeImage good =
        BuildPeImage({PeKind::Pe32, EncodeBlock(VersionInfoBlock(qx::test::SimpleVersion("5.50"))), 1});
    struct Break {
        const char* name;
        void (*apply)(const qx::test::PeImage&, Bytes&);
    };
    const Break breaks[] = {
        {"PE header past the end", [](const qx::test::PeImage&, Bytes& b) { PutLe32(b, pe::kNewHeaderOffsetField, 0xFFFFFFF0); }},
        {"bad signature", [](const qx::test::PeImage& g, Bytes& b) { b[g.peHeaderOffset] = 'X'; }},
        {"unknown optional magic",
         [](const qx::test::PeImage& g, Bytes& b) { PutLe16(b, g.peHeaderOffset + 24, 0x107); }},
        {"optional header too short",
         [](const qx::test::PeImage& g, Bytes& b) { PutLe16(b, g.peHeaderOffset + 4 + pe::kSizeOfOptionalHeaderOffset, 40); }},
        {"many sections past the end",
         [](const qx::test::PeImage& g, Bytes& b) { PutLe16(b, g.peHeaderOffset + 4 + pe::kNumberOfSectionsOffset, 0xFFFF); }},
        {"section raw data past the end",
         [](const qx::test::PeImage& g, Bytes& b) {
             PutLe32(b, g.peHeaderOffset + 24 + 224 + pe::kSectionRawPointerOffset, 0xFFFFFF00);
         }},
        {"name entry loops back to the type table",
         [](const qx::test::PeImage& g, Bytes& b) { PutLe32(b, g.nameEntryOffset + 4, pe::kEntrySubdirectoryFlag); }},
        {"language entry points at a table",
         [](const qx::test::PeImage& g, Bytes& b) { PutLe32(b, g.languageEntryOffset + 4, pe::kEntrySubdirectoryFlag); }},
        {"name entry is data, not a table",
         [](const qx::test::PeImage& g, Bytes& b) { PutLe32(b, g.nameEntryOffset + 4, 0x30); }},
        {"data entry RVA outside every section", [](const qx::test::PeImage& g, Bytes& b) { PutLe32(b, g.dataEntryOffset, 0x90000000); }},
        {"data size past the section", [](const qx::test::PeImage& g, Bytes& b) { PutLe32(b, g.dataEntryOffset + 4, 0xFF00); }},
        {"zero data size", [](const qx::test::PeImage& g, Bytes& b) { PutLe32(b, g.dataEntryOffset + 4, 0); }},
        {"root block longer than the resource",
         [](const qx::test::PeImage& g, Bytes& b) { PutLe16(b, g.resourceDataOffset, 0xFFFF); }},
        {"root block length below its header",
         [](const qx::test::PeImage& g, Bytes& b) { PutLe16(b, g.resourceDataOffset, 3); }},
        {"root key without terminator",
         [](const qx::test::PeImage& g, Bytes& b) { PutLe16(b, g.resourceDataOffset, 12); }},
    };
    for (const Break& br : breaks) {
        Bytes bytes = good.bytes;
        br.apply(good, bytes);
        EXPECT_EQ(VersionOfBytes(bytes), std::nullopt) << br.name;
    }
}

TEST(VersionInfo, OddAndZeroBlockLengthsNeverLoopOrReadOutside)
{
    const Bytes resource = EncodeBlock(VersionInfoBlock(qx::test::SimpleVersion("5.50")));
    ASSERT_EQ(qx::sysinfo::pe::QueryFileVersion(resource), "5.50");
    // Every 16-bit field set to 0, 1, an odd value and the maximum in turn.
    for (std::size_t at = 0; at + 1 < resource.size(); at += 2) {
        for (const std::uint16_t value : {0, 1, 7, 0xFFFF}) {
            Bytes broken = resource;
            PutLe16(broken, at, value);
            const auto version = qx::sysinfo::pe::QueryFileVersion(broken);
            if (version) {
                EXPECT_LE(version->size(), resource.size()) << at;
            }
        }
    }
}

} // namespace
