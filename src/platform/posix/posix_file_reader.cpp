#include "platform/posix/posix_file_reader.h"

#include "platform/posix/wildcard.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qx::platform {

namespace {

class PosixReadableFile final : public ReadableFile {
public:
    explicit PosixReadableFile(int fd) : m_fd(fd) {}
    ~PosixReadableFile() override { ::close(m_fd); }
    PosixReadableFile(const PosixReadableFile&) = delete;
    PosixReadableFile& operator=(const PosixReadableFile&) = delete;

    std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> into) override
    {
        std::size_t done = 0;
        while (done < into.size()) {
            const ::ssize_t got = ::pread(m_fd, into.data() + done, into.size() - done, static_cast<::off_t>(offset + done));
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) break;
            done += static_cast<std::size_t>(got);
        }
        return done;
    }

private:
    int m_fd;
};

struct DirectoryCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

} // namespace

std::unique_ptr<ReadableFile> PosixFileReader::OpenRead(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    return std::make_unique<PosixReadableFile>(fd);
}

std::vector<std::string> PosixFileReader::FindFiles(const std::string& pattern)
{
    const auto slash = pattern.rfind('/');
    const std::string directory = slash == std::string::npos ? "." : slash == 0 ? "/" : pattern.substr(0, slash);
    const std::string mask = slash == std::string::npos ? pattern : pattern.substr(slash + 1);

    std::vector<std::string> names;
    const std::unique_ptr<DIR, DirectoryCloser> dir(::opendir(directory.c_str()));
    if (!dir) return names;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..") continue;
        if (MatchesWildcard(name, mask)) names.emplace_back(name);
    }
    return names;
}

} // namespace qx::platform
