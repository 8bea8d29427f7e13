#include "app/qt/qt_app_dialogs.h"

#include "platform/posix/local_system_services.h"
#include "report/dialogs/opening_steps.h"
#include "report/dialogs/qt/notice_dlg.h"
#include "report/dialogs/qt/report_dlg.h"
#include "report/dialogs/qt/small_dialogs.h"

namespace qx::app {

QtAppDialogs::QtAppDialogs(const config::Profile& profile, report::ReportCommands commands)
    : m_profile(profile)
    , m_commands(commands)
{
}

void QtAppDialogs::RunStartNotice()
{
    report::CNoticeDlg notice(report::kStartNotice, m_profile);
    notice.DoModal();
}

void QtAppDialogs::RunCaptureNotice()
{
    report::CNoticeDlg notice(report::kCaptureNotice, m_profile);
    notice.DoModal();
}

void QtAppDialogs::RunReportDialog(report::ReportApplication& application)
{
    const platform::LocalSystemServices system;
    report::SysinfoOpeningSteps steps(system.Services());
    report::CReportDlg dialog(report::ReportDialogServices{m_profile, application, steps, m_commands});
    dialog.DoModal();
}

void QtAppDialogs::RunAbout()
{
    report::CAboutDlg about;
    about.DoModal();
}

} // namespace qx::app
