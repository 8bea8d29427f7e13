#pragma once

// One report on a printer, without the desktop: the text pages and the last
// page with the screen image and the arrow at the incident point.

#include "print/page_writer.h"
#include "print/print_job.h"
#include "print/print_screen_image.h"

#include <string>

namespace qx::print {

struct Printout {
    HeaderSource header;       // the record, the stored numrpt, the clock
    std::string documentName;  // ReportDocumentName
    ScreenImage image;         // the arrow is drawn into it
    IncidentPoint incident;    // x = -1: no arrow
    DisplayInfo display;
};

// Prints `printout` on `printer` (PrintReportJob with PrintScreenImage).
JobOutcome PrintReport(platform::Printer& printer, const Printout& printout);

} // namespace qx::print
