#pragma once

// Row-by-row printing of the report's pages: every text starts on a row of
// the current page, rows are one line height apart, and a text whose rows do
// not fit under what the page holds starts the next page with its header.
// No row is drawn below the last one that fits.

#include "platform/printer.h"
#include "report/report_record.h"

#include <ctime>
#include <functional>
#include <string>
#include <string_view>

namespace qx::print {

// Where the page header takes what changes between printouts. Both are
// called for every header.
struct HeaderSource {
    const CReportRecord& record;
    std::function<std::string()> reportNumber; // numrpt as stored
    std::function<std::tm()> localTime;
};

// The first row of the header on every page.
inline constexpr int kFirstRow = 2;

class PageWriter {
public:
    // `lineHeight` must be greater than zero.
    PageWriter(platform::Printer& printer, const HeaderSource& header, int lineHeight, int rowLimit);

    int Row() const { return m_row; }

    // The six header rows from the current row. The header never breaks the
    // page, so a page too small for it still ends.
    void PrintPageHeader();

    // Draws `text` word-wrapped from the current row down, one row a line,
    // and advances the row counter by the rows it took (at least one). A text
    // that does not fit on the rows left starts on the next page; one taller
    // than a whole page goes on over the pages it needs.
    void PrintTextLine(std::string_view text);

    // Closes the page, opens the next one and prints its header.
    void NextPage();

private:
    // Where the current row's text goes, clipped to the printable width.
    platform::Rect TextBox() const;
    bool MayBreak() const;

    platform::Printer& m_printer;
    const HeaderSource& m_header;
    int m_lineHeight;
    int m_rowLimit;
    int m_row = kFirstRow;
    int m_bodyTop = kFirstRow; // the row under this page's header
    bool m_printingHeader = false;
};

} // namespace qx::print
