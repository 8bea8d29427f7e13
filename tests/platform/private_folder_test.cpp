// The private folder of the single-instance socket and the checks on the
// socket and its peer.
#include "platform/posix/private_folder.h"

#include "support/scratch_dir.h"

#include <cstdlib>
#include <filesystem>
#include <string>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace qx::platform {
namespace {

namespace fs = std::filesystem;

// Sets or unsets an environment variable for the life of the object.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : m_name(name)
    {
        if (const char* old = std::getenv(name)) m_old = old;
        if (value != nullptr) ::setenv(name, value, 1);
        else ::unsetenv(name);
    }
    ~ScopedVariable()
    {
        if (m_old) ::setenv(m_name, m_old->c_str(), 1);
        else ::unsetenv(m_name);
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

mode_t ModeOf(const std::string& path)
{
    struct stat status {};
    EXPECT_EQ(::lstat(path.c_str(), &status), 0) << path;
    return status.st_mode & 07777;
}

class PrivateFolder : public ::testing::Test {
protected:
    test::ScratchDir scratch;
    std::string Make(const std::string& name, mode_t mode)
    {
        const std::string path = scratch.File(name);
        EXPECT_EQ(::mkdir(path.c_str(), mode), 0);
        EXPECT_EQ(::chmod(path.c_str(), mode), 0);
        return path;
    }
};

TEST_F(PrivateFolder, TheRuntimeDirectoryWhenItIsPrivateToTheUser)
{
    const std::string runtime = Make("runtime", 0700);
    const ScopedVariable xdg("XDG_RUNTIME_DIR", runtime.c_str());
    const ScopedVariable tmp("TMPDIR", scratch.Path().c_str());
    EXPECT_EQ(PrivateRuntimeFolder(::getuid()), runtime);
}

TEST_F(PrivateFolder, OtherwiseAFolderOfItsOwnMadeWithMode0700)
{
    const std::string shared = Make("shared", 0777);
    const std::string made = scratch.File("qxbeta-" + std::to_string(::getuid()));
    const ScopedVariable tmp("TMPDIR", scratch.Path().c_str());
    for (const char* runtime : {static_cast<const char*>(nullptr), "", shared.c_str(), "/nonexistent/run"}) {
        const ScopedVariable xdg("XDG_RUNTIME_DIR", runtime);
        EXPECT_EQ(PrivateRuntimeFolder(::getuid()), made) << (runtime ? runtime : "(unset)");
        EXPECT_EQ(ModeOf(made), 0700u);
    }
}

TEST_F(PrivateFolder, AFolderThatIsNotPrivateIsNeverUsed)
{
    const ScopedVariable xdg("XDG_RUNTIME_DIR", nullptr);
    const ScopedVariable tmp("TMPDIR", scratch.Path().c_str());
    const std::string name = scratch.File("qxbeta-" + std::to_string(::getuid()));

    // Open to others.
    Make("qxbeta-" + std::to_string(::getuid()), 0755);
    EXPECT_FALSE(PrivateRuntimeFolder(::getuid()));
    ASSERT_EQ(::rmdir(name.c_str()), 0);

    // A link to a private folder.
    const std::string target = Make("target", 0700);
    ASSERT_EQ(::symlink(target.c_str(), name.c_str()), 0);
    EXPECT_FALSE(PrivateRuntimeFolder(::getuid()));
    ASSERT_EQ(::unlink(name.c_str()), 0);

    // Another user's folder (for another user id, ours is another user's).
    const uid_t other = ::getuid() + 1;
    Make("qxbeta-" + std::to_string(other), 0700);
    EXPECT_FALSE(PrivateRuntimeFolder(other));
    EXPECT_FALSE(IsPrivateFolder(target, other));
    EXPECT_TRUE(IsPrivateFolder(target, ::getuid()));
}

TEST_F(PrivateFolder, ASocketCountsForItsOwnerAndItsPeerIsTheConnectingProcess)
{
    const std::string path = scratch.File("s");
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(listener, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(path.size(), sizeof address.sun_path);
    path.copy(address.sun_path, path.size());
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(listener, 1), 0);
    EXPECT_TRUE(IsSocketOf(path, ::getuid()));
    EXPECT_FALSE(IsSocketOf(path, ::getuid() + 1));
    EXPECT_FALSE(IsSocketOf(scratch.Path().string(), ::getuid()));

    const int client = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(::connect(client, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    const int accepted = ::accept(listener, nullptr, nullptr);
    EXPECT_EQ(PeerUser(accepted), ::getuid());
    EXPECT_EQ(PeerUser(client), ::getuid());
    EXPECT_FALSE(PeerUser(-1));
    ::close(accepted);
    ::close(client);
    ::close(listener);

    if (::getuid() == 0) {
        // Root can give the socket away: it is then no longer ours.
        ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
        EXPECT_FALSE(IsSocketOf(path, 0));
        EXPECT_TRUE(IsSocketOf(path, 65534));
    }
}

} // namespace
} // namespace qx::platform
