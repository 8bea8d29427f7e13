#pragma once

// The file operations under Profile: finding the file without regard to the
// case of its name, reading it whole, and replacing it in one step so that a
// crash or a full disk never leaves a half-written file behind.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace qx::config {

// The entry of `directory` named `name` without regard to case ("ORVANE.INI"
// for "Orvane.ini"); the exact spelling wins, then the first in name order.
// `directory / name` when there is none (or the directory cannot be listed).
std::filesystem::path FindFileIgnoringCase(const std::filesystem::path& directory, std::string_view name);

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
// renames it over `file`, creating the directory when needed. The permissions
// of an existing file are kept. Refused, with nothing touched, when `file` or
// its directory is read-only (no write permission bit, or no write access).
// False on any failure, after removing the new file; `file` is then as it was.
bool ReplaceFile(const std::filesystem::path& file, std::string_view bytes);

} // namespace qx::config
