#pragma once

// Texts of the program are std::string holding Windows-1252 bytes. These two
// functions are the only place where they meet UTF-8 (Qt, sources, terminals).

#include <string>
#include <string_view>

namespace qx::text {

// Windows-1252 bytes to UTF-8. The five bytes that Windows-1252 leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same
// value, as the platform's own conversion does, so nothing is lost.
std::string Cp1252ToUtf8(std::string_view cp1252);

// UTF-8 to Windows-1252 bytes. A character that Windows-1252 cannot hold, and
// every byte of a malformed UTF-8 sequence, becomes one "?".
std::string Utf8ToCp1252(std::string_view utf8);

// One Unicode code point to its Windows-1252 byte, or '?' when it has none.
char CodePointToCp1252(char32_t codePoint);

// Decodes the UTF-8 sequence that starts at utf8[i] into `codePoint`;
// returns its length, or 0 when it is malformed (overlong forms, surrogates
// and values past U+10FFFF included).
std::size_t DecodeUtf8(std::string_view utf8, std::size_t i, char32_t& codePoint);

} // namespace qx::text
