// Writes of Orvane.ini as one change: the identity in one replacement, two
// programs at once, writers killed midway, hard links, owner and mode.
#include "config/notices.h"
#include "config/profile.h"
#include "config/profile_fixture.h"
#include "report/identity/identity.h"
#include "support/scratch_dir.h"
#include "support/two_identities.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <random>
#include <spawn.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace qx::config {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using report::Identity;
using test::ReadBytes;
using test::WriteBytes;

const std::string kIdentityLines = "Nom=Dupont\r\nSociete=ACME\r\nAdresse=1 rue Haute\r\nCP=75001\r\nVille=Paris\r\n"
                                   "Tel=01\r\nFax=\r\nemail=d@example.fr\r\nns=AB12\r\n";

Identity Sample()
{
    return Identity{"Dupont", "ACME", "1 rue Haute", "75001", "Paris", "01", "", "d@example.fr", "AB12"};
}

// Counts the files renamed into a directory while it lives.
class RenameCounter {
public:
    explicit RenameCounter(const fs::path& directory) : m_fd(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
    {
        ::inotify_add_watch(m_fd, directory.c_str(), IN_MOVED_TO);
    }
    ~RenameCounter() { ::close(m_fd); }
    RenameCounter(const RenameCounter&) = delete;
    RenameCounter& operator=(const RenameCounter&) = delete;

    int Count() const
    {
        int count = 0;
        alignas(inotify_event) char buffer[4096];
        for (::ssize_t got; (got = ::read(m_fd, buffer, sizeof buffer)) > 0;)
            for (char* at = buffer; at < buffer + got; at += sizeof(inotify_event) + reinterpret_cast<inotify_event*>(at)->len)
                ++count;
        return count;
    }

private:
    int m_fd;
};

std::vector<std::string> Temporaries(const fs::path& directory)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(directory)) {
        const std::string name = entry.path().filename().string();
        if (name.ends_with(".tmp")) names.push_back(name);
    }
    return names;
}

TEST(IdentityWrite, TheNineKeysGoInOneReplacementWhateverTheFileHeld)
{
    struct Case {
        const char* what;
        std::optional<std::string> before;
        std::string after;
    };
    const Case cases[] = {
        {"no file", std::nullopt, "[QXBETA]\r\n" + kIdentityLines},
        {"other sections kept", "[Orvane55]\nREPEXE=C:\\ORVANE55\n"s,
         "[Orvane55]\r\nREPEXE=C:\\ORVANE55\r\n[QXBETA]\r\n" + kIdentityLines},
        {"an older identity, some keys in another case, is rewritten in place",
         "[qxbeta]\r\nNOM=Martin\r\nnumrpt=7\r\nNS=old\r\n[Orvane55]\r\nREPEXE=/opt\r\n"s,
         "[qxbeta]\r\nNOM=Dupont\r\nnumrpt=7\r\nNS=AB12\r\nSociete=ACME\r\nAdresse=1 rue Haute\r\nCP=75001\r\n"
         "Ville=Paris\r\nTel=01\r\nFax=\r\nemail=d@example.fr\r\n[Orvane55]\r\nREPEXE=/opt\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::ScratchDir dir;
        if (c.before) WriteBytes(dir.Path() / "Orvane.ini", *c.before);
        const Profile profile(dir.Path());
        const RenameCounter renames(dir.Path());
        report::WriteStoredIdentity(profile, Sample());
        EXPECT_EQ(renames.Count(), 1);
        EXPECT_EQ(ReadBytes(dir.Path() / "Orvane.ini"), c.after);
        EXPECT_EQ(report::ReadStoredIdentity(profile), Sample());
        EXPECT_TRUE(Temporaries(dir.Path()).empty());
    }
}

TEST(IdentityWrite, AKeyThatCannotBeStoredWritesNoneOfTheEntries)
{
    test::ScratchDir dir;
    WriteBytes(dir.Path() / "Orvane.ini", "[QXBETA]\r\nNom=Martin\r\n");
    const Profile profile(dir.Path());
    const ProfileEntry entries[] = {{"Nom", "Dupont"}, {"bad=key", "x"}};
    profile.WriteSection("QXBETA", entries);
    EXPECT_EQ(ReadBytes(dir.Path() / "Orvane.ini"), "[QXBETA]\r\nNom=Martin\r\n");
}

TEST(IdentityWrite, AHardLinkedFileIsWrittenInPlaceSoThatTheOtherNameSeesIt)
{
    test::ScratchDir dir;
    WriteBytes(dir.Path() / "Orvane.ini", "[Orvane55]\r\nREPEXE=/opt\r\n");
    fs::create_directories(dir.Path() / "wine");
    fs::create_hard_link(dir.Path() / "Orvane.ini", dir.Path() / "wine/orvane.ini");
    struct stat before {};
    ::stat((dir.Path() / "Orvane.ini").c_str(), &before);

    report::WriteStoredIdentity(Profile(dir.Path()), Sample());

    struct stat after {};
    ::stat((dir.Path() / "Orvane.ini").c_str(), &after);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_nlink, 2u);
    EXPECT_EQ(ReadBytes(dir.Path() / "wine/orvane.ini"), "[Orvane55]\r\nREPEXE=/opt\r\n[QXBETA]\r\n" + kIdentityLines);
}

