#pragma once

// The command behind the report dialog's "&Imprimer" button (1074).

#include "platform/owner_window.h"
#include "platform/printer.h"
#include "print/print_screen_image.h"
#include "report/report_commands.h"

#include <ctime>
#include <functional>
#include <memory>
#include <string>

namespace qx::print {

// What the Print command takes from the platform.
struct PrintServices {
    // The printer set-up dialog over `owner` for the job `documentName`: the
    // chosen printer, or null when the tester did not choose one.
    std::function<std::unique_ptr<platform::Printer>(platform::OwnerWindow* owner, const std::string& documentName)> choosePrinter;
    std::function<DisplayInfo()> display;
    std::function<std::tm()> localTime;
};

// The identity saved, the pick of the incident point, the printer dialog,
// then the report printed behind the busy window and the wait cursor. A
// started job advances the report number; a cancelled dialog or a job that
// could not start leaves it as it was, and a job that could not start is
// said (text 150) after the busy window has closed.
void RunPrintCommand(report::ReportCommandHost& host, const PrintServices& services);

// The command on the desktop, with the printer dialog and the primary
// screen. Made once by the application (library qx_print_qt).
std::unique_ptr<report::ReportCommand> MakePrintCommand();

} // namespace qx::print
