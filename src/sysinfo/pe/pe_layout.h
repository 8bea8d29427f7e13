#pragma once

// Offsets and sizes of the parts of a PE image that lead to its version
// resource. Every field is little-endian. Shared with the test's PE writer.

#include <cstddef>
#include <cstdint>

namespace qx::sysinfo::pe {

// MS-DOS header.
inline constexpr std::size_t kDosHeaderSize = 64;
inline constexpr std::uint16_t kDosMagic = 0x5A4D; // "MZ"
inline constexpr std::size_t kDosMagicOffset = 0;
inline constexpr std::size_t kNewHeaderOffsetField = 0x3C; // 32-bit file offset of "PE\0\0"

// "PE\0\0" followed by the COFF file header.
inline constexpr std::uint32_t kPeSignature = 0x00004550;
inline constexpr std::size_t kSignatureSize = 4;
inline constexpr std::size_t kFileHeaderSize = 20;
inline constexpr std::size_t kNumberOfSectionsOffset = 2;
inline constexpr std::size_t kSizeOfOptionalHeaderOffset = 16;

// Optional header, after the file header.
inline constexpr std::size_t kOptionalMagicOffset = 0;
inline constexpr std::uint16_t kPe32Magic = 0x10B;
inline constexpr std::uint16_t kPe32PlusMagic = 0x20B;
inline constexpr std::size_t kPe32RvaCountOffset = 92;
inline constexpr std::size_t kPe32DataDirectoryOffset = 96;
inline constexpr std::size_t kPe32PlusRvaCountOffset = 108;
inline constexpr std::size_t kPe32PlusDataDirectoryOffset = 112;
inline constexpr std::size_t kDataDirectorySize = 8; // RVA, size
inline constexpr std::size_t kResourceDirectoryIndex = 2;

// Section table, after the optional header.
inline constexpr std::size_t kSectionHeaderSize = 40;
inline constexpr std::size_t kSectionVirtualSizeOffset = 8;
inline constexpr std::size_t kSectionVirtualAddressOffset = 12;
inline constexpr std::size_t kSectionRawSizeOffset = 16;
inline constexpr std::size_t kSectionRawPointerOffset = 20;

// Resource tree: directory tables of entries, then data entries. Offsets in
// entries count from the start of the resource directory.
inline constexpr std::size_t kResourceTableSize = 16;
inline constexpr std::size_t kNamedEntryCountOffset = 12;
inline constexpr std::size_t kIdEntryCountOffset = 14;
inline constexpr std::size_t kResourceEntrySize = 8; // name or id, offset
inline constexpr std::uint32_t kEntryNamedFlag = 0x80000000;
inline constexpr std::uint32_t kEntrySubdirectoryFlag = 0x80000000;
inline constexpr std::size_t kResourceDataEntrySize = 16; // RVA, size, code page, reserved
inline constexpr std::uint32_t kVersionResourceType = 16; // RT_VERSION
inline constexpr std::uint32_t kVersionResourceId = 1;    // VS_VERSION_INFO

// The version resource: nested blocks of wLength, wValueLength, wType, a
// zero-terminated UTF-16 key, padding to 4 bytes, the value, padding, children.
inline constexpr std::size_t kBlockHeaderSize = 6;
inline constexpr std::size_t kBlockAlignment = 4;
inline constexpr std::uint16_t kBlockTypeText = 1;
inline constexpr std::size_t kMaxVersionResourceSize = 0xFFF0;

} // namespace qx::sysinfo::pe
