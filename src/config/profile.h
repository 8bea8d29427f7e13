#pragma once

// The private-profile file "Orvane.ini" shared with the Orvane environment.
// Nothing is cached: every Read opens the file, every Write replaces it, so an
// edit made by hand while the program runs is seen at the next read.

#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace qx::config {

// Values read back are cut to this many characters (a 260-byte buffer).
inline constexpr std::size_t kMaxValueLength = 259;

// One key and its value, for writing several keys at once.
struct ProfileEntry {
    std::string_view key;
    std::string_view value;
};

class Profile {
public:
    // The file "Orvane.ini" (matched without regard to case) in `directory`;
    // the drive letters of stored paths are those of the Wine prefix
    // `winePrefix` (none when it is empty).
    explicit Profile(std::filesystem::path directory, std::filesystem::path winePrefix = {});

    // The profile of this user, in the folder that config/profile_place.h
    // chooses.
    static Profile ForCurrentUser();

    // The stored value, or `defaultValue` when the file, section or key is
    // missing. Section and key names compare without regard to case.
    std::string Read(std::string_view section, std::string_view key, std::string_view defaultValue) const;

    // Replaces or creates the key (and the section, the file and its
    // directory). Every other line stays as it was; the file is written with
    // CRLF line ends, and a CR or LF in `value` is written as a blank. The file
    // is replaced in one step (a new file beside it, renamed over it), so it is
    // never left half-written (platform/whole_files.h says when it is written
    // in place instead). Fails silently, leaving the file as it was: a
    // read-only file or directory, a full disk, a file that cannot be read
    // whole.
    void Write(std::string_view section, std::string_view key, std::string_view value) const;

    // Writes every entry into `section`, in their order, as one change of the
    // file: one replacement, under the lock that every writer of the file
    // takes (platform/whole_files.h), so that no crash leaves some of them
    // written and no other writer's change is lost. Nothing is written when
    // one of the keys cannot be stored.
    void WriteSection(std::string_view section, std::span<const ProfileEntry> entries) const;

    // Sets the key to `next` of its value (as Read gives it, with
    // `defaultValue`), the value read and written under the writers' lock, so
    // that two programs changing it at once both count.
    void Change(std::string_view section, std::string_view key, std::string_view defaultValue,
                const std::function<std::string(const std::string& value)>& next) const;

    // The file that Read and Write use now (it may not exist yet).
    std::filesystem::path FilePath() const;

    // A path stored in the file as the environment writes it, as a Unix
    // path: one with a drive letter ("C:\ORVANE55") through the drives of the
    // Wine prefix (platform/posix/wine_drives.h); any other, or one whose
    // drive the prefix does not have, as it is.
    std::string UnixPath(const std::string& stored) const;

    const std::filesystem::path& Directory() const { return m_directory; }
    const std::filesystem::path& WinePrefix() const { return m_winePrefix; }

private:
    std::filesystem::path m_directory;
    std::filesystem::path m_winePrefix;
};

} // namespace qx::config
