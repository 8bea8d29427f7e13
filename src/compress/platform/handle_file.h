#pragma once

// Plain file handles for the extractor and the size query, which work on
// system handles rather than slots. Failures set LastFileError.

#include <cstdint>
#include <optional>

namespace qx::compress {

using FileHandle = int;
inline constexpr FileHandle kBadHandle = -1;

enum class HandleAccess { Read, Write };

// Opens an existing file, read-only or write-only, from its first byte.
FileHandle OpenHandle(const char* path, HandleAccess access);
// Creates a file for writing, emptying an existing one.
FileHandle CreateHandle(const char* path);
// Bytes read (0 at the end of the file), or none when a read fails before
// any byte could be read.
std::optional<std::uint32_t> ReadHandle(FileHandle handle, void* buffer, std::uint32_t n);
// Writes all `n` bytes; false when the system refuses. A write that makes no
// progress is a failure (kErrorWriteFault).
bool WriteHandle(FileHandle handle, const void* buffer, std::uint32_t n);
// Cuts the file at `length`.
bool TruncateHandle(FileHandle handle, std::uint32_t length);
bool CloseHandle(FileHandle handle);

// Owns a handle and closes it when it goes; kBadHandle owns nothing.
class ScopedHandle {
public:
    explicit ScopedHandle(FileHandle handle) : handle_(handle) {}
    ~ScopedHandle()
    {
        if (handle_ != kBadHandle) CloseHandle(handle_);
    }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;

    FileHandle get() const { return handle_; }
    // Closes now; false when the system reports a failure.
    bool Close()
    {
        const FileHandle handle = handle_;
        handle_ = kBadHandle;
        return handle == kBadHandle || CloseHandle(handle);
    }

private:
    FileHandle handle_;
};

} // namespace qx::compress
