#include "report/email/email_command.h"

#include "platform/posix/posix_file_store.h"
#include "platform/posix/xdg_mail_composer.h"
#include "platform/qt/common/owner_widget.h"
#include "report/dialogs/qt/notice_dlg.h"
#include "report/email/email_ui.h"
#include "report/email/qt/save_archive_dialog.h"
#include "report/email/report_archive.h"

namespace qx::report {
namespace {

// The command's user interface: the report dialog's host, the save dialog
// and the e-mail notice.
class HostEmailUi final : public EmailUi {
public:
    explicit HostEmailUi(ReportCommandHost& host) : m_host(host) {}

    void ShowMailNotice() override
    {
        CNoticeDlg notice(kMailNotice, m_host.Profile());
        notice.DoModal();
    }
    void SaveIdentity() override { m_host.SaveIdentity(); }
    std::optional<std::string> AskArchivePath(const std::string& defaultName) override
    {
        return RunSaveArchiveDialog(platform::WidgetOf(m_host.DialogWindow()), defaultName);
    }
    void PickIncidentPoint() override { m_host.PickIncidentPoint(); }
    void OpenBusyWindow() override { m_host.OpenBusyWindow(); }
    void CloseBusyWindow() override { m_host.CloseBusyWindow(); }
    void SetWaitCursor(WaitCursor cursor) override { m_host.SetWaitCursor(cursor); }
    void ShowMessage(const std::string& text) override { m_host.ShowMessage(text); }

private:
    ReportCommandHost& m_host;
};

class EmailCommand final : public ReportCommand {
public:
    void Run(ReportCommandHost& host) override
    {
        HostEmailUi ui(host);
        EmailServices services{ui, m_files, host.Profile(), host.ScreenImage(), m_mail};
        RunEmailCommand(host.Record(), services);
    }

private:
    platform::PosixFileStore m_files;
    platform::XdgMailComposer m_mail;
};

} // namespace

std::unique_ptr<ReportCommand> MakeEmailCommand()
{
    return std::make_unique<EmailCommand>();
}

} // namespace qx::report
