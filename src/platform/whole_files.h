#pragma once

// Files read and written whole, for a small file of settings: read in one go,
// and replaced in one step so that a crash or a full disk never leaves a
// half-written file behind. The platform layer provides them (posix/).

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace qx::platform {

enum class ReadOutcome {
    Complete,   // every byte of the file
    Truncated,  // the file is longer than asked: its first bytes only
    Missing,    // no such file
    Unreadable, // not a regular file, or it cannot be opened or read
};

struct FileContents {
    ReadOutcome outcome = ReadOutcome::Missing;
    std::string bytes;
};

FileContents ReadFileContents(const std::filesystem::path& file, std::size_t maxSize);

// What an update makes of the file's contents; nothing leaves it as it is.
using FileChange = std::function<std::optional<std::string>(const FileContents& contents)>;

// Reads `file` (at most `maxSize` bytes), gives its contents to `change` and
// writes what it returns, all while holding an advisory lock (flock) on the
// sibling lock file ".<name>.lock", so that two programs updating the file at
// once never lose each other's change. The new contents go to a new file
// beside `file`, committed to the disk and renamed over it, creating the
// directory when needed: a crash leaves the old file or the new one, never a
// half-written one. Temporary files that a killed writer left (".<name>.*.tmp")
// are removed first. A symbolic link is followed, so that a link to a shared
// file stays a link. The permissions, owner and group of an existing file are
// kept; a file with several hard links, or whose owner this user cannot give
// to a new file, is written in place instead, so that every name sees the
// change. `change` is not called, and nothing is touched, when `file` or its
// directory is read-only (no write permission bit, or no write access) or the
// file cannot be read whole. False on any failure; `file` is then as it was.
bool UpdateFile(const std::filesystem::path& file, std::size_t maxSize, const FileChange& change);

} // namespace qx::platform
