// A child process for tests that look at running processes: it is started
// with its input and output on pipes, counts as ready once its output begins
// with the text it was told to say, and runs until this object closes its
// input, then is waited for.
#pragma once

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

extern char** environ;

namespace qx::test {

class WaitingProcess {
public:
    // `args[0]` is looked up on PATH.
    WaitingProcess(std::vector<std::string> args, const std::string& readyText)
    {
        int input[2];
        int output[2];
        if (::pipe(input) != 0) return;
        if (::pipe(output) != 0) {
            ::close(input[0]);
            ::close(input[1]);
            return;
        }
        posix_spawn_file_actions_t actions;
        ::posix_spawn_file_actions_init(&actions);
        ::posix_spawn_file_actions_adddup2(&actions, input[0], 0);
        ::posix_spawn_file_actions_adddup2(&actions, output[1], 1);
        ::posix_spawn_file_actions_addclose(&actions, input[1]);
        ::posix_spawn_file_actions_addclose(&actions, output[0]);
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        if (::posix_spawnp(&m_pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) m_pid = 0;
        ::posix_spawn_file_actions_destroy(&actions);
        ::close(input[0]);
        ::close(output[1]);
        m_input = input[1];
        m_ready = m_pid > 0 && ReadExactly(output[0], readyText.size()) == readyText;
        ::close(output[0]);
    }
    ~WaitingProcess()
    {
        if (m_input >= 0) ::close(m_input);
        if (m_pid > 0) ::waitpid(m_pid, nullptr, 0);
    }
    WaitingProcess(const WaitingProcess&) = delete;
    WaitingProcess& operator=(const WaitingProcess&) = delete;

    bool Ready() const { return m_ready; }
    pid_t Id() const { return m_pid; }

private:
    // The ready text may come in pieces; reading no more than it leaves
    // nothing unread in the pipe that the child could still be writing.
    static std::string ReadExactly(int fd, std::size_t size)
    {
        std::string text(size, '\0');
        std::size_t got = 0;
        while (got < size) {
            const ::ssize_t n = ::read(fd, text.data() + got, size - got);
            if (n <= 0) break;
            got += static_cast<std::size_t>(n);
        }
        text.resize(got);
        return text;
    }

    pid_t m_pid = 0;
    int m_input = -1;
    bool m_ready = false;
};

} // namespace qx::test
