#pragma once

// The dialogs the application object runs, each modally and with no
// parent: the two notices and the report dialog of one capture.

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
};

} // namespace qx::app
