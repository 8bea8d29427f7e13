#include "support/small_volume.h"

#include "support/scratch_dir.h"

#include <cstdio>
#include <fstream>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qx::test {
namespace {

constexpr int kNoPrivateMount = 125;

bool WriteFile(const char* path, const std::string& text)
{
    std::ofstream out(path);
    out << text;
    return static_cast<bool>(out.flush());
}

// A mount namespace of our own; without root, inside a user namespace that
// maps the caller to root.
bool EnterPrivateMountNamespace()
{
    if (::geteuid() == 0) return ::unshare(CLONE_NEWNS) == 0;
    const uid_t uid = ::geteuid();
    const gid_t gid = ::getegid();
    if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) return false;
    return WriteFile("/proc/self/setgroups", "deny") && WriteFile("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") &&
           WriteFile("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1");
}

} // namespace

std::optional<int> RunOnSmallVolume(std::size_t bytes, VolumeMode mode, const std::function<int(const std::string&)>& body)
{
    ScratchDir dir;
    const std::string mountPoint = dir.File("volume");
    if (::mkdir(mountPoint.c_str(), 0777) != 0) return std::nullopt;
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child < 0) return std::nullopt;
    if (child == 0) {
        if (!EnterPrivateMountNamespace() || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
            ::_exit(kNoPrivateMount);
        }
        const std::string options = "size=" + std::to_string(bytes) + ",mode=0777";
        const unsigned long flags = mode == VolumeMode::ReadOnly ? MS_RDONLY : 0;
        if (::mount("tmpfs", mountPoint.c_str(), "tmpfs", flags, options.c_str()) != 0) ::_exit(kNoPrivateMount);
        const int code = body(mountPoint);
        std::fflush(nullptr);
        ::_exit(code);
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    if (WEXITSTATUS(status) == kNoPrivateMount) return std::nullopt;
    return WEXITSTATUS(status);
}

} // namespace qx::test
