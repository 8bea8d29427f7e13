#pragma once

// The name a printout carries: the print job's name and, with ".pdf", the
// default file when it is printed to a file.

#include <string>
#include <string_view>

namespace qx::print {

// "Rapport " followed by the report archive's prefix and number text, so a
// printout and the archive of the same report are named alike:
// "Rapport BX123407" for serial "BX 1234" and number 7.
std::string ReportDocumentName(std::string_view serial, std::string_view storedNumber);

} // namespace qx::print
