#include "platform/posix/posix_file_store.h"

#include <cerrno>
#include <chrono>
#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

namespace qx::platform {
namespace {

class PosixOutputFile final : public OutputFile {
public:
    explicit PosixOutputFile(int fd) : m_fd(fd) {}
    ~PosixOutputFile() override
    {
        if (m_fd >= 0) ::close(m_fd);
    }
    PosixOutputFile(const PosixOutputFile&) = delete;
    PosixOutputFile& operator=(const PosixOutputFile&) = delete;

    std::size_t Write(std::span<const std::uint8_t> bytes) override
    {
        std::size_t done = 0;
        while (m_fd >= 0 && done < bytes.size()) {
            const ssize_t n = ::write(m_fd, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            done += static_cast<std::size_t>(n);
        }
        return done;
    }

    bool Close() override
    {
        if (m_fd < 0) return false;
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

// Where the search for a free temporary name starts, so that two programs
// starting at once rarely try the same names.
unsigned FirstTempNumber()
{
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    return static_cast<unsigned>(ticks ^ ::getpid());
}

} // namespace

std::unique_ptr<OutputFile> PosixFileStore::Open(const std::string& path, OpenMode mode)
{
    const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (mode == OpenMode::Replace ? O_TRUNC : O_APPEND);
    const int fd = ::open(path.c_str(), flags, 0666);
    if (fd < 0) return nullptr;
    return std::make_unique<PosixOutputFile>(fd);
}

std::optional<std::string> PosixFileStore::CreateTempFile(const std::string& directory, const std::string& prefix)
{
    constexpr unsigned kNames = 0xFFFF; // four hexadecimal digits, 0000 left out
    const unsigned first = FirstTempNumber();
    for (unsigned i = 0; i < kNames; ++i) {
        const unsigned number = (first + i) % kNames + 1;
        char name[16];
        std::snprintf(name, sizeof name, "%04X.TMP", number);
        std::string path = directory + (directory.ends_with('/') ? "" : "/") + prefix + name;
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            return path;
        }
        if (errno != EEXIST) return std::nullopt;
    }
    return std::nullopt;
}

bool PosixFileStore::Remove(const std::string& path)
{
    return ::unlink(path.c_str()) == 0;
}

} // namespace qx::platform
