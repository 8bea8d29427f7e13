// Arbitrary bytes as a received report text: the reader must not fail on
// them, and what it accepts, written again, reads back to the same text.
// (The title line is not part of the record, so the first writing may differ.)
#include "report/email/report_text.h"
#include "report/email/report_text_reader.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<CReportRecord> record = qx::report::ParseReportText(text);
    if (!record) return 0;
    const std::string written = qx::report::BuildReportText(*record);
    const std::optional<CReportRecord> again = qx::report::ParseReportText(written);
    if (!again || qx::report::BuildReportText(*again) != written) std::abort();
    return 0;
}
