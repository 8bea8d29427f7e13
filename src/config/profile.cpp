#include "config/profile.h"

#include "config/ini_document.h"
#include "config/profile_file.h"
#include "platform/whole_files.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

#include <pwd.h>
#include <unistd.h>

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

std::filesystem::path HomeDirectory()
{
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') return home;
    if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_dir != nullptr) return entry->pw_dir;
    return ".";
}

// XDG_CONFIG_HOME counts only when it is an absolute path.
std::filesystem::path ConfigHome()
{
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    if (configHome != nullptr && *configHome == '/') return configHome;
    return HomeDirectory() / ".config";
}

} // namespace

Profile::Profile(std::filesystem::path directory) : m_directory(std::move(directory)) {}

Profile Profile::ForCurrentUser()
{
    return Profile(ConfigHome() / "Orvane");
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
    const std::filesystem::path file = FilePath();
    const platform::FileContents contents = platform::ReadFileContents(file, kMaxFileSize);
    if (contents.outcome != platform::ReadOutcome::Complete && contents.outcome != platform::ReadOutcome::Missing) return;
    const std::optional<std::string> updated = WriteIni(contents.bytes, section, key, value);
    if (!updated || (contents.outcome == platform::ReadOutcome::Complete && *updated == contents.bytes)) return;
    platform::ReplaceFile(file, *updated);
}

} // namespace qx::config
