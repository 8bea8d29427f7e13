#include "platform/whole_files.h"

#include "platform/posix/descriptor_io.h"

#include <cerrno>
#include <optional>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
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

// True when `target` is missing (its status then all zero) or a writable
// regular file, whose status `existing` then holds.
bool MayWrite(const fs::path& target, struct stat& existing)
{
    existing = {};
    if (::stat(target.c_str(), &existing) != 0) {
        existing = {};
        return errno == ENOENT;
    }
    return S_ISREG(existing.st_mode) && IsWritable(target, existing);
}

std::string SiblingPrefix(const fs::path& target)
{
    return "." + target.filename().string() + ".";
}

// The lock every writer of `target` takes: ".<name>.lock" beside it, never
// through a symbolic link. Released when the descriptor closes.
UniqueFd LockSibling(const fs::path& target)
{
    const fs::path lockFile = target.parent_path() / (SiblingPrefix(target) + "lock");
    UniqueFd fd(::open(lockFile.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (!fd.Valid()) return fd;
    while (::flock(fd.Get(), LOCK_EX) != 0) {
        if (errno != EINTR) return UniqueFd();
    }
    return fd;
}

// The ".<name>.*.tmp" files of writers that were killed before their rename:
// under the lock no other writer has one.
void RemoveStaleTemporaries(const fs::path& target)
{
    const std::string prefix = SiblingPrefix(target);
    std::error_code error;
    for (fs::directory_iterator it(target.parent_path(), error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.size() > prefix.size() + 4 && name.starts_with(prefix) && name.ends_with(".tmp") &&
            it->is_regular_file(error) && !it->is_symlink(error))
            ::unlink(it->path().c_str());
    }
}

// The new contents over the old ones in the same file, then cut to their size.
bool WriteInPlace(const fs::path& target, std::string_view bytes)
{
    UniqueFd fd(::open(target.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC));
    if (!fd.Valid() || ::lseek(fd.Get(), 0, SEEK_SET) != 0) return false;
    if (WriteAll(fd.Get(), bytes) != bytes.size()) return false;
    if (::ftruncate(fd.Get(), static_cast<off_t>(bytes.size())) != 0 || ::fsync(fd.Get()) != 0) return false;
    return fd.Close();
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

bool UpdateFile(const fs::path& file, std::size_t maxSize, const FileChange& change)
{
    const std::optional<fs::path> target = ResolveTarget(file);
    if (!target) return false;
    const fs::path directory = target->parent_path();

    std::error_code error;
    fs::create_directories(directory, error);
    if (error) return false;
    struct stat directoryStatus {};
    if (::stat(directory.c_str(), &directoryStatus) != 0 || !IsWritable(directory, directoryStatus)) return false;

    // Checked before the lock, so that a read-only file gets no lock file
    // beside it, and again under it.
    struct stat existing {};
    if (!MayWrite(*target, existing)) return false;
    const UniqueFd lock = LockSibling(*target);
    if (!lock.Valid()) return false;
    RemoveStaleTemporaries(*target);
    if (!MayWrite(*target, existing)) return false;
    const bool exists = existing.st_nlink > 0;

    const FileContents contents = ReadFileContents(*target, maxSize);
    if (contents.outcome != ReadOutcome::Complete && contents.outcome != ReadOutcome::Missing) return false;
    const std::optional<std::string> updated = change(contents);
    if (!updated) return true;
    if (!exists) return ReplaceAtomically(*target, *updated, std::nullopt);

    // Another name of the file must see the change, and a file of another
    // user stays that user's: both are written where they are.
    const bool ownOwner = existing.st_uid == ::geteuid() || ::geteuid() == 0;
    if (existing.st_nlink > 1 || !ownOwner) return WriteInPlace(*target, *updated);
    return ReplaceAtomically(*target, *updated, existing.st_mode & 07777, FileOwner{existing.st_uid, existing.st_gid});
}

} // namespace qx::platform
