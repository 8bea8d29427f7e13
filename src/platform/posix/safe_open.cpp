#include "platform/posix/safe_open.h"

#include <array>
#include <cstdint>

#include <fcntl.h>
#include <sys/stat.h>

namespace qx::platform {

bool IsRegularFile(const std::string& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

UniqueFd OpenRegularFile(const std::string& path)
{
    if (!IsRegularFile(path)) return UniqueFd();
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC));
    struct stat info {};
    if (!fd.Valid() || ::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode)) return UniqueFd();
    return fd;
}

ImageKind ImageKindOf(std::span<const std::uint8_t> head)
{
    if (head.size() >= 4 && head[0] == 0x7F && head[1] == 'E' && head[2] == 'L' && head[3] == 'F') return ImageKind::Elf;
    if (head.size() >= 2 && head[0] == 'M' && head[1] == 'Z') return ImageKind::Pe;
    return ImageKind::None;
}

ImageKind ImageKindOf(const std::string& path)
{
    const UniqueFd fd = OpenRegularFile(path);
    if (!fd.Valid()) return ImageKind::None;
    std::array<std::uint8_t, kImageHeadSize> head{};
    return ImageKindOf(std::span<const std::uint8_t>(head.data(), ReadAt(fd.Get(), 0, head)));
}

} // namespace qx::platform
