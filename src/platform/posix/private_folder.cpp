#include "platform/posix/private_folder.h"

#include <cerrno>
#include <cstdlib>

#include <sys/socket.h>
#include <sys/stat.h>

namespace qx::platform {
namespace {

std::string Variable(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

} // namespace

bool IsPrivateFolder(const std::string& path, uid_t user)
{
    struct stat status {};
    if (path.empty() || ::lstat(path.c_str(), &status) != 0) return false;
    return S_ISDIR(status.st_mode) && status.st_uid == user && (status.st_mode & (S_IRWXG | S_IRWXO)) == 0;
}

std::optional<std::string> PrivateRuntimeFolder(uid_t user)
{
    const std::string runtime = Variable("XDG_RUNTIME_DIR");
    if (!runtime.empty() && IsPrivateFolder(runtime, user)) return runtime;

    std::string temporary = Variable("TMPDIR");
    if (temporary.empty()) temporary = "/tmp";
    const std::string folder = temporary + "/qxbeta-" + std::to_string(user);
    if (::mkdir(folder.c_str(), S_IRWXU) != 0 && errno != EEXIST) return std::nullopt;
    if (!IsPrivateFolder(folder, user)) return std::nullopt;
    return folder;
}

bool IsSocketOf(const std::string& path, uid_t user)
{
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0) return false;
    return S_ISSOCK(status.st_mode) && status.st_uid == user;
}

std::optional<uid_t> PeerUser(int descriptor)
{
    struct ucred credentials {};
    socklen_t length = sizeof credentials;
    if (descriptor < 0 || ::getsockopt(descriptor, SOL_SOCKET, SO_PEERCRED, &credentials, &length) != 0) {
        return std::nullopt;
    }
    return credentials.uid;
}

} // namespace qx::platform
