#include "platform/posix/posix_program_runner.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <ctime>
#include <cstdlib>
#include <spawn.h>
#include <string_view>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

bool IsExecutableFile(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

std::vector<char*> Pointers(const std::vector<std::string>& texts)
{
    std::vector<char*> pointers;
    for (const std::string& text : texts) pointers.push_back(const_cast<char*>(text.c_str()));
    pointers.push_back(nullptr);
    return pointers;
}

// This program's environment with `name` set to `value`.
std::vector<std::string> EnvironmentWith(std::string_view name, const std::string& value)
{
    std::vector<std::string> entries;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string_view text = *entry;
        if (!(text.starts_with(name) && text.size() > name.size() && text[name.size()] == '=')) entries.emplace_back(text);
    }
    entries.push_back(std::string(name) + "=" + value);
    return entries;
}

RunResult SpawnAndWait(const std::string& program, const std::vector<std::string>& argv, char* const* environment,
                       std::chrono::milliseconds limit)
{
    const std::vector<char*> args = Pointers(argv);
    const SpawnAttributes attributes;
    ::pid_t child = 0;
    if (::posix_spawn(&child, program.c_str(), nullptr, attributes.Get(), args.data(), environment) != 0)
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

} // namespace

std::optional<std::string> FindWineLoader(const char* wineLoader, const char* path)
{
    if (wineLoader != nullptr && *wineLoader != '\0' && IsExecutableFile(wineLoader)) return std::string(wineLoader);
    std::string_view directories = path != nullptr ? path : "";
    while (!directories.empty()) {
        const auto end = std::min(directories.find(':'), directories.size());
        const std::string_view directory = directories.substr(0, end);
        directories.remove_prefix(std::min(end + 1, directories.size()));
        if (directory.empty()) continue;
        std::string candidate = std::string(directory) + "/wine";
        if (IsExecutableFile(candidate)) return candidate;
    }
    return std::nullopt;
}

RunResult PosixProgramRunner::Run(const std::string& program, const std::vector<std::string>& argv,
                                  std::chrono::milliseconds limit)
{
    return SpawnAndWait(program, argv, environ, limit);
}

RunResult PosixProgramRunner::RunWindowsProgram(const std::string& program, const std::vector<std::string>& argv,
                                                const std::optional<std::string>& winePrefix,
                                                std::chrono::milliseconds limit)
{
    const std::optional<std::string> wine = FindWineLoader(std::getenv("WINELOADER"), std::getenv("PATH"));
    if (!wine) return {RunOutcome::NotStarted, -1};
    std::vector<std::string> wineArgv{*wine, program};
    if (!argv.empty()) wineArgv.insert(wineArgv.end(), argv.begin() + 1, argv.end());
    if (!winePrefix) return SpawnAndWait(*wine, wineArgv, environ, limit);
    const std::vector<std::string> environment = EnvironmentWith("WINEPREFIX", *winePrefix);
    return SpawnAndWait(*wine, wineArgv, Pointers(environment).data(), limit);
}

} // namespace qx::platform
