#include "platform/qt/dialogs/dialog.h"

#include "platform/qt/dialogs/app_icon_image.h"
#include "platform/qt/dialogs/control_factory.h"
#include "platform/qt/dialogs/data_exchange.h"
#include "platform/qt/dialogs/dialog_font.h"
#include "platform/qt/dialogs/dialog_window.h"
#include "platform/qt/common/qt_text.h"

#include <QEventLoop>
#include <QMenu>
#include <QPushButton>

namespace qx::ui {

namespace {

bool Has(const res::DialogTemplate& dialog, std::uint32_t style)
{
    return (dialog.style & style) != 0;
}

Qt::WindowFlags WindowFlagsOf(const res::DialogTemplate& dialog)
{
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint;
    if (Has(dialog, res::kDlgCaption)) flags |= Qt::WindowTitleHint;
    if (Has(dialog, res::kDlgSysMenu)) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (Has(dialog, res::kDlgMinimizeBox)) flags |= Qt::WindowMinimizeButtonHint;
    // A system-modal dialog stays above every other window.
    if (Has(dialog, res::kDlgSystemModal)) flags |= Qt::WindowStaysOnTopHint;
    return flags;
}

} // namespace

CDialog::CDialog(int templateId)
    : m_template(res::FindDialogTemplate(templateId))
{
}

CDialog::~CDialog() = default;

bool CDialog::BuildWindow()
{
    if (m_template == nullptr) return false;
    m_ended = false;
    m_window = std::make_unique<DialogWindow>(*this);
    DialogWindow& window = *m_window;
    window.setWindowFlags(WindowFlagsOf(*m_template));
    window.setWindowTitle(FromUtf8(m_template->caption));
    window.setWindowIcon(AppIcon());
    window.setFont(DialogFont(m_template->fontName, m_template->pointSize));
    m_units = BaseUnitsOf(window.font());

    const QRect frame = MapDialogRect(m_template->rect, m_units);
    window.setFixedSize(frame.size());
    if (!Has(*m_template, res::kDlgCentered)) window.move(frame.topLeft());

    m_controls.clear();
    for (const BuiltControl& control : BuildControls(*m_template, window, m_units)) {
        if (control.data->id == res::kNoId) continue;
        m_controls.emplace(control.data->id, control.widget);
        if (auto* button = qobject_cast<QPushButton*>(control.widget)) {
            const int command = control.data->id;
            QObject::connect(button, &QPushButton::clicked, &window, [this, command] { SendCommand(command); });
        }
    }
    return true;
}

void CDialog::ReleaseWindow()
{
    m_controls.clear();
    m_window.reset();
}

int CDialog::DoModal()
{
    if (!BuildWindow()) return kDialogFailed;
    m_window->setWindowModality(Qt::ApplicationModal);
    if (OnInitDialog()) FocusFirstTabStop();
    // OnInitDialog may already have ended the dialog.
    // Our own loop rather than QDialog::exec, which ends as soon as the window
    // is hidden: the report dialog hides itself for the pick and stays open.
    if (!m_ended) {
        QEventLoop loop;
        QObject::connect(m_window.get(), &QDialog::finished, &loop, &QEventLoop::quit);
        m_window->show();
        loop.exec(QEventLoop::DialogExec);
    }
    ReleaseWindow();
    return m_ended ? m_endResult : IDCANCEL;
}

bool CDialog::Create()
{
    if (!BuildWindow()) return false;
    if (Has(*m_template, res::kDlgVisible)) m_window->show();
    if (OnInitDialog()) FocusFirstTabStop();
    return !m_ended;
}

void CDialog::DestroyWindow()
{
    if (m_window) m_window->hide();
    ReleaseWindow();
}

bool CDialog::UpdateData(DataDirection direction)
{
    if (!m_window) return false;
    CDataExchange dx(*this, direction);
    DoDataExchange(dx);
    return !dx.Failed();
}

void CDialog::EndDialog(int result)
{
    m_ended = true;
    m_endResult = result;
    if (m_window) m_window->Finish(result);
}

void CDialog::ShowWindow(ShowCommand command)
{
    if (!m_window) return;
    m_window->setVisible(command == ShowCommand::Show);
}

QWidget* CDialog::GetDlgItem(int controlId) const
{
    const auto found = m_controls.find(controlId);
    return found == m_controls.end() ? nullptr : found->second.data();
}

QDialog* CDialog::Window() const
{
    return m_window.get();
}

void CDialog::SendCommand(int command)
{
    const auto handler = m_handlers.find(command);
    if (handler != m_handlers.end()) {
        handler->second();
        return;
    }
    switch (command) {
    case IDOK: OnOK(); break;
    case IDCANCEL: OnCancel(); break;
    case ID_HELP: OnHelp(); break;
    default: break;
    }
}

void CDialog::SendSysCommand(int command)
{
    OnSysCommand(command);
}

bool CDialog::OnInitDialog()
{
    UpdateData(DataDirection::ToControls);
    return true;
}

void CDialog::DoDataExchange(CDataExchange&) {}

void CDialog::OnOK()
{
    if (!UpdateData(DataDirection::FromControls)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::OnHelp() {}

void CDialog::OnSysCommand(int) {}

void CDialog::OnCommand(int command, std::function<void()> handler)
{
    m_handlers[command] = std::move(handler);
}

void CDialog::AppendSystemMenu(int command, const QString& text)
{
    m_systemMenu.push_back(MenuEntry{command, text});
}

void CDialog::FocusFirstTabStop()
{
    if (!m_template) return;
    for (const res::ControlTemplate& control : m_template->controls) {
        if ((control.style & res::kStyleTabStop) == 0) continue;
        QWidget* widget = GetDlgItem(control.id);
        if (widget != nullptr && widget->isEnabled()) {
            widget->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void CDialog::ShowSystemMenu(const QPoint& globalPos)
{
    if (m_systemMenu.empty() || !m_window) return;
    QMenu menu(m_window.get());
    for (const MenuEntry& entry : m_systemMenu) {
        if (entry.text.isEmpty()) {
            menu.addSeparator();
            continue;
        }
        const int command = entry.command;
        menu.addAction(entry.text, [this, command] { SendSysCommand(command); });
    }
    menu.exec(globalPos);
}

} // namespace qx::ui
