#pragma once

// Section, key and file names of the profile compare without regard to case,
// for ASCII letters and the accented letters of Windows-1252 ("É" is "é"), as
// the profile functions of Windows compare them. This is the one place that
// folds more than ASCII; file names elsewhere use text/ascii_case.h.

#include <string_view>

namespace qx::config {

// The lower-case form of one Windows-1252 byte (the byte itself when it is not
// an upper-case letter).
char FoldCase(char c);

bool EqualIgnoringCase(std::string_view a, std::string_view b);

} // namespace qx::config
