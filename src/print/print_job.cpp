#include "print/print_job.h"

#include "print/report_font.h"
#include "print/report_rows.h"

#include <memory>

namespace qx::print {

namespace {

// The report font, selected for as long as the object lives.
class SelectedFont {
public:
    SelectedFont(platform::Printer& printer, const platform::FontSpec& wanted)
        : m_printer(printer), m_font(printer.CreateFont(wanted))
    {
        m_printer.SelectFont(m_font.get());
    }
    ~SelectedFont() { m_printer.SelectFont(nullptr); }
    SelectedFont(const SelectedFont&) = delete;
    SelectedFont& operator=(const SelectedFont&) = delete;

private:
    platform::Printer& m_printer;
    std::unique_ptr<platform::PrinterFont> m_font;
};

} // namespace

JobOutcome PrintReportJob(platform::Printer& printer, std::string_view documentName, const HeaderSource& header,
                          const ImagePrinter& printImage)
{
    using platform::DeviceCap;
    const SelectedFont font(printer, ReportFontSpec(printer.GetDeviceCaps(DeviceCap::LogPixelsY)));
    const platform::TextMetrics metrics = printer.GetTextMetrics();
    const int lineHeight = metrics.height + metrics.externalLeading;
    // Rows could not be counted on such a page: treated as a job that did not start.
    if (lineHeight <= 0) return JobOutcome::NotStarted;
    const int rowLimit = printer.GetDeviceCaps(DeviceCap::VertRes) / lineHeight - 1;

    if (printer.StartDoc(documentName) <= 0) return JobOutcome::NotStarted;
    if (printer.StartPage() <= 0) {
        printer.AbortDoc();
        return JobOutcome::NotStarted;
    }

    PageWriter pages(printer, header, lineHeight, rowLimit);
    pages.PrintPageHeader();
    for (const std::string& row : BodyRows(header.record)) pages.PrintTextLine(row);

    pages.NextPage();
    printImage(printer, pages.Row() * lineHeight);
    printer.EndPage();
    printer.EndDoc();
    return JobOutcome::Printed;
}

} // namespace qx::print
