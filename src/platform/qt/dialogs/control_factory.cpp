#include "platform/qt/dialogs/control_factory.h"

#include "platform/qt/dialogs/app_icon_image.h"
#include "platform/qt/dialogs/edit_input_rule.h"
#include "platform/qt/dialogs/group_frame.h"
#include "platform/qt/dialogs/typed_text_edit.h"
#include "platform/qt/common/qt_text.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

namespace qx::ui {

namespace {

using res::ControlKind;

constexpr int kProgressMaximum = 100;

bool Has(const res::ControlTemplate& control, std::uint32_t style)
{
    return (control.style & style) != 0;
}

Qt::Alignment TextAlignment(const res::ControlTemplate& control)
{
    if (Has(control, res::kStyleCenter)) return Qt::AlignHCenter | Qt::AlignTop;
    if (Has(control, res::kStyleRight)) return Qt::AlignRight | Qt::AlignTop;
    return Qt::AlignLeft | Qt::AlignTop;
}

QWidget* MakeStaticText(const res::ControlTemplate& control, QWidget& parent, const QRect& area)
{
    auto* label = new QLabel(FromUtf8(control.text), &parent);
    label->setAlignment(TextAlignment(control));
    label->setTextFormat(Qt::PlainText);
    // A static text breaks its lines at blanks when its box holds more than
    // one line; a one-line box keeps every word on the line.
    label->setWordWrap(area.height() >= 2 * label->fontMetrics().height());
    return label;
}

QWidget* MakeIcon(QWidget& parent)
{
    // An icon control shows the icon at its own size from the rectangle's
    // top left corner.
    auto* label = new QLabel(&parent);
    label->setPixmap(QPixmap::fromImage(AppIconImage()));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QWidget* MakeGroupBox(const res::ControlTemplate& control, QWidget& parent)
{
    return new GroupFrame(FromUtf8(control.text), Has(control, res::kStyleCenter) ? Qt::AlignHCenter : Qt::AlignLeft,
                          &parent);
}

// A text of the dialog font may be wider than the face the template was
// drawn for: a one-line label, check box or radio button then grows to its
// text's width inside the dialog (to the right, both ways when centred, to
// the left when right-aligned), so that no text is cut. Its place and every
// other control stay as the template says.
QRect FitText(const res::ControlTemplate& control, const QWidget& widget, QRect area, const QRect& client)
{
    if (const auto* label = qobject_cast<const QLabel*>(&widget); label != nullptr && label->wordWrap()) return area;
    const int needed = widget.sizeHint().width();
    if (needed <= area.width()) return area;
    const int extra = needed - area.width();
    if (Has(control, res::kStyleCenter)) {
        area.adjust(-extra / 2, 0, extra - extra / 2, 0);
    } else if (Has(control, res::kStyleRight)) {
        area.setLeft(area.left() - extra);
    } else {
        area.setRight(area.right() + extra);
    }
    if (area.right() > client.right()) area.moveRight(client.right());
    if (area.left() < client.left()) area.moveLeft(client.left());
    return area.intersected(client);
}

bool IsText(ControlKind kind)
{
    return kind == ControlKind::StaticText || kind == ControlKind::AutoCheckBox ||
           kind == ControlKind::AutoRadioButton;
}

QWidget* MakePushButton(const res::ControlTemplate& control, QWidget& parent)
{
    auto* button = new QPushButton(FromUtf8(control.text), &parent);
    button->setDefault(control.kind == ControlKind::DefPushButton);
    return button;
}

QWidget* MakeEdit(const res::ControlTemplate& control, QWidget& parent)
{
    if (Has(control, res::kStyleMultiline)) {
        auto* edit = new TypedTextEdit(&parent);
        edit->setReadOnly(Has(control, res::kStyleReadOnly));
        edit->setTabChangesFocus(true);
        edit->setLineWrapMode(Has(control, res::kStyleHScroll) ? QPlainTextEdit::NoWrap
                                                               : QPlainTextEdit::WidgetWidth);
        edit->setVerticalScrollBarPolicy(Has(control, res::kStyleVScroll) ? Qt::ScrollBarAlwaysOn
                                                                          : Qt::ScrollBarAlwaysOff);
        edit->setHorizontalScrollBarPolicy(Has(control, res::kStyleHScroll) ? Qt::ScrollBarAlwaysOn
                                                                            : Qt::ScrollBarAlwaysOff);
        return edit;
    }
    auto* edit = new QLineEdit(&parent);
    edit->setReadOnly(Has(control, res::kStyleReadOnly));
    edit->setValidator(new EditInputRule(
        *edit, Has(control, res::kStyleNumber) ? EditCharacters::DigitsOnly : EditCharacters::Any));
    return edit;
}

QWidget* MakeProgressBar(QWidget& parent)
{
    auto* bar = new QProgressBar(&parent);
    bar->setRange(0, kProgressMaximum);
    bar->setValue(0);
    bar->setTextVisible(false);
    return bar;
}

bool TakesFocus(const res::ControlTemplate& control)
{
    switch (control.kind) {
    case ControlKind::Icon:
    case ControlKind::StaticText:
    case ControlKind::GroupBox:
    case ControlKind::ProgressBar:
        return false;
    default:
        return true;
    }
}

} // namespace

std::vector<BuiltControl> BuildControls(const res::DialogTemplate& dialog, QWidget& parent, BaseUnits units)
{
    std::vector<BuiltControl> built;
    QButtonGroup* radioGroup = nullptr;
    QWidget* previousTabStop = nullptr;

    for (const res::ControlTemplate& control : dialog.controls) {
        const QRect area = MapDialogRect(control.rect, units);
        QWidget* widget = nullptr;
        switch (control.kind) {
        case ControlKind::Icon: widget = MakeIcon(parent); break;
        case ControlKind::StaticText: widget = MakeStaticText(control, parent, area); break;
        case ControlKind::GroupBox: widget = MakeGroupBox(control, parent); break;
        case ControlKind::PushButton:
        case ControlKind::DefPushButton: widget = MakePushButton(control, parent); break;
        case ControlKind::AutoCheckBox: widget = new QCheckBox(FromUtf8(control.text), &parent); break;
        case ControlKind::AutoRadioButton: widget = new QRadioButton(FromUtf8(control.text), &parent); break;
        case ControlKind::Edit: widget = MakeEdit(control, parent); break;
        case ControlKind::ListBox: widget = new QListWidget(&parent); break;
        case ControlKind::ProgressBar: widget = MakeProgressBar(parent); break;
        }

        if (control.kind == ControlKind::AutoRadioButton) {
            if (radioGroup == nullptr || Has(control, res::kStyleGroup)) radioGroup = new QButtonGroup(&parent);
            radioGroup->addButton(static_cast<QRadioButton*>(widget));
        } else {
            radioGroup = nullptr;
        }

        const QRect client = MapDialogRect(res::DialogRect{0, 0, dialog.rect.cx, dialog.rect.cy}, units);
        widget->setGeometry(IsText(control.kind) ? FitText(control, *widget, area, client) : area);
        // A group box frames the controls inside it: it stays beneath them.
        if (control.kind == ControlKind::GroupBox) widget->lower();
        widget->setEnabled(!Has(control, res::kStyleDisabled));
        if (!TakesFocus(control)) {
            widget->setFocusPolicy(Qt::NoFocus);
        } else if (Has(control, res::kStyleTabStop)) {
            widget->setFocusPolicy(Qt::StrongFocus);
            if (previousTabStop != nullptr) QWidget::setTabOrder(previousTabStop, widget);
            previousTabStop = widget;
        } else {
            widget->setFocusPolicy(Qt::ClickFocus);
        }
        built.push_back(BuiltControl{&control, widget});
    }
    return built;
}

} // namespace qx::ui
