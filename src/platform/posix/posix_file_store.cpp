#include "platform/posix/posix_file_store.h"

#include "platform/posix/descriptor_io.h"
#include "text/path_parts.h"

#include <cerrno>
#include <chrono>
#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qx::platform {
namespace {

class PosixOutputFile final : public OutputFile {
public:
    explicit PosixOutputFile(UniqueFd fd) : m_fd(std::move(fd)) {}

    std::size_t Write(std::span<const std::uint8_t> bytes) override
    {
        return m_fd.Valid() ? WriteAll(m_fd.Get(), bytes) : 0;
    }

    bool Close() override { return m_fd.Close(); }

private:
    UniqueFd m_fd;
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
    UniqueFd fd(::open(path.c_str(), flags, 0666));
    if (!fd.Valid()) return nullptr;
    return std::make_unique<PosixOutputFile>(std::move(fd));
}

std::optional<std::string> PosixFileStore::CreateTempFile(const std::string& directory, const std::string& prefix)
{
    constexpr unsigned kNames = 0xFFFF; // four hexadecimal digits, 0000 left out
    const unsigned first = FirstTempNumber();
    for (unsigned i = 0; i < kNames; ++i) {
        const unsigned number = (first + i) % kNames + 1;
        char name[16];
        std::snprintf(name, sizeof name, "%04X.TMP", number);
        std::string path = text::JoinPath(directory, prefix + name);
        if (UniqueFd(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666)).Valid()) return path;
        if (errno != EEXIST) return std::nullopt;
    }
    return std::nullopt;
}

bool PosixFileStore::Remove(const std::string& path)
{
    return ::unlink(path.c_str()) == 0;
}

std::optional<std::string> PosixFileStore::ShortPath(const std::string& path)
{
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0) return std::nullopt;
    return path;
}

} // namespace qx::platform
