#pragma once

// Little-endian fields of a byte span; the caller has checked the bounds.

#include <cstddef>
#include <cstdint>
#include <span>

namespace qx::sysinfo::pe {

inline std::uint16_t Le16(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

inline std::uint32_t Le32(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    return static_cast<std::uint32_t>(Le16(bytes, offset)) | (static_cast<std::uint32_t>(Le16(bytes, offset + 2)) << 16);
}

} // namespace qx::sysinfo::pe
