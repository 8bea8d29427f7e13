#pragma once

// A file layer that fails on purpose, for the failure paths of the archive
// library: a volume that fills up after so many bytes, writes that fail or
// make no progress, reads of one file that fail, a free space it reports.
// Everything else goes to the real POSIX files.

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "compress/platform/file_ops.h"

namespace qx::test {

enum class WriteFault {
    DiskFull,   // ENOSPC
    QuotaFull,  // EDQUOT
    IoError,    // EIO
    NoProgress, // the system writes 0 bytes and reports nothing
};

class FaultyFileOps : public compress::FileOps {
public:
    // Writes succeed for `bytes` bytes in total (the last one cut short),
    // then fail as `fault`.
    void FailWritesAfter(std::uint64_t bytes, WriteFault fault);
    // Reads of files opened under `path` fail with `errnoValue` once `bytes`
    // of them have been read.
    void FailReadsOf(const std::string& path, std::uint64_t bytes, int errnoValue);
    // The free space the volume reports from now on, or that the query fails.
    void ReportFreeSpace(std::uint64_t bytes)
    {
        freeSpaceAnswer_ = FreeSpaceAnswer::Fixed;
        freeSpace_ = bytes;
    }
    void ReportUnknownFreeSpace() { freeSpaceAnswer_ = FreeSpaceAnswer::Unknown; }
    void FailTruncate(int errnoValue) { truncateErrno_ = errnoValue; }
    // Seeks on files opened under `path` fail with `errnoValue`, as on a pipe.
    void FailSeeksOf(const std::string& path, int errnoValue)
    {
        failingSeekPath_ = path;
        seekErrno_ = errnoValue;
    }

    // Sizes of the write calls made so far.
    const std::vector<std::size_t>& WriteCalls() const { return writeCalls_; }
    // Write calls that failed so far.
    int FailedWrites() const { return failedWrites_; }

    int Open(const char* path, int flags, mode_t mode) override;
    ssize_t Read(int fd, void* buffer, std::size_t count) override;
    ssize_t Write(int fd, const void* buffer, std::size_t count) override;
    off_t Seek(int fd, off_t offset, int whence) override;
    int Truncate(int fd, off_t length) override;
    int Close(int fd) override;
    int StatHandle(int fd, struct stat& info) override;
    int StatPath(const char* path, struct stat& info) override;
    int SetModifiedTime(int fd, const timespec& time) override;
    int Remove(const char* path) override;
    int VolumeStat(const char* path, struct statvfs& info) override;

private:
    compress::FileOps& real_ = compress::PosixFileOps();
    std::optional<std::uint64_t> writeBudget_;
    WriteFault writeFault_ = WriteFault::DiskFull;
    std::uint64_t written_ = 0;
    std::string failingReadPath_;
    std::uint64_t readBudget_ = 0;
    int readErrno_ = 0;
    std::set<int> failingReadHandles_;
    std::string failingSeekPath_;
    int seekErrno_ = 0;
    std::set<int> failingSeekHandles_;
    int failedWrites_ = 0;
    enum class FreeSpaceAnswer { Real, Fixed, Unknown };
    FreeSpaceAnswer freeSpaceAnswer_ = FreeSpaceAnswer::Real;
    std::uint64_t freeSpace_ = 0;
    int truncateErrno_ = 0;
    std::vector<std::size_t> writeCalls_;
};

} // namespace qx::test
