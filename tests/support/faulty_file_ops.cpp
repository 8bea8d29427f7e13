#include "support/faulty_file_ops.h"

#include <algorithm>
#include <cerrno>

namespace qx::test {

void FaultyFileOps::FailWritesAfter(std::uint64_t bytes, WriteFault fault)
{
    writeBudget_ = bytes;
    writeFault_ = fault;
    written_ = 0;
}

void FaultyFileOps::FailReadsOf(const std::string& path, std::uint64_t bytes, int errnoValue)
{
    failingReadPath_ = path;
    readBudget_ = bytes;
    readErrno_ = errnoValue;
}

int FaultyFileOps::Open(const char* path, int flags, mode_t mode)
{
    const int fd = real_.Open(path, flags, mode);
    if (fd >= 0 && !failingReadPath_.empty() && failingReadPath_ == path) failingReadHandles_.insert(fd);
    if (fd >= 0 && !failingSeekPath_.empty() && failingSeekPath_ == path) failingSeekHandles_.insert(fd);
    return fd;
}

ssize_t FaultyFileOps::Read(int fd, void* buffer, std::size_t count)
{
    if (!failingReadHandles_.count(fd)) return real_.Read(fd, buffer, count);
    if (readBudget_ == 0) {
        errno = readErrno_;
        return -1;
    }
    const ssize_t got = real_.Read(fd, buffer, static_cast<std::size_t>(std::min<std::uint64_t>(count, readBudget_)));
    if (got > 0) readBudget_ -= static_cast<std::uint64_t>(got);
    return got;
}

ssize_t FaultyFileOps::Write(int fd, const void* buffer, std::size_t count)
{
    writeCalls_.push_back(count);
    if (!writeBudget_) return real_.Write(fd, buffer, count);
    const std::uint64_t room = *writeBudget_ > written_ ? *writeBudget_ - written_ : 0;
    if (room == 0 || writeFault_ == WriteFault::NoProgress) {
        ++failedWrites_;
        if (writeFault_ == WriteFault::NoProgress) return 0;
        errno = writeFault_ == WriteFault::DiskFull ? ENOSPC : writeFault_ == WriteFault::QuotaFull ? EDQUOT : EIO;
        return -1;
    }
    const ssize_t done = real_.Write(fd, buffer, static_cast<std::size_t>(std::min<std::uint64_t>(count, room)));
    if (done > 0) written_ += static_cast<std::uint64_t>(done);
    return done;
}

off_t FaultyFileOps::Seek(int fd, off_t offset, int whence)
{
    if (failingSeekHandles_.count(fd)) {
        errno = seekErrno_;
        return -1;
    }
    return real_.Seek(fd, offset, whence);
}

int FaultyFileOps::Truncate(int fd, off_t length)
{
    if (truncateErrno_ != 0) {
        errno = truncateErrno_;
        return -1;
    }
    return real_.Truncate(fd, length);
}

int FaultyFileOps::Close(int fd)
{
    failingReadHandles_.erase(fd);
    failingSeekHandles_.erase(fd);
    return real_.Close(fd);
}

int FaultyFileOps::StatHandle(int fd, struct stat& info) { return real_.StatHandle(fd, info); }
int FaultyFileOps::StatPath(const char* path, struct stat& info) { return real_.StatPath(path, info); }
int FaultyFileOps::SetModifiedTime(int fd, const timespec& time) { return real_.SetModifiedTime(fd, time); }
int FaultyFileOps::Remove(const char* path) { return real_.Remove(path); }

int FaultyFileOps::VolumeStat(const char* path, struct statvfs& info)
{
    if (freeSpaceAnswer_ == FreeSpaceAnswer::Unknown) {
        errno = EIO;
        return -1;
    }
    const int result = real_.VolumeStat(path, info);
    if (result == 0 && freeSpaceAnswer_ == FreeSpaceAnswer::Fixed) {
        info.f_frsize = 1;
        info.f_bavail = freeSpace_;
    }
    return result;
}

} // namespace qx::test
