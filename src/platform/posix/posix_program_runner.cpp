#include "platform/posix/posix_program_runner.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <ctime>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace qx::platform {

namespace {

using Clock = std::chrono::steady_clock;

// Short at first, so that a quick program is seen at once; at most 20 ms
// between looks while a slow one runs.
constexpr std::chrono::milliseconds kFirstPause{1};
constexpr std::chrono::milliseconds kLongestPause{20};

void Pause(std::chrono::milliseconds pause)
{
    const std::timespec delay{0, static_cast<long>(std::chrono::nanoseconds(pause).count())};
    ::nanosleep(&delay, nullptr);
}

RunResult FromStatus(int status)
{
    if (WIFEXITED(status)) return {RunOutcome::Exited, WEXITSTATUS(status)};
    return {RunOutcome::Signalled, -1};
}

class SpawnAttributes {
public:
    SpawnAttributes()
    {
        ::posix_spawnattr_init(&m_attr);
        sigset_t none;
        sigemptyset(&none);
        ::posix_spawnattr_setsigmask(&m_attr, &none);
        ::posix_spawnattr_setpgroup(&m_attr, 0);
        ::posix_spawnattr_setflags(&m_attr, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK);
    }
    ~SpawnAttributes() { ::posix_spawnattr_destroy(&m_attr); }
    SpawnAttributes(const SpawnAttributes&) = delete;
    SpawnAttributes& operator=(const SpawnAttributes&) = delete;

    const posix_spawnattr_t* Get() const { return &m_attr; }

private:
    posix_spawnattr_t m_attr;
};

} // namespace

RunResult PosixProgramRunner::Run(const std::string& program, const std::vector<std::string>& argv,
                                  std::chrono::milliseconds limit)
{
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);

    const SpawnAttributes attributes;
    ::pid_t child = 0;
    if (::posix_spawn(&child, program.c_str(), nullptr, attributes.Get(), args.data(), environ) != 0)
        return {RunOutcome::NotStarted, -1};

    const Clock::time_point deadline = Clock::now() + limit;
    std::chrono::milliseconds pause = kFirstPause;
    for (;;) {
        int status = 0;
        const ::pid_t ended = ::waitpid(child, &status, WNOHANG);
        if (ended == child) return FromStatus(status);
        if (ended < 0 && errno != EINTR) return {RunOutcome::NotStarted, -1};
        if (Clock::now() >= deadline) break;
        Pause(pause);
        pause = std::min(pause * 2, kLongestPause);
    }
    ::kill(-child, SIGKILL);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return {RunOutcome::TimedOut, -1};
}

} // namespace qx::platform
