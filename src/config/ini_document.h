#pragma once

// The private-profile ("INI") text format as pure functions over the file's
// bytes. Lines end with LF or CRLF; a line is a section header "[name]", an
// entry "key=value", a comment (first non-blank character ";") or anything
// else, which is kept but means nothing. Blanks (space, tab) around names and
// values are ignored, a value wrapped in double quotes loses them, and names
// compare without regard to case. Entries before the first header belong to
// no section. When a key occurs twice in a section, the first one counts.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace qx::config {

enum class IniLineKind { Section, Entry, Comment, Other };

struct IniLine {
    IniLineKind kind = IniLineKind::Other;
    std::string_view name;      // section or key name, blanks trimmed
    std::string_view value;     // entry value, blanks and enclosing quotes removed
    std::size_t valueStart = 0; // entry: offset in the line just after "="
};

// One line, without its line end.
IniLine ParseIniLine(std::string_view line);

// The value of `key` in `section`, or nothing when either is missing. The
// value is a view into `document`, uncut.
std::optional<std::string_view> LookupIni(std::string_view document, std::string_view section, std::string_view key);

// `document` with `key` of `section` set to `value`: the first such entry is
// rewritten after its "=", or a new entry is added after the section's last
// entry, or a new section is added at the end. Every other line keeps its
// bytes; every line of the result ends with CRLF. A CR or LF in `value`
// becomes a blank (it would start a new line), and the value ends at a NUL as
// a C string does. Nothing when a name cannot be stored so that it reads
// back: empty, with blanks around it, or holding a line end, a NUL, "]"
// (section) or "=" (key), or a key starting with ";" or "[".
std::optional<std::string> WriteIni(std::string_view document, std::string_view section, std::string_view key,
                                    std::string_view value);

} // namespace qx::config
