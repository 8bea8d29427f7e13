#include "platform/qt/dialogs/dialog_window.h"

#include "platform/qt/dialogs/dialog.h"

#include <QContextMenuEvent>

namespace qx::ui {

DialogWindow::DialogWindow(CDialog& owner)
    : m_owner(owner)
{
}

void DialogWindow::accept()
{
    m_owner.SendCommand(IDOK);
}

void DialogWindow::reject()
{
    m_owner.SendCommand(IDCANCEL);
}

void DialogWindow::Finish(int result)
{
    QDialog::done(result);
}

void DialogWindow::contextMenuEvent(QContextMenuEvent* event)
{
    m_owner.ShowSystemMenu(event->globalPos());
}

} // namespace qx::ui
