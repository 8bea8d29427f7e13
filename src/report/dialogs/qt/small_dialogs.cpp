#include "report/dialogs/qt/small_dialogs.h"

#include "platform/qt/dialogs/data_exchange.h"
#include "resources/dialog_ids.h"
#include "resources/product_mark.h"
#include "text/cp1252.h"

#include <QCoreApplication>
#include <QDialog>
#include <QProgressBar>

namespace qx::report {

namespace {

// The long steps block the thread: the window is painted before they go on.
void PaintNow(QWidget* window)
{
    if (window == nullptr) return;
    window->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

CAboutDlg::CAboutDlg()
    : CDialog(res::kDialogAbout)
{
}

bool CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_strVersion = text::Utf8ToCp1252(res::kVersionText);
    UpdateData(ui::DataDirection::ToControls);
    return true;
}

void CAboutDlg::DoDataExchange(ui::CDataExchange& dx)
{
    ui::DDX_Text(dx, res::kIdVersionText, m_strVersion);
}

CProgressDlg::CProgressDlg()
    : CDialog(res::kDialogProgress)
{
}

void CProgressDlg::SetPos(int position)
{
    auto* bar = qobject_cast<QProgressBar*>(GetDlgItem(res::kIdProgressBar));
    if (bar == nullptr) return;
    bar->setValue(position);
    if (Window() != nullptr && Window()->isVisible()) PaintNow(Window());
}

int CProgressDlg::Position() const
{
    const auto* bar = qobject_cast<QProgressBar*>(GetDlgItem(res::kIdProgressBar));
    return bar == nullptr ? -1 : bar->value();
}

void CProgressDlg::ShowAndPaint()
{
    ShowWindow(ui::ShowCommand::Show);
    PaintNow(Window());
}

CBusyDlg::CBusyDlg()
    : CDialog(res::kDialogBusy)
{
}

bool CBusyDlg::CreateAndPaint()
{
    if (!Create()) return false;
    PaintNow(Window());
    return true;
}

} // namespace qx::report
