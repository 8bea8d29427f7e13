#pragma once

// A standard LHA level-0 archive around lh5 data, so that a standard
// extractor can check our bit stream: the level-0 header (size, checksum,
// method, sizes, time, attribute, level, name, CRC-16 of the original), the
// data, and the end-of-archive byte.

#include <cstdint>
#include <string>
#include <vector>

namespace qx::test {

std::vector<std::uint8_t> LhaLevel0Archive(const std::vector<std::uint8_t>& lh5Data,
                                           const std::vector<std::uint8_t>& original, const std::string& name);

} // namespace qx::test
