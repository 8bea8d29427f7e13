#pragma once

// What the report dialog's "&Imprimer" (1074) and "&E-mail" (1045) buttons
// run, and what the dialog offers a command while it runs.
//
// The application makes each command once and hands both to every report
// dialog it opens (ReportCommands). Before a command runs, the dialog takes
// its controls into the record (UpdateData(TRUE)); afterwards it leaves the
// controls as they are, so the tester's texts stay for the next command.
// Each command saves the identity itself (SaveIdentity): the Print command
// before anything else, the E-mail command after its notice.
// The E-mail command comes from report/email/email_command.h
// (MakeEmailCommand), the Print command from print/print_command.h
// (MakePrintCommand).

#include "config/profile.h"
#include "platform/bitmap.h"
#include "bitmap/incident_point.h"
#include "platform/owner_window.h"
#include "report/report_record.h"

#include <string>

namespace qx::report {

enum class WaitCursor {
    On,
    Off,
};

class ReportCommandHost {
public:
    virtual ~ReportCommandHost() = default;

    // The dialog's record as its controls showed it when the command began.
    virtual const CReportRecord& Record() const = 0;

    // The shared configuration file (identity, numrpt, notice switches).
    virtual const config::Profile& Profile() const = 0;

    // The application's kept screen image (m_hScreenBitmap). Markers drawn
    // into it stay there for later commands on the same capture.
    virtual Bitmap& ScreenImage() = 0;

    // SaveIdentity: the controls into the record, then the nine identity keys
    // written in their order, empty values included.
    virtual void SaveIdentity() = 0;

    // Hides the report dialog, shows the kept screen image over the whole
    // screen until the tester releases a mouse button, shows the dialog
    // again. The point is also kept as the application's last incident point.
    virtual IncidentPoint PickIncidentPoint() = 0;

    // The busy window (dialog 141), modeless and on top, until closed.
    virtual void OpenBusyWindow() = 0;
    virtual void CloseBusyWindow() = 0;

    virtual void SetWaitCursor(WaitCursor cursor) = 0;

    // A message box owned by the report dialog, captioned with the
    // application's name, exclamation icon, one OK button. Windows-1252 text.
    virtual void ShowMessage(const std::string& text) = 0;

    // The report dialog's window: the owner of the command's own platform
    // dialogs (save dialog, printer dialog). Dialogs built on a template
    // (platform/qt/dialogs/dialog.h) are made with no parent, as the
    // program's notices are.
    virtual platform::OwnerWindow* DialogWindow() = 0;
};

class ReportCommand {
public:
    virtual ~ReportCommand() = default;

    virtual void Run(ReportCommandHost& host) = 0;
};

// The commands behind the two buttons; not owned. A button without a
// command does nothing.
struct ReportCommands {
    ReportCommand* print = nullptr;
    ReportCommand* email = nullptr;
};

} // namespace qx::report
