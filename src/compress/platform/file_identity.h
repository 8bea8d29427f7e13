#pragma once

// Whether two names or handles are the same file (its volume and its number
// there: device and inode, or volume serial and file index), so a call never
// empties the file it is about to read.

#include <cstdint>
#include <optional>

#include "compress/platform/handle_file.h"

namespace qx::compress {

struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// The identity of an existing file, or none.
std::optional<FileIdentity> IdentifyPath(const char* path);
std::optional<FileIdentity> IdentifyHandle(FileHandle handle);

} // namespace qx::compress
