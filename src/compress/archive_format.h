#pragma once

// Layout of a .QXR archive: one member, a lead byte, the 283-byte header block
// `MemberHeader`, the data and a two-byte trailer. Pure data: no file access,
// so the tool and the tests can use it without the library.
//
//   file offset 0    lead byte (0x20 when written, ignored when read)
//   file offset 1    header block: method, packed size, source size, name
//   file offset 284  packed data (lh5 bit stream, or the bytes of a stored member)
//   then             two zero bytes
//
// A file whose header block names no method is a plain copy of its source.

#include "bytes/little_endian.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "qxcompress.h"

namespace qx::compress {

// Whole-file layout.
inline constexpr std::size_t kLeadByteOffset = 0;
inline constexpr std::uint8_t kLeadByte = 0x20;
inline constexpr std::size_t kHeaderOffset = 1;
inline constexpr std::size_t kHeaderSize = 283;
inline constexpr std::size_t kDataOffset = kHeaderOffset + kHeaderSize;
inline constexpr std::size_t kTrailerSize = 2;
// Length of a packed archive beyond its data: lead byte, header block, trailer.
inline constexpr std::size_t kArchiveOverhead = kDataOffset + kTrailerSize;

// Fields of the header block, as offsets from its first byte (file offset 1).
inline constexpr std::size_t kMethodOffset = 0;
inline constexpr std::size_t kMethodSize = 6;
inline constexpr std::size_t kPackedSizeOffset = 6;
inline constexpr std::size_t kSourceSizeOffset = 10;
inline constexpr std::size_t kSizeFieldSize = 4;
inline constexpr std::size_t kNameOffset = 14;
inline constexpr std::size_t kMaxNameLength = QXCOMPRESS_MAX_PATH_LENGTH;
// The name field keeps room for its terminating NUL.
inline constexpr std::size_t kNameFieldSize = kMaxNameLength + 1;
static_assert(kNameOffset + kNameFieldSize == kHeaderSize);

inline constexpr std::string_view kMethodLh5 = "-lh5-";
inline constexpr std::string_view kMethodLh0 = "-lh0-";

// Tagged file: written by other tools, only its size is read.
inline constexpr std::string_view kTagSignature = "MKALMORELZCS@";
inline constexpr std::size_t kTagTailSize = 8;       // bytes read after the signature
inline constexpr std::size_t kTagSizeInTail = 4;     // file offset 17, big-endian
inline constexpr std::size_t kTagSizeFieldSize = 4;

enum class Method { None, Lh5, Lh0 };

inline std::uint32_t ReadBe32(const std::uint8_t* p)
{
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 |
           std::uint32_t{p[3]};
}

// The header block as it sits in the file. Zero-filled when built, so a
// short read leaves the missing bytes zero as the readers expect.
struct MemberHeader {
    std::array<std::uint8_t, kHeaderSize> bytes{};

    // The method field compared as a NUL-terminated string, ignoring case.
    Method GetMethod() const
    {
        if (MethodIs(kMethodLh5)) return Method::Lh5;
        if (MethodIs(kMethodLh0)) return Method::Lh0;
        return Method::None;
    }

    // Writes the method and its NUL; Method::None clears the field.
    void SetMethod(Method method)
    {
        std::fill_n(bytes.begin() + kMethodOffset, kMethodSize, std::uint8_t{0});
        const std::string_view text = method == Method::Lh5   ? kMethodLh5
                                      : method == Method::Lh0 ? kMethodLh0
                                                              : std::string_view{};
        std::copy(text.begin(), text.end(), bytes.begin() + kMethodOffset);
    }

    std::uint32_t PackedSize() const { return GetLe32(bytes, kPackedSizeOffset); }
    void SetPackedSize(std::uint32_t size) { PutLe32(bytes, kPackedSizeOffset, size); }
    std::uint32_t SourceSize() const { return GetLe32(bytes, kSourceSizeOffset); }
    void SetSourceSize(std::uint32_t size) { PutLe32(bytes, kSourceSizeOffset, size); }

    // The name up to its NUL; a field without NUL gives all 269 bytes, which
    // is longer than any name a writer may store.
    std::string Name() const
    {
        const auto* first = bytes.data() + kNameOffset;
        const auto* last = std::find(first, first + kNameFieldSize, std::uint8_t{0});
        return std::string(first, last);
    }

    // Stores `name` and zeroes the rest of the field. A name longer than
    // kMaxNameLength does not fit: nothing changes and the result is false.
    bool SetName(std::string_view name)
    {
        if (name.size() > kMaxNameLength) return false;
        std::fill_n(bytes.begin() + kNameOffset, kNameFieldSize, std::uint8_t{0});
        std::copy(name.begin(), name.end(), bytes.begin() + kNameOffset);
        return true;
    }

private:
    bool MethodIs(std::string_view method) const
    {
        for (std::size_t i = 0; i < method.size(); ++i) {
            std::uint8_t c = bytes[kMethodOffset + i];
            if (c >= 'A' && c <= 'Z') c = static_cast<std::uint8_t>(c - 'A' + 'a');
            if (c != static_cast<std::uint8_t>(method[i])) return false;
        }
        return bytes[kMethodOffset + method.size()] == 0;
    }
};

// The size field of a tagged file, from its first bytes (at least
// kTagSignature.size() + kTagTailSize of them); 0 when they are not a tagged file.
inline std::uint32_t TaggedFileSize(const std::uint8_t* bytes, std::size_t count)
{
    if (count < kTagSignature.size() + kTagTailSize) return 0;
    if (!std::equal(kTagSignature.begin(), kTagSignature.end(), bytes)) return 0;
    return ReadBe32(bytes + kTagSignature.size() + kTagSizeInTail);
}

// Size that the size query reports for a packed archive of `packedSize` data bytes.
inline std::int64_t PackedArchiveLength(std::uint32_t packedSize)
{
    return std::int64_t{packedSize} + static_cast<std::int64_t>(kArchiveOverhead);
}

} // namespace qx::compress
