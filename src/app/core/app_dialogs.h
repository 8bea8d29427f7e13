#pragma once

// The dialogs the application object runs, each modally and with no
// parent: the two notices, the report dialog of one capture and the about
// box of the status area's menu.

namespace qx::report {
class ReportApplication;
}

namespace qx::app {

class AppDialogs {
public:
    virtual ~AppDialogs() = default;

    // Dialog 134; it stores its own switch INFO.
    virtual void RunStartNotice() = 0;
    // Dialog 147; it stores its own switch INFOIMP.
    virtual void RunCaptureNotice() = 0;
    // A new report dialog (102) on the kept image; returns when it is closed.
    virtual void RunReportDialog(report::ReportApplication& application) = 0;
    // The about box (dialog 100).
    virtual void RunAbout() = 0;
};

} // namespace qx::app
