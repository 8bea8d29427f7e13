#include "platform/qt/dialogs/data_exchange.h"

#include "platform/qt/dialogs/edit_input_rule.h"
#include "platform/qt/dialogs/message_box.h"
#include "platform/qt/common/qt_text.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

namespace qx::ui {

namespace {

// The platform's validation message for a text that is too long.
constexpr std::string_view kTooManyCharacters = "Tapez %1 caractères au maximum.";

// The radio buttons of the group that starts at `controlId`, in template
// order: up to the next control that starts a group or is no radio button.
std::vector<QAbstractButton*> RadioGroup(const CDialog& dialog, int controlId)
{
    std::vector<QAbstractButton*> buttons;
    const res::DialogTemplate* dialogTemplate = dialog.Template();
    if (dialogTemplate == nullptr) return buttons;
    bool inGroup = false;
    for (const res::ControlTemplate& control : dialogTemplate->controls) {
        if (!inGroup) {
            inGroup = control.id == controlId;
        } else if (control.kind != res::ControlKind::AutoRadioButton || (control.style & res::kStyleGroup) != 0) {
            break;
        }
        if (!inGroup) continue;
        if (auto* button = qobject_cast<QRadioButton*>(dialog.GetDlgItem(control.id))) buttons.push_back(button);
    }
    return buttons;
}

void SetChecked(const std::vector<QAbstractButton*>& buttons, int index)
{
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        QAbstractButton* button = buttons[i];
        const bool checked = static_cast<int>(i) == index;
        if (checked == button->isChecked()) continue;
        // An exclusive group would refuse to leave all its buttons unchecked.
        QButtonGroup* group = button->group();
        const bool exclusive = group != nullptr && group->exclusive();
        if (exclusive) group->setExclusive(false);
        button->setChecked(checked);
        if (exclusive) group->setExclusive(true);
    }
}

} // namespace

CDataExchange::CDataExchange(CDialog& dialog, DataDirection direction)
    : m_bSaveAndValidate(direction == DataDirection::FromControls)
    , m_dialog(dialog)
{
}

QWidget* CDataExchange::PrepareCtrl(int controlId)
{
    m_lastControl = m_dialog.GetDlgItem(controlId);
    return m_lastControl;
}

void CDataExchange::Fail()
{
    m_failed = true;
    if (m_lastControl == nullptr) return;
    m_lastControl->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(m_lastControl)) edit->selectAll();
    if (auto* edit = qobject_cast<QPlainTextEdit*>(m_lastControl)) edit->selectAll();
}

void DDX_Text(CDataExchange& dx, int controlId, std::string& value)
{
    if (dx.Failed()) return;
    QWidget* control = dx.PrepareCtrl(controlId);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        if (dx.m_bSaveAndValidate) {
            value = FromQString(edit->text());
        } else {
            edit->setText(ToQString(value));
            edit->setCursorPosition(0);
        }
    } else if (auto* edit = qobject_cast<QPlainTextEdit*>(control)) {
        if (dx.m_bSaveAndValidate) {
            value = FromQStringLines(edit->toPlainText());
        } else {
            edit->setPlainText(ToQStringLines(value));
        }
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        if (dx.m_bSaveAndValidate) {
            value = FromQString(label->text());
        } else {
            label->setText(ToQString(value));
        }
    }
}

void DDX_Check(CDataExchange& dx, int controlId, int& value)
{
    if (dx.Failed()) return;
    auto* box = qobject_cast<QCheckBox*>(dx.PrepareCtrl(controlId));
    if (box == nullptr) return;
    if (dx.m_bSaveAndValidate) {
        value = box->isChecked() ? 1 : 0;
    } else {
        box->setChecked(value == 1);
    }
}

void DDX_Radio(CDataExchange& dx, int controlId, int& value)
{
    if (dx.Failed()) return;
    dx.PrepareCtrl(controlId);
    const std::vector<QAbstractButton*> buttons = RadioGroup(dx.m_dialog, controlId);
    if (dx.m_bSaveAndValidate) {
        value = -1;
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            if (buttons[i]->isChecked()) value = static_cast<int>(i);
        }
    } else {
        SetChecked(buttons, value);
    }
}

void DDV_MaxChars(CDataExchange& dx, const std::string& value, int maxChars)
{
    if (dx.Failed()) return;
    if (!dx.m_bSaveAndValidate) {
        if (auto* edit = qobject_cast<QLineEdit*>(dx.LastControl())) {
            if (auto* rule = qobject_cast<EditInputRule*>(const_cast<QValidator*>(edit->validator()))) {
                rule->SetMaxChars(maxChars);
            }
        }
        return;
    }
    if (value.size() <= static_cast<std::size_t>(maxChars)) return;
    ShowMessageBox(dx.m_dialog.Window(), FromUtf8(kTooManyCharacters).arg(maxChars), ApplicationCaption(),
                   BoxIcon::Exclamation);
    dx.Fail();
}

} // namespace qx::ui
