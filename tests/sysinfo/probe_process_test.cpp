// A real process named with the product prefix, loading a library named with
// it, seen by the 32-bit module step through /proc.
#include "platform/posix/local_system_services.h"
#include "sysinfo/sysinfo.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// The probe runs while this object lives; its input is a pipe that the
// destructor closes, which ends it.
class Probe {
public:
    explicit Probe(const std::string& path)
    {
        int input[2];
        int output[2];
        if (::pipe(input) != 0 || ::pipe(output) != 0) return;
        posix_spawn_file_actions_t actions;
        ::posix_spawn_file_actions_init(&actions);
        ::posix_spawn_file_actions_adddup2(&actions, input[0], 0);
        ::posix_spawn_file_actions_adddup2(&actions, output[1], 1);
        ::posix_spawn_file_actions_addclose(&actions, input[1]);
        ::posix_spawn_file_actions_addclose(&actions, output[0]);
        char* argv[] = {const_cast<char*>(path.c_str()), nullptr};
        if (::posix_spawn(&m_pid, path.c_str(), &actions, nullptr, argv, environ) != 0) m_pid = 0;
        ::posix_spawn_file_actions_destroy(&actions);
        ::close(input[0]);
        ::close(output[1]);
        m_input = input[1];
        char ready[16] = {};
        m_ready = m_pid > 0 && ::read(output[0], ready, sizeof ready - 1) > 0 && std::string(ready).starts_with("ready 42");
        ::close(output[0]);
    }
    ~Probe()
    {
        if (m_input >= 0) ::close(m_input);
        if (m_pid > 0) ::waitpid(m_pid, nullptr, 0);
    }
    Probe(const Probe&) = delete;
    Probe& operator=(const Probe&) = delete;

    bool Ready() const { return m_ready; }

private:
    pid_t m_pid = 0;
    int m_input = -1;
    bool m_ready = false;
};

std::string Pad(std::string s, std::size_t width)
{
    s.resize(std::max(s.size(), width), ' ');
    return s;
}

TEST(ProbeProcess, ShowsUpWithItsExecutableAndItsLibrary)
{
    const std::string probe = std::filesystem::canonical(QX_PROBE_PATH).string();
    const std::string library = std::filesystem::canonical(QX_PROBE_LIBRARY).string();
    ASSERT_TRUE(std::filesystem::path(probe).filename().string().starts_with("QX"));
    Probe running(probe);
    ASSERT_TRUE(running.Ready());

    const qx::platform::LocalSystemServices system;
    CReportRecord record;
    qx::sysinfo::CollectModules32(system.Services(), record);

    const std::string processLine = Pad(probe, 55) + " " + std::string(15, ' ') + " x1\r\n";
    const std::string libraryLine = "    " + Pad(library, 51) + " " + std::string(15, ' ') + " x1\r\n";
    const auto process = record.m_strModules32.find(processLine);
    ASSERT_NE(process, std::string::npos) << record.m_strModules32;
    const auto next = record.m_strModules32.find("\r\n/", process); // the next process block, if any
    const auto module = record.m_strModules32.find(libraryLine, process);
    EXPECT_NE(module, std::string::npos) << record.m_strModules32;
    EXPECT_TRUE(next == std::string::npos || module < next);
    EXPECT_NE(record.m_strLoadedDlls.find(probe + "\r\n" + std::string(15, ' ') + " x1\r\n"), std::string::npos);
    EXPECT_NE(record.m_strLoadedDlls.find(library + "\r\n"), std::string::npos);
}

} // namespace
