#pragma once

// Whether two names or handles are the same file (device and inode), so a
// call never empties the file it is about to read.

#include <optional>
#include <sys/types.h>

#include "compress/platform/handle_file.h"

namespace qx::compress {

struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// The identity of an existing file, or none.
std::optional<FileIdentity> IdentifyPath(const char* path);
std::optional<FileIdentity> IdentifyHandle(FileHandle handle);

} // namespace qx::compress
