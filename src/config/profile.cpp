#include "config/profile.h"

#include "config/ini_document.h"
#include "config/profile_file.h"
#include "config/profile_place.h"
#include "platform/posix/wine_drives.h"
#include "platform/whole_files.h"

#include <algorithm>
#include <optional>

namespace qx::config {
namespace {

constexpr std::string_view kFileName = "Orvane.ini";

// A profile is a few kilobytes; a larger file is read only as far as this, and
// is never rewritten, since its end would be lost.
constexpr std::size_t kMaxFileSize = 8 * 1024 * 1024;

// What a 260-byte destination receives: the text up to a NUL, at most 259 characters.
std::string AsReadBack(std::string_view text)
{
    return std::string(text.substr(0, std::min(text.find('\0'), kMaxValueLength)));
}

} // namespace

Profile::Profile(std::filesystem::path directory, std::filesystem::path winePrefix)
    : m_directory(std::move(directory)), m_winePrefix(std::move(winePrefix))
{
}

Profile Profile::ForCurrentUser()
{
    ProfilePlace place = LocateProfile(ProfileEnvironment::OfThisProcess());
    return Profile(std::move(place.directory), std::move(place.winePrefix));
}

std::string Profile::UnixPath(const std::string& stored) const
{
    if (!platform::HasDriveLetter(stored)) return stored;
    return platform::WineDrives::OfPrefix(m_winePrefix).UnixPath(stored).value_or(stored);
}

std::filesystem::path Profile::FilePath() const
{
    return FindFileIgnoringCase(m_directory, kFileName);
}

std::string Profile::Read(std::string_view section, std::string_view key, std::string_view defaultValue) const
{
    const platform::FileContents contents = platform::ReadFileContents(FilePath(), kMaxFileSize);
    if (contents.outcome != platform::ReadOutcome::Complete && contents.outcome != platform::ReadOutcome::Truncated)
        return AsReadBack(defaultValue);
    const std::optional<std::string_view> value = LookupIni(contents.bytes, section, key);
    return AsReadBack(value ? *value : defaultValue);
}

void Profile::Write(std::string_view section, std::string_view key, std::string_view value) const
{
    const ProfileEntry entry{key, value};
    WriteSection(section, std::span(&entry, 1));
}

void Profile::Change(std::string_view section, std::string_view key, std::string_view defaultValue,
                     const std::function<std::string(const std::string& value)>& next) const
{
    platform::UpdateFile(FilePath(), kMaxFileSize, [&](const platform::FileContents& contents) {
        const std::optional<std::string_view> stored = LookupIni(contents.bytes, section, key);
        return WriteIni(contents.bytes, section, key, next(AsReadBack(stored ? *stored : defaultValue)));
    });
}

void Profile::WriteSection(std::string_view section, std::span<const ProfileEntry> entries) const
{
    platform::UpdateFile(FilePath(), kMaxFileSize, [&](const platform::FileContents& contents) {
        std::optional<std::string> updated = contents.bytes;
        for (const ProfileEntry& entry : entries) {
            updated = WriteIni(*updated, section, entry.key, entry.value);
            if (!updated) return updated;
        }
        if (contents.outcome == platform::ReadOutcome::Complete && *updated == contents.bytes) return std::optional<std::string>();
        return updated;
    });
}

} // namespace qx::config
