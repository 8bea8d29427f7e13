#pragma once

// Reading existing files, and the wildcard search over a directory.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace qx::platform {

class ReadableFile {
public:
    virtual ~ReadableFile() = default;

    // Reads up to `into.size()` bytes at `offset`; returns how many were read
    // (fewer at the end of the file or on an error, 0 past the end).
    virtual std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> into) = 0;
};

class FileReader {
public:
    virtual ~FileReader() = default;

    // The file opened for reading, or null when it cannot be opened (missing,
    // unreadable, a directory).
    virtual std::unique_ptr<ReadableFile> OpenRead(const std::string& path) = 0;

    // The names (without directory) of the entries of the directory part of
    // `pattern` (up to its last "/") whose names match its last component,
    // "*" and "?" compared without regard to case, in directory order. Empty
    // when the directory cannot be read or nothing matches.
    virtual std::vector<std::string> FindFiles(const std::string& pattern) = 0;
};

} // namespace qx::platform
