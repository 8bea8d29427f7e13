#pragma once

// Where the extractor writes. Pure string rules, no file access.

#include <string>
#include <string_view>

namespace qx::compress {

// The text after the last "/", "\" or ":" of `name` (names made on Windows
// hold "\" and ":"), or all of it when it has none of them.
std::string_view LastComponent(std::string_view name);

// The output path for `destination`: trailing spaces removed, and a
// destination ending in "/", "\" or ":" (a directory) completed with the
// last component of the stored name.
std::string BuildOutputPath(std::string_view destination, std::string_view storedName);

// Whether an output may be created at `path`: it fits the
// QXCOMPRESS_MAX_PATH_LENGTH characters of the name field, and its last
// component is neither empty nor "." nor "..", which would name a directory.
bool IsSafeOutputPath(std::string_view path);

} // namespace qx::compress
