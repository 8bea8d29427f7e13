#pragma once

// The operating system's version, in the five values the version line shows.

#include <cstdint>
#include <optional>
#include <string>

namespace qx::platform {

struct SystemVersion {
    std::uint32_t platformId = 0;
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    std::uint32_t build = 0;
    std::string servicePack; // Windows-1252, at most 127 characters
};

class VersionSource {
public:
    virtual ~VersionSource() = default;

    // The version, or nothing when the system cannot be asked.
    virtual std::optional<SystemVersion> Query() const = 0;
};

} // namespace qx::platform
