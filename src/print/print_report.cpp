#include "print/print_report.h"

namespace qx::print {

JobOutcome PrintReport(platform::Printer& printer, const Printout& printout)
{
    const ImagePrinter printImage = [&printout](platform::Printer& device, int top) {
        PrintScreenImage(device, top, printout.image, printout.incident, printout.display);
    };
    return PrintReportJob(printer, printout.documentName, printout.header, printImage);
}

} // namespace qx::print
