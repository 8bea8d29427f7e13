#pragma once

// Short (8.3) paths. POSIX names have no short form, so the short path of an
// existing file is its path.

#include <cstddef>
#include <string>

namespace qx::compress {

// Sets `out` to the short form of the existing file or directory `path` and
// returns its length; returns 0 with `out` empty when the path does not
// exist or its short form is longer than `maxLength`.
std::size_t BuildShortPath(const std::string& path, std::string& out, std::size_t maxLength);

} // namespace qx::compress
