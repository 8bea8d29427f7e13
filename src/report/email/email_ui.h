#pragma once

// What the E-mail command asks of the desktop: its dialogs, the pick of the
// incident point, the busy window and the wait cursor. The report dialog's
// command host and the save dialog implement it (qt/); tests drive the
// command through a double.

#include "report/report_commands.h"

#include <optional>
#include <string>

namespace qx::report {

class EmailUi {
public:
    virtual ~EmailUi() = default;

    // The e-mail notice (dialog 140), modally; it stores its own switch.
    virtual void ShowMailNotice() = 0;

    // The identity controls into the record, and the nine identity keys written.
    virtual void SaveIdentity() = 0;

    // The save dialog offering `defaultName` (Windows-1252); the full path
    // chosen, or nothing when it did not end with OK. As the platform's own
    // dialog does, the chosen folder becomes the current directory.
    virtual std::optional<std::string> AskArchivePath(const std::string& defaultName) = 0;

    // The report dialog hidden, the kept screen image shown until the
    // tester's click, the report dialog shown again.
    virtual void PickIncidentPoint() = 0;

    virtual void OpenBusyWindow() = 0;
    virtual void CloseBusyWindow() = 0;
    virtual void SetWaitCursor(WaitCursor cursor) = 0;

    // A message box owned by the report dialog, captioned with the
    // application's name, with an OK button; `text` is Windows-1252.
    virtual void ShowMessage(const std::string& text) = 0;
};

} // namespace qx::report
