#include "config/profile_file.h"

#include "config/name_case.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <optional>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qx::config {
namespace {

namespace fs = std::filesystem;

constexpr int kTempNameAttempts = 16;
constexpr std::size_t kReadChunk = 64 * 1024;
constexpr mode_t kAnyWriteBit = S_IWUSR | S_IWGRP | S_IWOTH;

class UniqueFd {
public:
    explicit UniqueFd(int fd) : m_fd(fd) {}
    ~UniqueFd()
    {
        if (m_fd >= 0) ::close(m_fd);
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int Get() const { return m_fd; }
    bool Valid() const { return m_fd >= 0; }

    // Closes now; false when the system reports that the data was not stored.
    bool Close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

// Removes the new file unless it was renamed into place.
class TempFileGuard {
public:
    explicit TempFileGuard(fs::path path) : m_path(std::move(path)) {}
    ~TempFileGuard()
    {
        if (!m_kept) ::unlink(m_path.c_str());
    }
    TempFileGuard(const TempFileGuard&) = delete;
    TempFileGuard& operator=(const TempFileGuard&) = delete;

    void Keep() { m_kept = true; }

private:
    fs::path m_path;
    bool m_kept = false;
};

// Read-only in the sense of the platform's file attribute: without any write
// permission bit, the file is not written even by a user who may override
// permissions; otherwise the caller's own write access decides.
bool IsWritable(const fs::path& path, const struct stat& status)
{
    return (status.st_mode & kAnyWriteBit) != 0 && ::access(path.c_str(), W_OK) == 0;
}

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

struct TempFile {
    fs::path path;
    int fd = -1;
};

// A new file ".<name>.<pid>.<n>.tmp" beside `target`, created exclusively.
std::optional<TempFile> CreateSibling(const fs::path& target)
{
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
        const std::string name = "." + target.filename().string() + "." + std::to_string(::getpid()) + "." +
                                 std::to_string(counter.fetch_add(1)) + ".tmp";
        const fs::path path = target.parent_path() / name;
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) return TempFile{path, fd};
        if (errno != EEXIST) return std::nullopt;
    }
    return std::nullopt;
}

// The file that a write must replace: a symbolic link is followed, so that a
// link to a shared file stays a link.
std::optional<fs::path> ResolveTarget(const fs::path& file)
{
    std::error_code error;
    if (!fs::is_symlink(file, error)) return file.parent_path().empty() ? fs::path(".") / file : file;
    fs::path target = fs::canonical(file, error);
    if (error) return std::nullopt;
    return target;
}

} // namespace

fs::path FindFileIgnoringCase(const fs::path& directory, std::string_view name)
{
    std::optional<fs::path> best;
    std::error_code error;
    for (fs::directory_iterator it(directory, error), end; !error && it != end; it.increment(error)) {
        const std::string entry = it->path().filename().string();
        if (entry == name) return it->path();
        if (EqualIgnoringCase(entry, name) && (!best || entry < best->filename().string())) best = it->path();
    }
    return best ? *best : directory / fs::path(std::string(name));
}

FileContents ReadFileContents(const fs::path& file, std::size_t maxSize)
{
    FileContents contents;
    UniqueFd fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.Valid()) {
        contents.outcome = errno == ENOENT ? ReadOutcome::Missing : ReadOutcome::Unreadable;
        return contents;
    }
    struct stat status {};
    if (::fstat(fd.Get(), &status) != 0 || !S_ISREG(status.st_mode)) {
        contents.outcome = ReadOutcome::Unreadable;
        return contents;
    }
    // One byte more than allowed tells a file of exactly maxSize bytes from a longer one.
    const std::size_t limit = maxSize + 1;
    while (contents.bytes.size() < limit) {
        const std::size_t offset = contents.bytes.size();
        const std::size_t chunk = std::min(kReadChunk, limit - offset);
        contents.bytes.resize(offset + chunk);
        const ssize_t got = ::read(fd.Get(), contents.bytes.data() + offset, chunk);
        if (got < 0 && errno == EINTR) {
            contents.bytes.resize(offset);
            continue;
        }
        if (got < 0) {
            contents.bytes.clear();
            contents.outcome = ReadOutcome::Unreadable;
            return contents;
        }
        contents.bytes.resize(offset + static_cast<std::size_t>(got));
        if (got == 0) break;
    }
    contents.outcome = ReadOutcome::Complete;
    if (contents.bytes.size() > maxSize) {
        contents.bytes.resize(maxSize);
        contents.outcome = ReadOutcome::Truncated;
    }
    return contents;
}

bool ReplaceFile(const fs::path& file, std::string_view bytes)
{
    const std::optional<fs::path> target = ResolveTarget(file);
    if (!target) return false;
    const fs::path directory = target->parent_path();

    std::error_code error;
    fs::create_directories(directory, error);
    if (error) return false;
    struct stat directoryStatus {};
    if (::stat(directory.c_str(), &directoryStatus) != 0 || !IsWritable(directory, directoryStatus)) return false;

    struct stat existing {};
    const bool exists = ::stat(target->c_str(), &existing) == 0;
    if (!exists && errno != ENOENT) return false;
    if (exists && (!S_ISREG(existing.st_mode) || !IsWritable(*target, existing))) return false;

    const std::optional<TempFile> temp = CreateSibling(*target);
    if (!temp) return false;
    TempFileGuard guard(temp->path);
    UniqueFd fd(temp->fd);
    if (exists && ::fchmod(fd.Get(), existing.st_mode & 07777) != 0) return false;
    if (!WriteAll(fd.Get(), bytes) || ::fsync(fd.Get()) != 0 || !fd.Close()) return false;
    if (::rename(temp->path.c_str(), target->c_str()) != 0) return false;
    guard.Keep();

    // Makes the rename itself durable; the new contents are in place already.
    UniqueFd directoryFd(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directoryFd.Valid()) ::fsync(directoryFd.Get());
    return true;
}

} // namespace qx::config
