#pragma once

// The report text read back into a report record, for support staff who
// reprint a received report. The text comes from outside: every length and
// label is checked, and a text that is not a report text yields nothing.

#include "report/report_record.h"

#include <optional>
#include <string_view>

namespace qx::report {

// The record whose BuildReportText is `text` (Windows-1252). Recovered:
// the nine identity fields, the three incident texts, the two answers, the
// system version and the four lists. Not in the text, so left empty: the
// product-code map and m_strLoadedDlls. Where a tester typed a label's own
// line into an incident text the split is ambiguous; the description then
// ends at the first steps label and the comments start at the last comments
// label.
std::optional<CReportRecord> ParseReportText(std::string_view text);

} // namespace qx::report
