#pragma once

// The only arguments qxbeta answers, before it needs a display: "--help"
// (or "-h") and "--version". Every other argument is ignored.

#include <optional>

namespace qx::app {

// The exit status when an argument asked for the help or the version text
// (printed on standard output), or none when the program is to start.
std::optional<int> AnswerInformationRequest(int argc, char** argv);

} // namespace qx::app
