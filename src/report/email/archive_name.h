#pragma once

// The default name of a report archive: the serial-number prefix, the report
// number text and ".QXR".

#include <string>
#include <string_view>

namespace qx::report {

// `serial` without its space characters and without every character a file
// name cannot hold on Linux or Windows (NUL, "/", "\\", ":", "*", "?", "\"",
// "<", ">", "|" and control characters), cut to six characters: the default
// name always names a file in the folder the save dialog opens on.
std::string ArchiveNamePrefix(std::string_view serial);

// The first two characters of the stored report number, right-aligned in two
// characters and padded with "0" on the left: "7" gives "07", "" gives "00".
// Used as text: "ab" stays "ab".
std::string ReportNumberText(std::string_view storedNumber);

// Prefix, number text, ".", "QXR".
std::string DefaultArchiveName(std::string_view serial, std::string_view storedNumber);

} // namespace qx::report
