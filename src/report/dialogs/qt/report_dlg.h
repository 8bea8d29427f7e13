#pragma once

// The report dialog (102): one per captured image. While it opens it
// gathers the system information behind the progress window and loads the
// stored identity; then the tester writes the report and runs Print and
// E-mail as often as wanted. Closing it saves nothing.

#include "config/profile.h"
#include "platform/qt/dialogs/dialog.h"
#include "report/dialogs/qt/help_file.h"
#include "report/dialogs/opening_steps.h"
#include "report/dialogs/qt/small_dialogs.h"
#include "report/report_application.h"
#include "report/report_commands.h"
#include "report/report_record.h"

#include <QFont>

#include <memory>
#include <optional>

namespace qx::report {

struct ReportDialogServices {
    const config::Profile& profile;
    ReportApplication& application;
    ReportOpeningSteps& steps;
    ReportCommands commands;
    HelpOpener openHelp = OpenHelpFile;
};

// The system-menu command of the about entry.
inline constexpr int kSysCommandAbout = 16;

class CReportDlg final : public ui::CDialog, private ReportCommandHost {
public:
    explicit CReportDlg(ReportDialogServices services);
    ~CReportDlg() override;

    CReportRecord& Record() { return m_record; }

    // The progress window while the dialog opens, else null.
    const CProgressDlg* Progress() const { return m_progress.get(); }

    void LoadIdentity();
    void SaveIdentity() override;

    void OnIdentity();
    void OnPrint();
    void OnEmail();
    void OnAbout();

protected:
    bool OnInitDialog() override;
    void DoDataExchange(ui::CDataExchange& dx) override;
    void OnCancel() override;
    void OnHelp() override;
    void OnSysCommand(int command) override;

private:
    // ReportCommandHost
    const CReportRecord& Record() const override { return m_record; }
    const config::Profile& Profile() const override { return m_services.profile; }
    Bitmap& ScreenImage() override { return m_services.application.ScreenImage(); }
    IncidentPoint PickIncidentPoint() override;
    void OpenBusyWindow() override;
    void CloseBusyWindow() override;
    void SetWaitCursor(WaitCursor cursor) override;
    void ShowMessage(const std::string& text) override;
    platform::OwnerWindow* DialogWindow() override;

    void RunCommand(ReportCommand* command);
    void GatherSystemInformation(const std::string& installDir);
    void EndOpening();

    ReportDialogServices m_services;
    CReportRecord m_record;
    std::optional<QFont> m_titleFont;
    std::unique_ptr<CProgressDlg> m_progress;
    std::unique_ptr<CBusyDlg> m_busy;
    int m_waitCursors = 0;
};

} // namespace qx::report
