#pragma once

// Writing a command's result to standard output: a failed write (a full
// volume, a closed pipe) ends the command with a message and exit 73.

#include <string_view>

namespace qxr {

// Writes `text` and flushes; on failure prints "qxr COMMAND: ..." with the
// system's reason on standard error and returns false.
bool WriteStandardOutput(const char* command, std::string_view text);

} // namespace qxr
