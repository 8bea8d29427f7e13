#pragma once

// What a text typed in UTF-8 becomes in Windows-1252 when no character may
// silently turn into "?": every character Windows-1252 holds stays as it is,
// any other gets glibc's best-fit transliteration ("ł" gives "l", "→" gives
// "->"), and only a character with no fit at all becomes "?". The
// transliteration is always that of the C.UTF-8 locale, whatever locale the
// program runs under, so a text gives the same bytes on every machine.

#include <string>
#include <string_view>

namespace qx::text {

// UTF-8 to Windows-1252 bytes, best fit. Every byte of a malformed UTF-8
// sequence becomes one "?". Each character is fitted on its own, so the
// result of a text is the results of its characters put together.
std::string Utf8ToCp1252BestFit(std::string_view utf8);

} // namespace qx::text
