#pragma once

// The descriptor work every POSIX file service shares: an owned descriptor,
// reading and writing with the retries a signal calls for, and replacing a
// file in one step.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include <sys/types.h>

namespace qx::platform {

class UniqueFd {
public:
    explicit UniqueFd(int fd = -1) : m_fd(fd) {}
    ~UniqueFd();
    UniqueFd(UniqueFd&& other) noexcept : m_fd(other.Release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept;

    int Get() const { return m_fd; }
    bool Valid() const { return m_fd >= 0; }
    int Release();

    // Closes now; false when the system reports that the data was not
    // committed, or when nothing was open.
    bool Close();

private:
    int m_fd;
};

// Reads at `offset` until `into` is full, the end of the file or an error;
// returns how many bytes were read.
std::size_t ReadAt(int fd, std::uint64_t offset, std::span<std::uint8_t> into);

// Reads from the current position to the end of the file, at most `limit`
// bytes; nothing on a read error.
std::optional<std::string> ReadAll(int fd, std::size_t limit = std::numeric_limits<std::size_t>::max());

// Writes every byte unless an error stops it; returns how many were written.
std::size_t WriteAll(int fd, std::span<const std::uint8_t> bytes);
std::size_t WriteAll(int fd, std::string_view bytes);

// The owner and group a replaced file keeps.
struct FileOwner {
    uid_t user;
    gid_t group;
};

// Writes `bytes` to a new file beside `target` (".<name>.<pid>.<n>.tmp"),
// gives it `mode` and `owner` when there are some (the group only where the
// system lets this user give it), commits it to the disk and renames it over
// `target`, then commits the rename. False on any failure, after removing the
// new file; `target` is then as it was.
bool ReplaceAtomically(const std::filesystem::path& target, std::string_view bytes, std::optional<mode_t> mode,
                       std::optional<FileOwner> owner = std::nullopt);

} // namespace qx::platform
