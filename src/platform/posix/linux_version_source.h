#pragma once

// VersionSource of Linux: major, minor and build from the kernel release of
// uname, the service-pack text from PRETTY_NAME of /etc/os-release. The
// platform identifier is no Windows one, so the line names no platform.

#include "platform/version_source.h"

#include <string>
#include <string_view>

namespace qx::platform {

inline constexpr std::uint32_t kLinuxPlatformId = 0x4C; // none of 0, 1, 2
inline constexpr std::size_t kServicePackLength = 127;

class LinuxVersionSource final : public VersionSource {
public:
    // `osRelease` stands for "/etc/os-release" (tests give a file of their own).
    explicit LinuxVersionSource(std::string osRelease = "/etc/os-release") : m_osRelease(std::move(osRelease)) {}

    // Nothing when uname fails; an empty service-pack text when the file
    // cannot be read or names nothing.
    std::optional<SystemVersion> Query() const override;

private:
    std::string m_osRelease;
};

// "6.1.0-18-amd64" gives 6, 1 and 0: up to three numbers separated by ".",
// ending at any other character; a missing one is 0, a huge one saturates.
void ParseKernelRelease(std::string_view release, SystemVersion& version);

// The value of PRETTY_NAME in an os-release text, its quotes and escapes
// removed, as UTF-8; empty when the text has none.
std::string PrettyName(std::string_view osRelease);

// A UTF-8 text as a service-pack text: Windows-1252, at most 127 characters.
std::string ServicePackText(std::string_view utf8);

} // namespace qx::platform
