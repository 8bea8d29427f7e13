#pragma once

// The drive letters of a Wine prefix, as the Windows programs run in it see
// the file system: each link "x:" of its dosdevices/ folder names the Unix
// folder of drive X ("c:" -> "../drive_c", "z:" -> "/").

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace qx::platform {

class WineDrives {
public:
    WineDrives() = default;

    // Letter ("a" to "z", lower case) to the drive's Unix folder, absolute,
    // without a trailing "/" unless it is "/" itself.
    explicit WineDrives(std::map<char, std::string> folders) : m_folders(std::move(folders)) {}

    // The drives of the prefix at `prefix`, read through `viewRoot` (empty
    // for this program's own file system, "/proc/PID/root" for the file system
    // of a process in another mount namespace). Relative links are taken from
    // dosdevices/; in this program's own file system the folders are made
    // canonical, as the kernel names mapped files. No drives when the prefix
    // has no dosdevices/ folder.
    static WineDrives OfPrefix(const std::filesystem::path& prefix, const std::string& viewRoot = {});

    // A Windows path with a drive letter ("C:\ORVANE55", "z:/opt/orvane55\")
    // as a Unix path: the drive's folder, then the rest with "\" and "/" both
    // separators. The drive letter's case does not matter, and a component
    // that is not spelt as on disk is found without regard to ASCII case, as
    // Wine finds it (the exact spelling first, then the first in name order);
    // a component that does not exist is kept as written, and so is the rest.
    // Empty and "." components are dropped, ".." goes up within the drive,
    // trailing separators go. Nothing when the path has no drive letter or
    // the prefix has no such drive.
    std::optional<std::string> UnixPath(std::string_view windowsPath) const;

    // A Unix path inside a drive that is a folder of its own, as the Windows
    // program sees it: "C:\ORVANE55\QXRT32.DLL" for
    // "<prefix>/drive_c/ORVANE55/QXRT32.DLL" (the letter upper-cased, the
    // components as on disk, "\" between them; the drive with the longest
    // folder wins). Nothing for a path that only the drive of the whole file
    // system ("z:" -> "/") reaches, or that no drive reaches: such a path is
    // best read in its Unix form.
    std::optional<std::string> WindowsPath(std::string_view unixPath) const;

    const std::map<char, std::string>& Folders() const { return m_folders; }

private:
    std::map<char, std::string> m_folders;
    std::string m_viewRoot;
};

// True when `path` begins with a drive letter and ":" ("C:", "c:\x", "z:/").
bool HasDriveLetter(std::string_view path);

// The prefix Wine uses for an environment: WINEPREFIX when it is an absolute
// path (Wine refuses any other), else "<home>/.wine".
std::filesystem::path WinePrefixFor(std::string_view winePrefix, const std::filesystem::path& home);

} // namespace qx::platform
