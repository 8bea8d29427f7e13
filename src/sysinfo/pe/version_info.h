#pragma once

// Reading the "FileVersion" text out of a version resource (VS_VERSIONINFO).

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace qx::sysinfo::pe {

// The "FileVersion" text of the first translation: the first entry of
// "\VarFileInfo\Translation" gives language and code page, whose string table
// "\StringFileInfo\<LLLLCCCC>" holds the text. Keys compare without regard to
// case. The UTF-16 text is converted to Windows-1252 ("?" for what it cannot
// hold) and ends at its first zero. Nothing when a block is missing, the
// translation list holds no full entry, or the blocks are malformed; never
// reads outside `resource`.
std::optional<std::string> QueryFileVersion(std::span<const std::uint8_t> resource);

} // namespace qx::sysinfo::pe
