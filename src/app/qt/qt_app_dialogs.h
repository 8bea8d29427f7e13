#pragma once

// The application's dialogs on Qt: the two notices, a new report dialog
// for every capture, with the commands the application made once, and the
// about box.

#include "app/core/app_dialogs.h"
#include "config/profile.h"
#include "report/report_commands.h"

namespace qx::app {

class QtAppDialogs final : public AppDialogs {
public:
    QtAppDialogs(const config::Profile& profile, report::ReportCommands commands);

    void RunStartNotice() override;
    void RunCaptureNotice() override;
    void RunReportDialog(report::ReportApplication& application) override;
    void RunAbout() override;

private:
    const config::Profile& m_profile;
    report::ReportCommands m_commands;
};

} // namespace qx::app
