#pragma once

// Little-endian 16- and 32-bit fields at an offset into a byte block. The
// caller has checked that the field lies inside the block.

#include <cstddef>
#include <cstdint>
#include <span>

namespace qx {

inline std::uint16_t GetLe16(std::span<const std::uint8_t> in, std::size_t offset)
{
    return static_cast<std::uint16_t>(in[offset] | (in[offset + 1] << 8));
}

inline std::uint32_t GetLe32(std::span<const std::uint8_t> in, std::size_t offset)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(in[offset + i]) << (8 * i);
    return value;
}

inline void PutLe16(std::span<std::uint8_t> out, std::size_t offset, std::uint16_t value)
{
    out[offset] = static_cast<std::uint8_t>(value);
    out[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

inline void PutLe32(std::span<std::uint8_t> out, std::size_t offset, std::uint32_t value)
{
    for (std::size_t i = 0; i < 4; ++i) out[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

} // namespace qx
