#include "print/page_writer.h"

#include "print/report_rows.h"

#include <algorithm>

namespace qx::print {

PageWriter::PageWriter(platform::Printer& printer, const HeaderSource& header, int lineHeight, int rowLimit)
    : m_printer(printer), m_header(header), m_lineHeight(lineHeight), m_rowLimit(rowLimit)
{
}

void PageWriter::PrintPageHeader()
{
    const std::string date = FormatReportDate(m_header.localTime());
    const std::string number = m_header.reportNumber();
    m_printingHeader = true;
    for (const std::string& row : HeaderRows(m_header.record, date, number)) PrintTextLine(row);
    m_printingHeader = false;
    m_bodyTop = m_row;
}

platform::Rect PageWriter::TextBox() const
{
    using platform::DeviceCap;
    // Glyphs past the printable width would be cut away: the box ends there
    // at the latest, whatever margin the page has.
    const int right = std::min(m_printer.GetDeviceCaps(DeviceCap::PhysicalWidth) -
                                   m_printer.GetDeviceCaps(DeviceCap::PhysicalOffsetX) - 2 * m_lineHeight,
                               m_printer.GetDeviceCaps(DeviceCap::HorzRes));
    return {m_lineHeight, m_lineHeight * m_row, right, m_printer.GetDeviceCaps(DeviceCap::PhysicalHeight)};
}

bool PageWriter::MayBreak() const
{
    // Never inside the header, and never on a page that holds nothing but
    // its header: a page too small for a text still ends.
    return !m_printingHeader && m_row > m_bodyTop;
}

void PageWriter::PrintTextLine(std::string_view text)
{
    const std::vector<std::string> lines = m_printer.BreakLines(text, TextBox().Width());
    const int rows = std::max(1, static_cast<int>(lines.size()));
    // The rows of one text stay together: when they do not fit under what
    // the page holds, the text starts the next page.
    if (m_row + rows - 1 > m_rowLimit && MayBreak()) NextPage();
    if (lines.empty()) {
        m_printer.DrawText(text, TextBox()); // an empty text still takes its row
        ++m_row;
        return;
    }
    for (const std::string& line : lines) {
        // Only a text taller than a whole page goes on over the next one.
        if (m_row > m_rowLimit && MayBreak()) NextPage();
        m_printer.DrawText(line, TextBox());
        ++m_row;
    }
}

void PageWriter::NextPage()
{
    m_row = kFirstRow;
    m_printer.EndPage();
    m_printer.StartPage();
    PrintPageHeader();
}

} // namespace qx::print
