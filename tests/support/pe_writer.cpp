#include "support/pe_writer.h"

#include "bytes/little_endian.h"
#include "sysinfo/pe/pe_layout.h"

#include <cstdio>

namespace qx::test {

namespace pe = qx::sysinfo::pe;

namespace {

constexpr std::size_t kPeHeaderOffset = 0x80;
constexpr std::size_t kResourceSectionOffset = 0x400;
constexpr std::uint32_t kResourceRva = 0x2000;
constexpr std::size_t kDataDirectoryCount = 16;
constexpr std::uint16_t kLanguage = 0x040C;
constexpr std::size_t kFixedFileInfoSize = 52;
constexpr std::uint32_t kFixedFileInfoSignature = 0xFEEF04BD;

std::u16string Utf8ToUtf16(const std::string& utf8)
{
    std::u16string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        char32_t cp = c;
        std::size_t extra = 0;
        if (c >= 0xF0) { cp = c & 0x07; extra = 3; }
        else if (c >= 0xE0) { cp = c & 0x0F; extra = 2; }
        else if (c >= 0xC0) { cp = c & 0x1F; extra = 1; }
        for (std::size_t k = 1; k <= extra && i + k < utf8.size(); ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        i += 1 + extra;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

void Append16(Bytes& bytes, std::uint16_t value)
{
    bytes.push_back(static_cast<std::uint8_t>(value));
    bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Append32(Bytes& bytes, std::uint32_t value)
{
    Append16(bytes, static_cast<std::uint16_t>(value));
    Append16(bytes, static_cast<std::uint16_t>(value >> 16));
}

void Align4(Bytes& bytes)
{
    while (bytes.size() % 4 != 0) bytes.push_back(0);
}

std::string Hex8(std::uint16_t language, std::uint16_t codePage)
{
    char key[9];
    std::snprintf(key, sizeof key, "%04X%04X", static_cast<unsigned>(language), static_cast<unsigned>(codePage));
    return key;
}

} // namespace

VersionBlock TextBlock(const std::string& key, const std::string& text)
{
    VersionBlock block{key, pe::kBlockTypeText, 0, {}, {}};
    const std::u16string units = Utf8ToUtf16(text) + u'\0';
    for (const char16_t unit : units) Append16(block.value, unit);
    block.valueLength = static_cast<std::uint16_t>(units.size());
    return block;
}

VersionBlock TranslationBlock(const std::vector<std::uint32_t>& entries)
{
    VersionBlock block{"Translation", 0, 0, {}, {}};
    for (const std::uint32_t entry : entries) Append32(block.value, entry);
    block.valueLength = static_cast<std::uint16_t>(block.value.size());
    return block;
}

Bytes EncodeBlock(const VersionBlock& block)
{
    Bytes bytes(pe::kBlockHeaderSize, 0);
    for (const char16_t unit : Utf8ToUtf16(block.key)) Append16(bytes, unit);
    Append16(bytes, 0);
    Align4(bytes);
    bytes.insert(bytes.end(), block.value.begin(), block.value.end());
    for (const VersionBlock& child : block.children) {
        Align4(bytes);
        const Bytes encoded = EncodeBlock(child);
        bytes.insert(bytes.end(), encoded.begin(), encoded.end());
    }
    PutLe16(bytes, 0, static_cast<std::uint16_t>(bytes.size()));
    PutLe16(bytes, 2, block.valueLength);
    PutLe16(bytes, 4, block.type);
    return bytes;
}

VersionResourceSpec SimpleVersion(const std::string& version)
{
    VersionResourceSpec wanted;
    wanted.tables.push_back({0x040C, 0x04E4, {{"CompanyName", "Orvane Logiciels"}, {"FileVersion", version}}});
    return wanted;
}

VersionBlock VersionInfoBlock(const VersionResourceSpec& wanted)
{
    VersionBlock root{"VS_VERSION_INFO", 0, kFixedFileInfoSize, Bytes(kFixedFileInfoSize, 0), {}};
    PutLe32(root.value, 0, kFixedFileInfoSignature);

    VersionBlock strings{"StringFileInfo", pe::kBlockTypeText, 0, {}, {}};
    for (const StringTable& table : wanted.tables) {
        VersionBlock tableBlock{Hex8(table.language, table.codePage), pe::kBlockTypeText, 0, {}, {}};
        for (const auto& [key, text] : table.values) tableBlock.children.push_back(TextBlock(key, text));
        strings.children.push_back(std::move(tableBlock));
    }
    VersionBlock vars{"VarFileInfo", pe::kBlockTypeText, 0, {}, {TranslationBlock(wanted.translations)}};

    const bool stringsFirst = wanted.order == VersionResourceSpec::Order::StringInfoFirst;
    if (stringsFirst) root.children.push_back(std::move(strings));
    if (wanted.withVarFileInfo) root.children.push_back(std::move(vars));
    if (!stringsFirst) root.children.push_back(std::move(strings));
    return root;
}

PeImage BuildPeImage(const PeImageSpec& wanted)
{
    const bool plus = wanted.kind == PeKind::Pe32Plus;
    const std::size_t directoryOffset = plus ? pe::kPe32PlusDataDirectoryOffset : pe::kPe32DataDirectoryOffset;
    const std::size_t optionalSize = directoryOffset + kDataDirectoryCount * pe::kDataDirectorySize;

    // The resource section: type table, name table, language table, data
    // entry, then the data.
    Bytes rsrc;
    const auto table = [&](std::uint32_t id, std::uint32_t target) {
        Bytes t(pe::kResourceTableSize, 0);
        PutLe16(t, pe::kIdEntryCountOffset, 1);
        Append32(t, id);
        Append32(t, target);
        rsrc.insert(rsrc.end(), t.begin(), t.end());
    };
    const bool withVersion = !wanted.versionResource.empty();
    const std::uint32_t type = withVersion ? pe::kVersionResourceType : 3; // RT_ICON otherwise
    const std::uint32_t nameTable = pe::kResourceTableSize + pe::kResourceEntrySize;
    const std::uint32_t languageTable = 2 * nameTable;
    const std::uint32_t dataEntry = 3 * nameTable;
    const std::uint32_t data = dataEntry + pe::kResourceDataEntrySize;
    table(type, nameTable | pe::kEntrySubdirectoryFlag);
    table(wanted.versionName, languageTable | pe::kEntrySubdirectoryFlag);
    table(kLanguage, dataEntry);
    Append32(rsrc, kResourceRva + data);
    Append32(rsrc, static_cast<std::uint32_t>(wanted.versionResource.size()));
    Append32(rsrc, 0);
    Append32(rsrc, 0);
    rsrc.insert(rsrc.end(), wanted.versionResource.begin(), wanted.versionResource.end());
    Align4(rsrc);

    PeImage image;
    image.peHeaderOffset = kPeHeaderOffset;
    image.resourceSectionOffset = kResourceSectionOffset;
    image.nameEntryOffset = kResourceSectionOffset + pe::kResourceTableSize;
    image.languageEntryOffset = kResourceSectionOffset + nameTable + pe::kResourceTableSize;
    image.dataEntryOffset = kResourceSectionOffset + dataEntry;
    image.resourceDataOffset = kResourceSectionOffset + data;

    Bytes& b = image.bytes;
    b.assign(kResourceSectionOffset, 0);
    PutLe16(b, pe::kDosMagicOffset, pe::kDosMagic);
    PutLe32(b, pe::kNewHeaderOffsetField, static_cast<std::uint32_t>(kPeHeaderOffset));

    const std::size_t fileHeader = kPeHeaderOffset + pe::kSignatureSize;
    PutLe32(b, kPeHeaderOffset, pe::kPeSignature);
    PutLe16(b, fileHeader, plus ? 0x8664 : 0x014C);
    PutLe16(b, fileHeader + pe::kNumberOfSectionsOffset, 1);
    PutLe16(b, fileHeader + pe::kSizeOfOptionalHeaderOffset, static_cast<std::uint16_t>(optionalSize));

    const std::size_t optional = fileHeader + pe::kFileHeaderSize;
    PutLe16(b, optional + pe::kOptionalMagicOffset, plus ? pe::kPe32PlusMagic : pe::kPe32Magic);
    PutLe32(b, optional + (plus ? pe::kPe32PlusRvaCountOffset : pe::kPe32RvaCountOffset), kDataDirectoryCount);
    const std::size_t resourceField = optional + directoryOffset + pe::kResourceDirectoryIndex * pe::kDataDirectorySize;
    PutLe32(b, resourceField, kResourceRva);
    PutLe32(b, resourceField + 4, static_cast<std::uint32_t>(rsrc.size()));

    const std::size_t section = optional + optionalSize;
    const char name[8] = {'.', 'r', 's', 'r', 'c', 0, 0, 0};
    for (std::size_t i = 0; i < sizeof name; ++i) b[section + i] = static_cast<std::uint8_t>(name[i]);
    PutLe32(b, section + pe::kSectionVirtualSizeOffset, static_cast<std::uint32_t>(rsrc.size()));
    PutLe32(b, section + pe::kSectionVirtualAddressOffset, kResourceRva);
    PutLe32(b, section + pe::kSectionRawSizeOffset, static_cast<std::uint32_t>(rsrc.size()));
    PutLe32(b, section + pe::kSectionRawPointerOffset, static_cast<std::uint32_t>(kResourceSectionOffset));

    b.insert(b.end(), rsrc.begin(), rsrc.end());
    return image;
}

Bytes PeWithVersion(const std::string& version, PeKind kind)
{
    return BuildPeImage({kind, EncodeBlock(VersionInfoBlock(SimpleVersion(version))), 1}).bytes;
}

} // namespace qx::test
