#include "report/dialogs/qt/report_dlg.h"

#include "platform/qt/common/owner_widget.h"
#include "platform/qt/common/qt_text.h"
#include "platform/qt/dialogs/data_exchange.h"
#include "platform/qt/dialogs/message_box.h"
#include "report/dialogs/qt/identity_dlg.h"
#include "report/dialogs/qt/title_font.h"
#include "report/identity/identity.h"
#include "resources/dialog_ids.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

namespace qx::report {

namespace {

// Both answers read "Ne sais pas" once the identity is loaded.
constexpr int kAnswerDontKnow = 2;

// The platform's message when the help viewer cannot start.
constexpr std::string_view kHelpFailed = "Le démarrage de l'aide a échoué.";

constexpr const char* kExeMask = "*.exe";
constexpr const char* kDllMask = "*.dll";

// The bar's positions while the dialog opens; it never reaches 100.
enum ProgressStep : int {
    kProgressChecking = 10,
    kProgressWindowsVersion = 20,
    kProgressDll16 = 30,
    kProgressModules32 = 40,
    kProgressExeOnDisk = 50,
    kProgressDllOnDisk = 60,
    kProgressIdentity = 70,
    kProgressProductCodes = 80,
};

} // namespace

CReportDlg::CReportDlg(ReportDialogServices services)
    : CDialog(res::kDialogReport)
    , m_services(std::move(services))
{
    OnCommand(res::kIdIdentityButton, [this] { OnIdentity(); });
    OnCommand(res::kIdEmailButton, [this] { OnEmail(); });
    OnCommand(res::kIdAboutButton, [this] { OnAbout(); });
    OnCommand(res::kIdPrintButton, [this] { OnPrint(); });
}

CReportDlg::~CReportDlg()
{
    while (m_waitCursors > 0) SetWaitCursor(WaitCursor::Off);
}

bool CReportDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    m_progress = std::make_unique<CProgressDlg>();
    m_progress->Create();

    m_titleFont = TitleFont();
    if (QWidget* title = GetDlgItem(res::kIdTitle)) title->setFont(*m_titleFont);

    SetWaitCursor(WaitCursor::On);

    // Hidden while the check runs, so that its message is not covered.
    m_progress->SetPos(kProgressChecking);
    m_progress->ShowWindow(ui::ShowCommand::Hide);

    std::string installDir;
    if (!m_services.application.CheckInstallation(installDir)) {
        EndOpening();
        OnCancel();
        return false;
    }

    m_progress->ShowAndPaint();
    GatherSystemInformation(installDir);
    EndOpening();

    // Once the dialog is shown, it comes to the front.
    if (QDialog* window = Window()) {
        QTimer::singleShot(0, window, [window] {
            window->raise();
            window->activateWindow();
        });
    }

    AppendSystemMenu(0, QString());
    AppendSystemMenu(kSysCommandAbout, ui::ToQString(LoadResString(res::kMenuAbout)));
    return true;
}

void CReportDlg::GatherSystemInformation(const std::string& installDir)
{
    m_progress->SetPos(kProgressWindowsVersion);
    m_services.steps.FormatWindowsVersion(m_record.m_strWindowsVersion);
    m_progress->SetPos(kProgressDll16);
    m_services.steps.CollectDll16(installDir, m_record);
    m_progress->SetPos(kProgressModules32);
    m_services.steps.CollectModules32(m_record);
    m_progress->SetPos(kProgressExeOnDisk);
    m_services.steps.ListProductFiles(installDir, kExeMask, m_record.m_strExeOnDisk);
    m_progress->SetPos(kProgressDllOnDisk);
    m_services.steps.ListProductFiles(installDir, kDllMask, m_record.m_strDllOnDisk);
    m_progress->SetPos(kProgressIdentity);
    LoadIdentity();
    m_progress->SetPos(kProgressProductCodes);
    m_services.steps.LoadProductCodes(m_record);
}

void CReportDlg::EndOpening()
{
    m_progress->DestroyWindow();
    m_progress.reset();
    SetWaitCursor(WaitCursor::Off);
}

