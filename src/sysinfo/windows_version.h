#pragma once

// The Windows version line.

#include "platform/version_source.h"

#include <cstdint>
#include <string>

namespace qx::sysinfo {

// "3.1", "95", "NT" for the platform identifiers 0, 1, 2; empty for any other.
std::string PlatformName(std::uint32_t platformId);

// "%s %d.%d.%d %s": platform name, major, minor and build as signed 32-bit
// numbers (the whole build value), service-pack text.
std::string FormatVersionLine(const platform::SystemVersion& version);

} // namespace qx::sysinfo