TEST(IdentityWrite, TheReplacementKeepsModeOwnerAndGroup)
{
    test::ScratchDir dir;
    const fs::path file = dir.Path() / "Orvane.ini";
    WriteBytes(file, "[QXBETA]\r\nNom=Martin\r\n");
    ::chmod(file.c_str(), 0640);
    const bool root = ::geteuid() == 0;
    constexpr uid_t kOtherUser = 65534;
    constexpr gid_t kOtherGroup = 65534;
    if (root) {
        ASSERT_EQ(::chown(file.c_str(), kOtherUser, kOtherGroup), 0);
    }
    struct stat before {};
    ::stat(file.c_str(), &before);

    report::WriteStoredIdentity(Profile(dir.Path()), Sample());

    struct stat after {};
    ::stat(file.c_str(), &after);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
    EXPECT_EQ(report::ReadStoredIdentity(Profile(dir.Path())), Sample());
    if (!root) GTEST_SKIP() << "owner kept only checked as root, who can give a file to another user";
}

pid_t StartWriter(const std::vector<std::string>& arguments, int* output = nullptr)
{
    std::vector<std::string> args{QX_PROFILE_WRITER};
    args.insert(args.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    int pipeFds[2] = {-1, -1};
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    if (output && ::pipe(pipeFds) == 0) {
        ::posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
        ::posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    }
    pid_t pid = 0;
    if (::posix_spawn(&pid, QX_PROFILE_WRITER, &actions, nullptr, argv.data(), environ) != 0) pid = 0;
    ::posix_spawn_file_actions_destroy(&actions);
    if (output) {
        ::close(pipeFds[1]);
        *output = pipeFds[0];
    }
    return pid;
}

int WaitFor(pid_t pid)
{
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

TEST(ConcurrentWriters, TwoProgramsAdvancingTheCounterLoseNoStep)
{
    test::ScratchDir dir;
    const Profile profile(dir.Path());
    profile.Write("Orvane55", "REPEXE", "/opt/orvane55");
    const pid_t first = StartWriter({"count", dir.Path().string(), "40"});
    const pid_t second = StartWriter({"count", dir.Path().string(), "40"});
    ASSERT_GT(first, 0);
    ASSERT_GT(second, 0);
    EXPECT_TRUE(WIFEXITED(WaitFor(first)));
    EXPECT_TRUE(WIFEXITED(WaitFor(second)));
    EXPECT_EQ(ReadReportNumber(profile), "81");
    EXPECT_EQ(profile.Read("Orvane55", "REPEXE", ""), "/opt/orvane55");
}

TEST(KilledWriters, NeverLeaveATruncatedFileAMixedIdentityOrAStaleTemporaryFile)
{
    test::ScratchDir dir;
    const Profile profile(dir.Path());
    const std::string head = "[Orvane55]\r\nREPEXE=/opt/orvane55\r\n[QXBETA]\r\nnumrpt=12\r\n";
    WriteBytes(dir.Path() / "Orvane.ini", head);
    const auto identities = test::TwoIdentities();
    report::WriteStoredIdentity(profile, identities[0]);

    std::mt19937 random(20261211);
    std::uniform_int_distribution<int> pause(0, 30000);
    int strayTemporaries = 0;
    for (int round = 0; round < 40; ++round) {
        int output = -1;
        const pid_t writer = StartWriter({"identity", dir.Path().string()}, &output);
        ASSERT_GT(writer, 0);
        char started[8] = {};
        ASSERT_GT(::read(output, started, sizeof started), 0);
        ::close(output);
        ::usleep(static_cast<useconds_t>(pause(random)));
        ::kill(writer, SIGKILL);
        WaitFor(writer);

        const std::string bytes = ReadBytes(dir.Path() / "Orvane.ini");
        ASSERT_TRUE(bytes.starts_with(head)) << "round " << round;
        ASSERT_TRUE(bytes.ends_with("\r\n")) << "round " << round;
        const Identity stored = report::ReadStoredIdentity(profile);
        ASSERT_TRUE(stored == identities[0] || stored == identities[1]) << "round " << round << ":\n" << bytes;
        strayTemporaries += static_cast<int>(Temporaries(dir.Path()).size());
    }
    // The next writer removes whatever a killed one left.
    profile.Write("QXBETA", "INFO", "0");
    EXPECT_TRUE(Temporaries(dir.Path()).empty());
    std::printf("temporary files left by killed writers over 40 rounds: %d\n", strayTemporaries);
}

} // namespace
} // namespace qx::config
