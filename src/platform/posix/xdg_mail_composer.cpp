#include "platform/posix/xdg_mail_composer.h"

#include <cerrno>
#include <ctime>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char** environ;

namespace qx::platform {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::chrono::milliseconds kPause{20};

void Pause()
{
    const std::timespec delay{0, static_cast<long>(std::chrono::nanoseconds(kPause).count())};
    ::nanosleep(&delay, nullptr);
}

// The mailer outlives the wait: it is reaped when it ends, so that it leaves
// no zombie behind.
void ReapLater(::pid_t child)
{
    std::thread([child] {
        int status = 0;
        while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
}

} // namespace

bool XdgMailComposer::Compose(const MailMessage& message)
{
    // --utf8: the subject is UTF-8 already, whatever the locale says.
    std::vector<std::string> argv{"xdg-email", "--utf8",          "--subject", message.subject,
                                  "--attach",  message.attachment, message.to};
    std::vector<char*> args;
    for (std::string& arg : argv) args.push_back(arg.data());
    args.push_back(nullptr);

    ::pid_t child = 0;
    if (::posix_spawnp(&child, "xdg-email", nullptr, nullptr, args.data(), environ) != 0) return false;

    const Clock::time_point deadline = Clock::now() + m_limit;
    while (Clock::now() < deadline) {
        int status = 0;
        const ::pid_t ended = ::waitpid(child, &status, WNOHANG);
        if (ended == child) return WIFEXITED(status) && WEXITSTATUS(status) == 0;
        if (ended < 0 && errno != EINTR) return false;
        Pause();
    }
    ReapLater(child);
    return true;
}

} // namespace qx::platform
