#pragma once

// One print job of the report: the font, the text pages with a header on
// every page, and the last page with the screen image under its header.

#include "platform/printer.h"
#include "print/page_writer.h"

#include <functional>
#include <string_view>

namespace qx::print {

enum class JobOutcome {
    Printed,    // the job was started: it counts as a sent report
    NotStarted, // nothing was printed
};

// Draws the screen image on the last page with its top at `top`.
using ImagePrinter = std::function<void(platform::Printer& printer, int top)>;

// Prints the report on `printer` as the job `documentName`. A font without height, a job that cannot
// start and a first page that cannot open all give NotStarted; a job whose
// first page fails is aborted. The font is released on every path.
JobOutcome PrintReportJob(platform::Printer& printer, std::string_view documentName, const HeaderSource& header,
                          const ImagePrinter& printImage);

} // namespace qx::print
