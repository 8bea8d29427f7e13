#pragma once

// The command behind the report dialog's "&E-mail" button (1045).

#include "report/report_commands.h"

#include <memory>

namespace qx::report {

// The e-mail notice unless switched off, the identity saved, the save
// dialog, the pick, and the report archive written behind the busy window
// (report_archive.h). Made once by the application (library qx_email_qt).
std::unique_ptr<ReportCommand> MakeEmailCommand();

} // namespace qx::report
