#pragma once

// The content scan for files without a usable version resource.

#include <span>
#include <string>

namespace qx::sysinfo {

// Would look for a version text after a "V" in the file's contents. No text
// after a "V" is settled as being a version, so the scan reads nothing and
// leaves `version` empty: a file without a version resource is never listed.
inline void ScanFileForVersion(const std::string& /*path*/, std::span<char> /*version*/)
{
}

} // namespace qx::sysinfo
