#include "platform/posix/posix_file_reader.h"

#include "platform/posix/descriptor_io.h"
#include "platform/posix/safe_open.h"
#include "platform/posix/wildcard.h"
#include "text/path_parts.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qx::platform {

namespace {

class PosixReadableFile final : public ReadableFile {
public:
    explicit PosixReadableFile(UniqueFd fd) : m_fd(std::move(fd)) {}

    std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> into) override
    {
        return platform::ReadAt(m_fd.Get(), offset, into);
    }

private:
    UniqueFd m_fd;
};

struct DirectoryCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

} // namespace

std::unique_ptr<ReadableFile> PosixFileReader::OpenRead(const std::string& path)
{
    if (m_links == FinalLink::Refuse) {
        UniqueFd fd = OpenRegularFile(path);
        if (!fd.Valid()) return nullptr;
        return std::make_unique<PosixReadableFile>(std::move(fd));
    }
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return nullptr;
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!fd.Valid()) return nullptr;
    if (::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode)) return nullptr;
    return std::make_unique<PosixReadableFile>(std::move(fd));
}

std::vector<std::string> PosixFileReader::FindFiles(const std::string& pattern)
{
    const std::string directory = text::DirectoryOf(pattern);
    const std::string mask = text::FileNamePart(pattern);

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
