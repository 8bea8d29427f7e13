#pragma once

// Records and header sources for the printed report's tests.

#include "print/page_writer.h"
#include "report/report_record.h"

#include <string>

namespace qx::test {

// A job name as the Print command makes them.
inline constexpr const char* kJobName = "Rapport 65432117";

// A header source with a pinned date (7 March 2026) and report number,
// counting how often each is asked for.
struct PinnedHeader {
    explicit PinnedHeader(const CReportRecord& record, std::string number = "17")
        : number(std::move(number)),
          source{record,
                 [this] {
                     ++numberReads;
                     return this->number;
                 },
                 [this] {
                     ++clockReads;
                     std::tm t{};
                     t.tm_year = 126;
                     t.tm_mon = 2;
                     t.tm_mday = 7;
                     return t;
                 }}
    {
    }
    PinnedHeader(const PinnedHeader&) = delete;
    PinnedHeader& operator=(const PinnedHeader&) = delete;

    std::string number;
    int numberReads = 0;
    int clockReads = 0;
    print::HeaderSource source;
};

// `count` lines "line 1" to "line <count>", each ending in "\r\n".
inline std::string NumberedLines(int count)
{
    std::string text;
    for (int i = 1; i <= count; ++i) text += "line " + std::to_string(i) + "\r\n";
    return text;
}

} // namespace qx::test
