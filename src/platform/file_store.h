#pragma once

// Files the program writes itself (the screenshot bitmap, the report file),
// behind a small interface so that a failing volume or file layer can stand in
// for the real one. Paths are the system's own byte strings.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

namespace qx::platform {

class OutputFile {
public:
    virtual ~OutputFile() = default;

    // Writes `bytes` at the end of the file; returns how many were stored.
    // Fewer than asked means the write failed (a full volume, an I/O error).
    virtual std::size_t Write(std::span<const std::uint8_t> bytes) = 0;

    // Closes the file; false when the system reports that the data could not
    // be committed. Destroying an open file closes it without a report.
    virtual bool Close() = 0;
};

enum class OpenMode {
    Replace, // create, or empty an existing file
    Append,  // keep the contents and write after them; create when missing
};

class FileStore {
public:
    virtual ~FileStore() = default;

    // The file opened for writing, or null when it cannot be opened.
    virtual std::unique_ptr<OutputFile> Open(const std::string& path, OpenMode mode) = 0;

    // Creates a new empty file "<directory>/<prefix>XXXX.TMP" (four upper-case
    // hexadecimal digits, a name that did not exist) and returns its path as
    // built from `directory`; nothing when no such file can be created.
    virtual std::optional<std::string> CreateTempFile(const std::string& directory, const std::string& prefix) = 0;

    // Deletes the file; false when it could not be deleted (or did not exist).
    virtual bool Remove(const std::string& path) = 0;

    // The short (8.3) form of an existing file or directory, the form a helper
    // of the 16-bit era is given; nothing when it does not exist.
    virtual std::optional<std::string> ShortPath(const std::string& path) = 0;
};

} // namespace qx::platform
