#include "compress/platform/file_ops.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace qx::compress {
namespace {

class PosixOps final : public FileOps {
public:
    int Open(const char* path, int flags, mode_t mode) override
    {
        // O_NONBLOCK: opening a FIFO without writer (or reader) returns at
        // once; on a regular file it changes nothing and is dropped again.
        const int fd = ::open(path, flags | O_CLOEXEC | O_NONBLOCK, mode);
        if (fd < 0) return -1;
        struct stat info {};
        if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
            const int reason = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
            ::close(fd);
            errno = reason;
            return -1;
        }
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        return fd;
    }
    ssize_t Read(int fd, void* buffer, std::size_t count) override { return ::read(fd, buffer, count); }
    ssize_t Write(int fd, const void* buffer, std::size_t count) override { return ::write(fd, buffer, count); }
    off_t Seek(int fd, off_t offset, int whence) override { return ::lseek(fd, offset, whence); }
    int Truncate(int fd, off_t length) override { return ::ftruncate(fd, length); }
    int Close(int fd) override { return ::close(fd); }
    int StatHandle(int fd, struct stat& info) override { return ::fstat(fd, &info); }
    int StatPath(const char* path, struct stat& info) override { return ::stat(path, &info); }
    int SetModifiedTime(int fd, const timespec& time) override
    {
        const timespec times[2] = {{0, UTIME_OMIT}, time};
        return ::futimens(fd, times);
    }
    int Remove(const char* path) override { return ::unlink(path); }
    int VolumeStat(const char* path, struct statvfs& info) override { return ::statvfs(path, &info); }
};

FileOps*& ActiveOps()
{
    static FileOps* ops = &PosixFileOps();
    return ops;
}

} // namespace

FileOps& PosixFileOps()
{
    static PosixOps ops;
    return ops;
}

FileOps& CurrentFileOps() { return *ActiveOps(); }

ScopedFileOps::ScopedFileOps(FileOps& ops) : previous_(ActiveOps()) { ActiveOps() = &ops; }

ScopedFileOps::~ScopedFileOps() { ActiveOps() = previous_; }

} // namespace qx::compress
