#include "print/page_writer.h"

#include "print/report_rows.h"

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
}

void PageWriter::PrintTextLine(std::string_view text)
{
    using platform::DeviceCap;
    const platform::Rect rect{
        m_lineHeight,
        m_lineHeight * m_row,
        m_printer.GetDeviceCaps(DeviceCap::PhysicalWidth) - m_printer.GetDeviceCaps(DeviceCap::PhysicalOffsetX) -
            2 * m_lineHeight,
        m_printer.GetDeviceCaps(DeviceCap::PhysicalHeight),
    };
    const int rows = m_printer.DrawText(text, rect) / m_lineHeight;
    m_row += rows > 0 ? rows : 1;
    if (m_row > m_rowLimit && !m_printingHeader) NextPage();
}

void PageWriter::NextPage()
{
    m_row = kFirstRow;
    m_printer.EndPage();
    m_printer.StartPage();
    PrintPageHeader();
}

} // namespace qx::print
