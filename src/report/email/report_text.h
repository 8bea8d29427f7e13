#pragma once

// The report text: what follows the screenshot bitmap in the report file.
// Windows-1252, lines separated by "\r\n", nothing before the first piece and
// nothing after the last (no line end, terminator or end-of-file mark).

#include "platform/file_store.h"
#include "report/report_record.h"

#include <array>
#include <string>

namespace qx::report {

inline constexpr std::size_t kReportTextPieces = 21;

// The 21 pieces in their order; the answer pieces (15, 17) are empty when
// their answer is outside 0 to 2.
std::array<std::string, kReportTextPieces> BuildReportTextPieces(const CReportRecord& record);

// The pieces joined.
std::string BuildReportText(const CReportRecord& record);

// Appends the pieces to `file`, each with one write of exactly its length
// (an empty piece is a write of zero bytes). False as soon as a write stores
// fewer bytes than asked.
bool WriteReportText(platform::OutputFile& file, const CReportRecord& record);

} // namespace qx::report
