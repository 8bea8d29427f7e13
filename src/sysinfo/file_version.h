#pragma once

// The "FileVersion" text of a file's version resource, in its first listed
// language. Files that are not PE images have no version.

#include "platform/file_reader.h"

#include <span>
#include <string>

namespace qx::sysinfo {

// Text form: sets `text` to the whole version and returns true; returns false
// and leaves `text` as it was when the file has no version.
bool ReadFileVersion(platform::FileReader& files, const std::string& path, std::string& text);

// Buffer form: copies at most buffer.size() - 1 characters of the version
// and a terminating zero into `buffer` and returns true; returns false and
// leaves the buffer as it was when the file has no version.
bool ReadFileVersion(platform::FileReader& files, const std::string& path, std::span<char> buffer);

} // namespace qx::sysinfo
