#pragma once

// Finding the version resource of a PE image (PE32 or PE32+): the resource
// directory, type RT_VERSION, name VS_VERSION_INFO, its first language.

#include "platform/file_reader.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace qx::sysinfo::pe {

// The bytes of the version resource, or nothing when the file is no PE image,
// has no version resource, or the resource is empty or longer than 65520
// bytes. Any other file is rejected after its first 64 bytes; a malformed
// image (truncated, offsets past the end, a tree whose levels do not lead to
// data) gives nothing. Reads only inside what the file holds.
std::optional<std::vector<std::uint8_t>> ReadVersionResource(platform::ReadableFile& file);

} // namespace qx::sysinfo::pe
