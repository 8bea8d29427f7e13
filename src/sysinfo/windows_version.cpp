#include "sysinfo/windows_version.h"

#include "sysinfo/sysinfo.h"

#include <array>

namespace qx::sysinfo {

std::string PlatformName(std::uint32_t platformId)
{
    static constexpr std::array<const char*, 3> kNames = {"3.1", "95", "NT"};
    return platformId < kNames.size() ? kNames[platformId] : "";
}

std::string FormatVersionLine(const platform::SystemVersion& version)
{
    const auto number = [](std::uint32_t value) { return std::to_string(static_cast<std::int32_t>(value)); };
    return PlatformName(version.platformId) + " " + number(version.major) + "." + number(version.minor) + "." +
           number(version.build) + " " + version.servicePack;
}

void FormatWindowsVersion(const SystemServices& services, std::string& text)
{
    const std::optional<platform::SystemVersion> version = services.version.Query();
    if (version) text = FormatVersionLine(*version);
}

} // namespace qx::sysinfo
