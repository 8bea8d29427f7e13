#pragma once

// The default name of a report archive: the serial-number prefix, the report
// number text and ".QXR".

#include <string>
#include <string_view>

namespace qx::report {

// `serial` without its space characters, cut to six characters.
std::string ArchiveNamePrefix(std::string_view serial);

// The first two characters of the stored report number, right-aligned in two
// characters and padded with "0" on the left: "7" gives "07", "" gives "00".
// Used as text: "ab" stays "ab".
std::string ReportNumberText(std::string_view storedNumber);

// Prefix, number text, ".", "QXR".
std::string DefaultArchiveName(std::string_view serial, std::string_view storedNumber);

} // namespace qx::report
