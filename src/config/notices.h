#pragma once

// The notice switches INFO, INFOIMP and INFOEMAL, and the report counter.

#include "config/profile.h"

#include <string>
#include <string_view>

namespace qx::config {

// True unless the key's value (default "1") begins with "0".
bool IsNoticeEnabled(const Profile& profile, std::string_view key);

// Writes "0": the notice's "Ne plus afficher ce message" was ticked.
void DisableNotice(const Profile& profile, std::string_view key);

// The stored report number as text, exactly as stored (default "1").
std::string ReadReportNumber(const Profile& profile);

// `text` read as atoi does (blanks, sign, digits), saturated to 32 bits.
int ParseLeadingInt(std::string_view text);

// Stores numrpt + 1 (wrapping at the 32-bit limit), in decimal; two programs
// advancing it at once give two numbers.
void IncrementReportNumber(const Profile& profile);

} // namespace qx::config
