#include "platform/posix/descriptor_io.h"

#include <algorithm>
#include <atomic>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qx::platform {
namespace {

constexpr int kTempNameAttempts = 16;
constexpr std::size_t kReadChunk = 64 * 1024;

// Removes the new file unless it was renamed into place.
class TempFileGuard {
public:
    explicit TempFileGuard(std::filesystem::path path) : m_path(std::move(path)) {}
    ~TempFileGuard()
    {
        if (!m_kept) ::unlink(m_path.c_str());
    }
    TempFileGuard(const TempFileGuard&) = delete;
    TempFileGuard& operator=(const TempFileGuard&) = delete;

    void Keep() { m_kept = true; }

private:
    std::filesystem::path m_path;
    bool m_kept = false;
};

struct TempFile {
    std::filesystem::path path;
    UniqueFd fd;
};

// A new file ".<name>.<pid>.<n>.tmp" beside `target`, created exclusively.
std::optional<TempFile> CreateSibling(const std::filesystem::path& target)
{
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
        const std::string name = "." + target.filename().string() + "." + std::to_string(::getpid()) + "." +
                                 std::to_string(counter.fetch_add(1)) + ".tmp";
        std::filesystem::path path = target.parent_path() / name;
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) return TempFile{std::move(path), UniqueFd(fd)};
        if (errno != EEXIST) return std::nullopt;
    }
    return std::nullopt;
}

} // namespace

UniqueFd::~UniqueFd()
{
    if (m_fd >= 0) ::close(m_fd);
}

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept
{
    if (this != &other) {
        if (m_fd >= 0) ::close(m_fd);
        m_fd = other.Release();
    }
    return *this;
}

int UniqueFd::Release()
{
    const int fd = m_fd;
    m_fd = -1;
    return fd;
}

bool UniqueFd::Close()
{
    if (m_fd < 0) return false;
    return ::close(Release()) == 0;
}

std::size_t ReadAt(int fd, std::uint64_t offset, std::span<std::uint8_t> into)
{
    std::size_t done = 0;
    while (done < into.size()) {
        const ::ssize_t got = ::pread(fd, into.data() + done, into.size() - done, static_cast<::off_t>(offset + done));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        done += static_cast<std::size_t>(got);
    }
    return done;
}

std::optional<std::string> ReadAll(int fd, std::size_t limit)
{
    std::string bytes;
    while (bytes.size() < limit) {
        const std::size_t offset = bytes.size();
        const std::size_t chunk = std::min(kReadChunk, limit - offset);
        bytes.resize(offset + chunk);
        const ::ssize_t got = ::read(fd, bytes.data() + offset, chunk);
        if (got < 0 && errno == EINTR) {
            bytes.resize(offset);
            continue;
        }
        if (got < 0) return std::nullopt;
        bytes.resize(offset + static_cast<std::size_t>(got));
        if (got == 0) break;
    }
    return bytes;
}

std::size_t WriteAll(int fd, std::span<const std::uint8_t> bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ::ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

std::size_t WriteAll(int fd, std::string_view bytes)
{
    return WriteAll(fd, std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

bool ReplaceAtomically(const std::filesystem::path& target, std::string_view bytes, std::optional<mode_t> mode,
                       std::optional<FileOwner> owner)
{
    std::optional<TempFile> temp = CreateSibling(target);
    if (!temp) return false;
    TempFileGuard guard(temp->path);
    if (owner && ::fchown(temp->fd.Get(), owner->user, owner->group) != 0 &&
        ::fchown(temp->fd.Get(), owner->user, static_cast<gid_t>(-1)) != 0)
        return false;
    // After fchown, which clears the set-id bits.
    if (mode && ::fchmod(temp->fd.Get(), *mode) != 0) return false;
    if (WriteAll(temp->fd.Get(), bytes) != bytes.size() || ::fsync(temp->fd.Get()) != 0 || !temp->fd.Close())
        return false;
    if (::rename(temp->path.c_str(), target.c_str()) != 0) return false;
    guard.Keep();

    // Makes the rename itself durable; the new contents are in place already.
    const std::filesystem::path directory = target.parent_path();
    const UniqueFd directoryFd(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directoryFd.Valid()) ::fsync(directoryFd.Get());
    return true;
}

} // namespace qx::platform
