#pragma once

// The system calls under the file layer, as one small interface. The POSIX
// implementation is the default; tests replace it (a volume that fills up,
// writes cut short, reads that fail) without touching the layer above.
// Every call reports failure as -1 with `errno` set, like the system call.

#include <cstddef>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/types.h>
#include <time.h>

namespace qx::compress {

class FileOps {
public:
    virtual ~FileOps() = default;
    // Opens regular files only: a directory fails with EISDIR, any other
    // kind (device, FIFO, socket) with EINVAL, and nothing is left open. A
    // FIFO never makes the call wait for its other end.
    virtual int Open(const char* path, int flags, mode_t mode) = 0;
    virtual ssize_t Read(int fd, void* buffer, std::size_t count) = 0;
    virtual ssize_t Write(int fd, const void* buffer, std::size_t count) = 0;
    virtual off_t Seek(int fd, off_t offset, int whence) = 0;
    virtual int Truncate(int fd, off_t length) = 0;
    virtual int Close(int fd) = 0;
    virtual int StatHandle(int fd, struct stat& info) = 0;
    virtual int StatPath(const char* path, struct stat& info) = 0;
    // Sets the last-write time only; the access time stays.
    virtual int SetModifiedTime(int fd, const timespec& time) = 0;
    virtual int Remove(const char* path) = 0;
    virtual int VolumeStat(const char* path, struct statvfs& info) = 0;
};

FileOps& PosixFileOps();

// The implementation in use (PosixFileOps unless a test replaced it).
FileOps& CurrentFileOps();

// Makes `ops` the implementation in use while this object lives.
class ScopedFileOps {
public:
    explicit ScopedFileOps(FileOps& ops);
    ~ScopedFileOps();
    ScopedFileOps(const ScopedFileOps&) = delete;
    ScopedFileOps& operator=(const ScopedFileOps&) = delete;

private:
    FileOps* previous_;
};

} // namespace qx::compress
