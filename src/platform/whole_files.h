#pragma once

// Files read and written whole, for a small file of settings: read in one go,
// and replaced in one step so that a crash or a full disk never leaves a
// half-written file behind. The platform layer provides them (posix/).

#include <cstddef>
#include <filesystem>
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

// Writes `bytes` to a new file beside `file`, commits it to the disk and
// renames it over `file`, creating the directory when needed. A symbolic link
// is followed, so that a link to a shared file stays a link. The permissions
// of an existing file are kept. Refused, with nothing touched, when `file` or
// its directory is read-only (no write permission bit, or no write access).
// False on any failure, after removing the new file; `file` is then as it was.
bool ReplaceFile(const std::filesystem::path& file, std::string_view bytes);

} // namespace qx::platform