void CReportDlg::DoDataExchange(ui::CDataExchange& dx)
{
    ui::DDX_Text(dx, res::kIdSteps, m_record.m_strSteps);
    ui::DDX_Text(dx, res::kIdLoadedDlls, m_record.m_strLoadedDlls);
    ui::DDX_Text(dx, res::kIdWindowsVersion, m_record.m_strWindowsVersion);
    ui::DDX_Text(dx, res::kIdDescription, m_record.m_strDescription);
    ui::DDX_Text(dx, res::kIdComments, m_record.m_strComments);
    ui::DDX_Text(dx, res::kIdName, m_record.m_identity.m_strName);
    ui::DDX_Radio(dx, res::kIdTestMode16, m_record.m_nTestMode);
    ui::DDX_Radio(dx, res::kIdReproducibleYes, m_record.m_nReproducible);
}

void CReportDlg::LoadIdentity()
{
    m_record.m_identity = ReadStoredIdentity(m_services.profile);
    m_record.m_nReproducible = kAnswerDontKnow;
    m_record.m_nTestMode = kAnswerDontKnow;
    UpdateData(ui::DataDirection::ToControls);
}

void CReportDlg::SaveIdentity()
{
    UpdateData(ui::DataDirection::FromControls);
    WriteStoredIdentity(m_services.profile, m_record.m_identity);
}

void CReportDlg::OnIdentity()
{
    UpdateData(ui::DataDirection::FromControls);
    CIdentityDlg identity;
    identity.m_identity = m_record.m_identity;
    if (identity.DoModal() != ui::IDOK) return;
    m_record.m_identity = identity.m_identity;
    UpdateData(ui::DataDirection::ToControls);
}

void CReportDlg::OnPrint()
{
    RunCommand(m_services.commands.print);
}

void CReportDlg::OnEmail()
{
    RunCommand(m_services.commands.email);
}

void CReportDlg::RunCommand(ReportCommand* command)
{
    // Each command saves the identity itself (SaveIdentity): Print first of
    // all, E-mail after its notice.
    UpdateData(ui::DataDirection::FromControls);
    if (command != nullptr) command->Run(*this);
}

void CReportDlg::OnAbout()
{
    CAboutDlg about;
    about.DoModal();
}

void CReportDlg::OnCancel()
{
    m_titleFont.reset();
    EndDialog(ui::IDCANCEL);
}

void CReportDlg::OnHelp()
{
    if (!m_services.openHelp()) {
        ui::ShowMessageBox(Window(), ui::FromUtf8(kHelpFailed), ui::ApplicationCaption(), ui::BoxIcon::Exclamation);
    }
}

void CReportDlg::OnSysCommand(int command)
{
    if ((command & 0xFFF0) == kSysCommandAbout) OnAbout();
}

IncidentPoint CReportDlg::PickIncidentPoint()
{
    ShowWindow(ui::ShowCommand::Hide);
    const IncidentPoint point = m_services.application.PickIncidentPoint();
    ShowWindow(ui::ShowCommand::Show);
    return point;
}

void CReportDlg::OpenBusyWindow()
{
    m_busy = std::make_unique<CBusyDlg>();
    m_busy->CreateAndPaint();
}

void CReportDlg::CloseBusyWindow()
{
    if (!m_busy) return;
    m_busy->DestroyWindow();
    m_busy.reset();
}

void CReportDlg::SetWaitCursor(WaitCursor cursor)
{
    if (cursor == WaitCursor::On) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ++m_waitCursors;
    } else if (m_waitCursors > 0) {
        QApplication::restoreOverrideCursor();
        --m_waitCursors;
    }
}

void CReportDlg::ShowMessage(const std::string& text)
{
    ui::ShowMessageBox(Window(), ui::ToQString(text), ui::ApplicationCaption(), ui::BoxIcon::Exclamation);
}

platform::OwnerWindow* CReportDlg::DialogWindow()
{
    return platform::OwnerWindowOf(Window());
}

} // namespace qx::report
