#include "config/profile_place.h"

#include "config/profile_file.h"
#include "platform/posix/wine_drives.h"
#include "text/ascii_case.h"

#include <cstdlib>
#include <system_error>

#include <pwd.h>
#include <unistd.h>

namespace qx::config {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kFileName = "Orvane.ini";

std::string Variable(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

std::string HomeDirectory()
{
    std::string home = Variable("HOME");
    if (!home.empty()) return home;
    if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_dir != nullptr) return entry->pw_dir;
    return ".";
}

fs::path WindowsFolderOf(const fs::path& prefix)
{
    return prefix / "drive_c" / "windows";
}

// "<prefix>/drive_c/windows" (ASCII case aside) names its prefix.
std::optional<fs::path> PrefixOfWindowsFolder(const fs::path& directory)
{
    const fs::path folder = directory.lexically_normal();
    const fs::path windows = folder.has_filename() ? folder : folder.parent_path();
    if (!text::EqualIgnoringAsciiCase(windows.filename().string(), "windows")) return std::nullopt;
    const fs::path drive = windows.parent_path();
    if (!text::EqualIgnoringAsciiCase(drive.filename().string(), "drive_c")) return std::nullopt;
    return drive.parent_path();
}

bool HoldsProfile(const fs::path& directory)
{
    std::error_code error;
    return fs::is_regular_file(FindFileIgnoringCase(directory, kFileName), error);
}

} // namespace

ProfileEnvironment ProfileEnvironment::OfThisProcess()
{
    return {Variable("QXBETA_WINDOWS_DIR"), Variable("WINEPREFIX"), Variable("XDG_CONFIG_HOME"), HomeDirectory()};
}

ProfilePlace LocateProfile(const ProfileEnvironment& environment)
{
    const fs::path home = environment.home.empty() ? fs::path(".") : fs::path(environment.home);
    const fs::path prefix = platform::WinePrefixFor(environment.winePrefix, home);

    if (!environment.windowsDirectory.empty()) {
        const fs::path directory(environment.windowsDirectory);
        return {ProfileOrigin::Named, directory, PrefixOfWindowsFolder(directory).value_or(prefix)};
    }
    if (HoldsProfile(WindowsFolderOf(prefix))) return {ProfileOrigin::WinePrefix, WindowsFolderOf(prefix), prefix};

    // XDG_CONFIG_HOME counts only when it is an absolute path.
    const fs::path configHome =
        environment.configHome.starts_with('/') ? fs::path(environment.configHome) : home / ".config";
    return {ProfileOrigin::ConfigHome, configHome / "Orvane", prefix};
}

} // namespace qx::config
