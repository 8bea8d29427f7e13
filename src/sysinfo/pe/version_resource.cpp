#include "sysinfo/pe/version_resource.h"

#include "bytes/little_endian.h"
#include "sysinfo/pe/pe_layout.h"

#include <array>
#include <span>

namespace qx::sysinfo::pe {

namespace {

using Bytes = std::vector<std::uint8_t>;

bool ReadExact(platform::ReadableFile& file, std::uint64_t offset, std::span<std::uint8_t> into)
{
    return file.ReadAt(offset, into) == into.size();
}

struct Section {
    std::uint32_t virtualAddress;
    std::uint32_t rawSize;
    std::uint32_t rawPointer;
};

// Reads at relative virtual addresses through the section table: only what a
// section holds in the file can be read.
class Image {
public:
    Image(platform::ReadableFile& file, std::vector<Section> sections)
        : m_file(file), m_sections(std::move(sections))
    {
    }

    bool Read(std::uint64_t rva, std::span<std::uint8_t> into) const
    {
        for (const Section& s : m_sections) {
            if (rva < s.virtualAddress) continue;
            const std::uint64_t inSection = rva - s.virtualAddress;
            if (inSection >= s.rawSize || into.size() > s.rawSize - inSection) continue;
            return ReadExact(m_file, s.rawPointer + inSection, into);
        }
        return false;
    }

private:
    platform::ReadableFile& m_file;
    std::vector<Section> m_sections;
};

struct ResourceEntry {
    std::uint32_t nameOrId;
    std::uint32_t offset;

    bool HasId(std::uint32_t id) const { return (nameOrId & kEntryNamedFlag) == 0 && nameOrId == id; }
    bool IsSubdirectory() const { return (offset & kEntrySubdirectoryFlag) != 0; }
    std::uint32_t Target() const { return offset & ~kEntrySubdirectoryFlag; }
};

class ResourceTree {
public:
    ResourceTree(const Image& image, std::uint32_t rootRva) : m_image(image), m_root(rootRva) {}

    std::optional<std::vector<ResourceEntry>> Table(std::uint32_t offset) const
    {
        std::array<std::uint8_t, kResourceTableSize> header{};
        if (!Read(offset, header)) return std::nullopt;
        const std::size_t count = std::size_t{GetLe16(header, kNamedEntryCountOffset)} + GetLe16(header, kIdEntryCountOffset);
        Bytes raw(count * kResourceEntrySize);
        if (!Read(std::uint64_t{offset} + kResourceTableSize, raw)) return std::nullopt;
        std::vector<ResourceEntry> entries(count);
        for (std::size_t i = 0; i < count; ++i)
            entries[i] = {GetLe32(raw, i * kResourceEntrySize), GetLe32(raw, i * kResourceEntrySize + 4)};
        return entries;
    }

    bool Read(std::uint64_t offset, std::span<std::uint8_t> into) const { return m_image.Read(m_root + offset, into); }

private:
    const Image& m_image;
    std::uint64_t m_root;
};

std::optional<ResourceEntry> Subdirectory(const std::vector<ResourceEntry>& entries, std::uint32_t id)
{
    for (const ResourceEntry& e : entries)
        if (e.HasId(id)) return e.IsSubdirectory() ? std::optional(e) : std::nullopt;
    return std::nullopt;
}

struct ImageHeaders {
    std::uint32_t resourceRva = 0;
    std::uint32_t resourceSize = 0;
    std::vector<Section> sections;
};

std::optional<ImageHeaders> ReadHeaders(platform::ReadableFile& file)
{
    std::array<std::uint8_t, kDosHeaderSize> dos{};
    if (!ReadExact(file, 0, dos) || GetLe16(dos, kDosMagicOffset) != kDosMagic) return std::nullopt;
    const std::uint64_t peOffset = GetLe32(dos, kNewHeaderOffsetField);

    std::array<std::uint8_t, kSignatureSize + kFileHeaderSize> fileHeader{};
    if (!ReadExact(file, peOffset, fileHeader) || GetLe32(fileHeader, 0) != kPeSignature) return std::nullopt;
    const std::size_t sectionCount = GetLe16(fileHeader, kSignatureSize + kNumberOfSectionsOffset);
    const std::size_t optionalSize = GetLe16(fileHeader, kSignatureSize + kSizeOfOptionalHeaderOffset);
    const std::uint64_t optionalOffset = peOffset + fileHeader.size();

    Bytes optional(optionalSize);
    if (!ReadExact(file, optionalOffset, optional) || optional.size() < 2) return std::nullopt;
    std::size_t rvaCountOffset = 0;
    std::size_t directoryOffset = 0;
    switch (GetLe16(optional, kOptionalMagicOffset)) {
    case kPe32Magic:
        rvaCountOffset = kPe32RvaCountOffset;
        directoryOffset = kPe32DataDirectoryOffset;
        break;
    case kPe32PlusMagic:
        rvaCountOffset = kPe32PlusRvaCountOffset;
        directoryOffset = kPe32PlusDataDirectoryOffset;
        break;
    default:
        return std::nullopt;
    }
    const std::size_t resourceField = directoryOffset + kResourceDirectoryIndex * kDataDirectorySize;
    if (optional.size() < resourceField + kDataDirectorySize) return std::nullopt;
    if (GetLe32(optional, rvaCountOffset) <= kResourceDirectoryIndex) return std::nullopt;

    ImageHeaders headers;
    headers.resourceRva = GetLe32(optional, resourceField);
    headers.resourceSize = GetLe32(optional, resourceField + 4);
    if (headers.resourceRva == 0 || headers.resourceSize == 0) return std::nullopt;

    Bytes table(sectionCount * kSectionHeaderSize);
    if (!ReadExact(file, optionalOffset + optionalSize, table)) return std::nullopt;
    for (std::size_t i = 0; i < sectionCount; ++i) {
        const std::size_t at = i * kSectionHeaderSize;
        headers.sections.push_back({GetLe32(table, at + kSectionVirtualAddressOffset), GetLe32(table, at + kSectionRawSizeOffset),
                                    GetLe32(table, at + kSectionRawPointerOffset)});
    }
    return headers;
}

} // namespace

std::optional<Bytes> ReadVersionResource(platform::ReadableFile& file)
{
    std::optional<ImageHeaders> headers = ReadHeaders(file);
    if (!headers) return std::nullopt;
    const Image image(file, std::move(headers->sections));
    const ResourceTree tree(image, headers->resourceRva);

    // Three levels, type, name, language, so the walk cannot loop whatever the
    // offsets say.
    const auto types = tree.Table(0);
    if (!types) return std::nullopt;
    const auto versionType = Subdirectory(*types, kVersionResourceType);
    if (!versionType) return std::nullopt;
    const auto names = tree.Table(versionType->Target());
    if (!names) return std::nullopt;
    const auto versionName = Subdirectory(*names, kVersionResourceId);
    if (!versionName) return std::nullopt;
    const auto languages = tree.Table(versionName->Target());
    if (!languages || languages->empty() || languages->front().IsSubdirectory()) return std::nullopt;

    std::array<std::uint8_t, kResourceDataEntrySize> dataEntry{};
    if (!tree.Read(languages->front().Target(), dataEntry)) return std::nullopt;
    const std::uint32_t dataRva = GetLe32(dataEntry, 0);
    const std::uint32_t dataSize = GetLe32(dataEntry, 4);
    if (dataSize == 0 || dataSize > kMaxVersionResourceSize) return std::nullopt;
    Bytes resource(dataSize);
    if (!image.Read(dataRva, resource)) return std::nullopt;
    return resource;
}

} // namespace qx::sysinfo::pe
