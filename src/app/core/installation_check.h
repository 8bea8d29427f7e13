#pragma once

// The installation check: key REPEXE of section "Orvane55" must name an
// existing directory that holds a "*orvane*.exe". Run at start-up and each
// time a report dialog opens.

#include "config/profile.h"
#include "platform/file_reader.h"
#include "platform/message_boxes.h"

#include <string>

namespace qx::app {

// True when the installation is usable: `installDir` is REPEXE without its
// trailing "/", followed by exactly one "/". False once the check's message
// (110, 112 or 111) has been shown; `installDir` is then left as it was.
bool CheckInstallation(const config::Profile& profile, platform::FileReader& files,
                       platform::MessageBoxes& messages, std::string& installDir);

} // namespace qx::app
