#include "platform/posix/linux_version_source.h"

#include "text/cp1252.h"

#include <array>
#include <fstream>
#include <iterator>
#include <limits>
#include <sys/utsname.h>

namespace qx::platform {

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::uint32_t ParseNumber(std::string_view& text)
{
    std::uint64_t value = 0;
    while (!text.empty() && IsDigit(text.front())) {
        value = std::min<std::uint64_t>(value * 10 + static_cast<std::uint64_t>(text.front() - '0'),
                                        std::numeric_limits<std::uint32_t>::max());
        text.remove_prefix(1);
    }
    return static_cast<std::uint32_t>(value);
}

// A shell-style value: "double" with backslash escapes, 'single', or bare.
std::string Unquote(std::string_view value)
{
    if (value.size() >= 2 && value.front() == '\'' && value.back() == '\'') return std::string(value.substr(1, value.size() - 2));
    if (value.size() < 2 || value.front() != '"' || value.back() != '"') return std::string(value);
    value = value.substr(1, value.size() - 2);
    std::string text;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size()) ++i;
        text += value[i];
    }
    return text;
}

} // namespace

void ParseKernelRelease(std::string_view release, SystemVersion& version)
{
    const std::array<std::uint32_t*, 3> parts = {&version.major, &version.minor, &version.build};
    for (std::size_t i = 0; i < parts.size(); ++i) {
        *parts[i] = ParseNumber(release);
        if (i + 1 < parts.size()) {
            if (release.empty() || release.front() != '.') break;
            release.remove_prefix(1);
        }
    }
}

std::string PrettyName(std::string_view osRelease)
{
    constexpr std::string_view kKey = "PRETTY_NAME=";
    std::string name;
    while (!osRelease.empty()) {
        const auto end = std::min(osRelease.find('\n'), osRelease.size());
        std::string_view line = osRelease.substr(0, end);
        osRelease.remove_prefix(std::min(end + 1, osRelease.size()));
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.starts_with(kKey)) name = Unquote(line.substr(kKey.size()));
    }
    return name;
}

std::string ServicePackText(std::string_view utf8)
{
    std::string text = text::Utf8ToCp1252(utf8);
    if (text.size() > kServicePackLength) text.resize(kServicePackLength);
    return text;
}

std::optional<SystemVersion> LinuxVersionSource::Query() const
{
    struct utsname names {};
    if (::uname(&names) != 0) return std::nullopt;
    SystemVersion version;
    version.platformId = kLinuxPlatformId;
    ParseKernelRelease(names.release, version);
    std::ifstream in(m_osRelease, std::ios::binary);
    const std::string osRelease((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    version.servicePack = ServicePackText(PrettyName(osRelease));
    return version;
}

} // namespace qx::platform
