#include "platform/whole_files.h"

#include "platform/posix/descriptor_io.h"

#include <cerrno>
#include <optional>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qx::platform {
namespace {

namespace fs = std::filesystem;

constexpr mode_t kAnyWriteBit = S_IWUSR | S_IWGRP | S_IWOTH;

// Read-only in the sense of the Windows file attribute: without any write
// permission bit, the file is not written even by a user who may override
// permissions; otherwise the caller's own write access decides.
bool IsWritable(const fs::path& path, const struct stat& status)
{
    return (status.st_mode & kAnyWriteBit) != 0 && ::access(path.c_str(), W_OK) == 0;
}

// The file that a write must replace: a symbolic link is followed.
std::optional<fs::path> ResolveTarget(const fs::path& file)
{
    std::error_code error;
    if (!fs::is_symlink(file, error)) return file.parent_path().empty() ? fs::path(".") / file : file;
    fs::path target = fs::canonical(file, error);
    if (error) return std::nullopt;
    return target;
}

} // namespace

FileContents ReadFileContents(const fs::path& file, std::size_t maxSize)
{
    FileContents contents;
    const UniqueFd fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
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
    std::optional<std::string> bytes = ReadAll(fd.Get(), maxSize + 1);
    if (!bytes) {
        contents.outcome = ReadOutcome::Unreadable;
        return contents;
    }
    contents.bytes = std::move(*bytes);
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

    const std::optional<mode_t> mode = exists ? std::optional<mode_t>(existing.st_mode & 07777) : std::nullopt;
    return ReplaceAtomically(*target, bytes, mode);
}

} // namespace qx::platform
