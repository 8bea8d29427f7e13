#pragma once

// Subcommands of qxr register themselves here; each lives in its own
// cmd_<name>.cpp file.

#include <string>
#include <vector>

namespace qxr {

struct Command {
    const char* name;
    const char* synopsis; // one line for "qxr --help" (UTF-8, French)
    const char* usage;    // "qxr NAME --help" before the exit codes (UTF-8, French)
    int (*run)(const std::vector<std::string>& args); // options and "--" taken out
    // Options the command takes, each followed by its value; they reach
    // `run` as two arguments, in the order given.
    std::vector<std::string> valueOptions = {};
};

// Adds `command` to the table; used through QXR_COMMAND.
bool RegisterCommand(const Command& command);

const std::vector<Command>& Commands();

// A wrong number of arguments: `usage` on standard error, exit status 64.
int WrongArguments(const char* usage);

// Prints "qxr COMMAND: PATH : WHAT" on standard error, with " : REASON"
// when there is one, and returns `status`.
int Fail(const char* command, const std::string& path, const std::string& what, const std::string& reason,
         int status);

} // namespace qxr

#define QXR_COMMAND(ident, ...) \
    static const bool ident##_registered = ::qxr::RegisterCommand(::qxr::Command{__VA_ARGS__})
