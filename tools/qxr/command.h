#pragma once

// Subcommands of qxr register themselves here; each lives in its own
// cmd_<name>.cpp file.

#include <string>
#include <vector>

namespace qxr {

struct Command {
    const char* name;
    const char* synopsis; // one line for "qxr --help"
    const char* usage;    // full text for "qxr NAME --help" (UTF-8)
    int (*run)(const std::vector<std::string>& args);
};

// Adds `command` to the table; used through QXR_COMMAND.
bool RegisterCommand(const Command& command);

const std::vector<Command>& Commands();

} // namespace qxr

#define QXR_COMMAND(ident, ...) \
    static const bool ident##_registered = ::qxr::RegisterCommand(::qxr::Command{__VA_ARGS__})
