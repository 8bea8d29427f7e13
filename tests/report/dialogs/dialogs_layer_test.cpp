// The dialog layer on the program's templates, on Qt's offscreen platform:
// every control made from its template with its id, kind, text and
// geometry; data exchange both ways; the typing limits and their message.

#include "platform/qt/dialogs/data_exchange.h"
#include "platform/qt/dialogs/dialog.h"
#include "platform/qt/dialogs/dialog_units.h"
#include "platform/qt/dialogs/group_frame.h"
#include "platform/qt/common/qt_text.h"
#include "report/dialogs/qt/identity_dlg.h"
#include "resources/dialog_ids.h"
#include "support/modal_driver.h"
#include "text/cp1252.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace qx::ui {
namespace {

using res::ControlKind;

constexpr int kAllDialogs[] = {res::kDialogAbout,       res::kDialogReport,   res::kDialogIdentity,
                               res::kDialogStartNotice, res::kDialogProgress, res::kDialogMailNotice,
                               res::kDialogBusy,        res::kDialogCaptureNotice};

// A dialog with no data of its own: what the template alone gives.
class TemplateDialog final : public CDialog {
public:
    explicit TemplateDialog(int id) : CDialog(id) {}
};

// The widget of a control: by id, or for a control without id by its kind
// and text.
QWidget* ControlWidget(const CDialog& dialog, const res::ControlTemplate& control)
{
    if (control.id != res::kNoId) return dialog.GetDlgItem(control.id);
    const QString text = FromUtf8(control.text);
    for (QWidget* child : dialog.Window()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (control.kind == ControlKind::GroupBox) {
            if (auto* frame = qobject_cast<GroupFrame*>(child); frame && frame->Title() == text) return frame;
        } else if (auto* label = qobject_cast<QLabel*>(child)) {
            const bool icon = control.kind == ControlKind::Icon;
            if (icon ? !label->pixmap().isNull() : label->text() == text) return label;
        }
    }
    return nullptr;
}

bool IsText(ControlKind kind)
{
    return kind == ControlKind::StaticText || kind == ControlKind::AutoCheckBox ||
           kind == ControlKind::AutoRadioButton;
}

void ExpectKindAndText(const res::ControlTemplate& control, QWidget* widget, const std::string& where)
{
    const QString text = FromUtf8(control.text);
    const bool has = [&](std::uint32_t style) { return (control.style & style) != 0; }(res::kStyleDisabled);
    EXPECT_EQ(widget->isEnabled(), !has) << where;
    switch (control.kind) {
    case ControlKind::Icon:
        ASSERT_NE(qobject_cast<QLabel*>(widget), nullptr) << where;
        EXPECT_EQ(qobject_cast<QLabel*>(widget)->pixmap().size(), QSize(32, 32)) << where;
        break;
    case ControlKind::StaticText:
        ASSERT_NE(qobject_cast<QLabel*>(widget), nullptr) << where;
        EXPECT_EQ(qobject_cast<QLabel*>(widget)->text(), text) << where;
        break;
    case ControlKind::GroupBox:
        ASSERT_NE(qobject_cast<GroupFrame*>(widget), nullptr) << where;
        break;
    case ControlKind::PushButton:
    case ControlKind::DefPushButton: {
        auto* button = qobject_cast<QPushButton*>(widget);
        ASSERT_NE(button, nullptr) << where;
        EXPECT_EQ(button->text(), text) << where;
        EXPECT_EQ(button->isDefault(), control.kind == ControlKind::DefPushButton) << where;
        break;
    }
    case ControlKind::AutoCheckBox:
        ASSERT_NE(qobject_cast<QCheckBox*>(widget), nullptr) << where;
        EXPECT_EQ(qobject_cast<QCheckBox*>(widget)->text(), text) << where;
        break;
    case ControlKind::AutoRadioButton:
        ASSERT_NE(qobject_cast<QRadioButton*>(widget), nullptr) << where;
        EXPECT_EQ(qobject_cast<QRadioButton*>(widget)->text(), text) << where;
        break;
    case ControlKind::Edit:
        if ((control.style & res::kStyleMultiline) != 0) {
            auto* edit = qobject_cast<QPlainTextEdit*>(widget);
            ASSERT_NE(edit, nullptr) << where;
            EXPECT_EQ(edit->isReadOnly(), (control.style & res::kStyleReadOnly) != 0) << where;
        } else {
            auto* edit = qobject_cast<QLineEdit*>(widget);
            ASSERT_NE(edit, nullptr) << where;
            EXPECT_EQ(edit->isReadOnly(), (control.style & res::kStyleReadOnly) != 0) << where;
        }
        break;
    case ControlKind::ListBox: break;
    case ControlKind::ProgressBar: {
        auto* bar = qobject_cast<QProgressBar*>(widget);
        ASSERT_NE(bar, nullptr) << where;
        EXPECT_EQ(bar->minimum(), 0) << where;
        EXPECT_EQ(bar->maximum(), 100) << where;
        break;
    }
    }
}

TEST(DialogTemplates, EveryControlIsMadeAtItsPlaceWithItsKindAndText)
{
    for (int id : kAllDialogs) {
        TemplateDialog dialog(id);
        ASSERT_TRUE(dialog.Create()) << id;
        const res::DialogTemplate& data = *dialog.Template();
        const BaseUnits units = dialog.Units();
        EXPECT_GT(units.cx, 0);
        EXPECT_GT(units.cy, 0);
        EXPECT_EQ(dialog.Window()->size(), MapDialogRect(res::DialogRect{0, 0, data.rect.cx, data.rect.cy}, units).size())
            << id;
        EXPECT_EQ(dialog.Window()->windowTitle(), FromUtf8(data.caption)) << id;
        const QRect client = dialog.Window()->rect();

        for (const res::ControlTemplate& control : data.controls) {
            const std::string where = std::to_string(id) + " / " + std::to_string(control.id) + " " +
                                      std::string(control.text);
            QWidget* widget = ControlWidget(dialog, control);
            ASSERT_NE(widget, nullptr) << where;
            ExpectKindAndText(control, widget, where);

            const QRect area = MapDialogRect(control.rect, units);
            const QRect placed = widget->geometry();
            if (!IsText(control.kind)) {
                EXPECT_EQ(placed, area) << where;
                continue;
            }
            // A text keeps its line and grows only as far as its text needs.
            EXPECT_EQ(placed.top(), area.top()) << where;
            EXPECT_EQ(placed.height(), area.height()) << where;
            EXPECT_TRUE(client.contains(placed)) << where;
            EXPECT_GE(placed.width(), std::min(area.width(), client.width())) << where;
            const auto* label = qobject_cast<QLabel*>(widget);
            if (label != nullptr && label->wordWrap()) {
                EXPECT_LE(label->heightForWidth(placed.width()), placed.height()) << where << " (lines cut)";
            } else {
                EXPECT_LE(widget->sizeHint().width(), placed.width()) << where << " (text cut)";
            }
        }
        dialog.DestroyWindow();
    }
}

TEST(DialogTemplates, GroupBoxesFrameTheControlsInsideThem)
{
    TemplateDialog dialog(res::kDialogReport);
    ASSERT_TRUE(dialog.Create());
    const res::DialogTemplate& data = *dialog.Template();
    int framed = 0;
    for (const res::ControlTemplate& group : data.controls) {
        if (group.kind != ControlKind::GroupBox) continue;
        const QRect frame = ControlWidget(dialog, group)->geometry();
        const QRect groupArea(group.rect.x, group.rect.y, group.rect.cx, group.rect.cy);
        for (const res::ControlTemplate& control : data.controls) {
            const QRect area(control.rect.x, control.rect.y, control.rect.cx, control.rect.cy);
            if (&control == &group || !groupArea.contains(area)) continue;
            EXPECT_TRUE(frame.contains(ControlWidget(dialog, control)->geometry())) << control.text;
            // Controls lie above the frame, so it never takes their clicks.
            EXPECT_TRUE(ControlWidget(dialog, group)->testAttribute(Qt::WA_TransparentForMouseEvents));
            ++framed;
        }
    }
    EXPECT_EQ(framed, 18);
}

TEST(DialogUnits, ConvertWithTheFontsBaseUnitsCornerByCorner)
{
    const BaseUnits units{6, 13};
    struct Case {
        res::DialogRect rect;
        QRect pixels;
    };
    const Case cases[] = {
        {{0, 0, 418, 271}, QRect(0, 0, 627, 440)},
        {{134, 27, 17, 14}, QRect(201, 44, 26, 23)},
        {{7, 7, 21, 20}, QRect(11, 11, 31, 33)},
        {{1, 32, 184, 9}, QRect(2, 52, 276, 15)},
    };
    for (const Case& c : cases) EXPECT_EQ(MapDialogRect(c.rect, units), c.pixels) << c.rect.x << "," << c.rect.y;
    EXPECT_EQ(DialogUnitsToPixelsX(1, units), 2);  // 1.5 rounds up
    EXPECT_EQ(DialogUnitsToPixelsY(3, units), 5);  // 4.875
}

TEST(DataExchange, MovesTextsAccentsAndLineEndsBothWays)
{
    report::CIdentityDlg dialog;
    dialog.m_identity.m_strName = text::Utf8ToCp1252("Hélène Dûpont");
    dialog.m_identity.m_strCompany = text::Utf8ToCp1252("Société Générale");
    dialog.m_identity.m_strPostalCode = "75001";
    ASSERT_TRUE(dialog.Create());

    auto* name = qobject_cast<QLineEdit*>(dialog.GetDlgItem(res::kIdName));
    EXPECT_EQ(name->text(), QString::fromUtf8("Hélène Dûpont"));
    EXPECT_EQ(qobject_cast<QLineEdit*>(dialog.GetDlgItem(res::kIdCompany))->text(), QString::fromUtf8("Société Générale"));

    name->setText(QString::fromUtf8("Zoé Œuvre"));
    EXPECT_TRUE(dialog.UpdateData(DataDirection::FromControls));
    EXPECT_EQ(dialog.m_identity.m_strName, text::Utf8ToCp1252("Zoé Œuvre"));
    EXPECT_EQ(dialog.m_identity.m_strPostalCode, "75001");
    dialog.DestroyWindow();
}

// The report template's edits and radio groups, with data of its own.
class ReportFields final : public CDialog {
public:
    ReportFields() : CDialog(res::kDialogReport) {}
    std::string description;
    int reproducible = -1;
    int testMode = -1;

protected:
    void DoDataExchange(CDataExchange& dx) override
    {
        DDX_Text(dx, res::kIdDescription, description);
        DDX_Radio(dx, res::kIdTestMode16, testMode);
        DDX_Radio(dx, res::kIdReproducibleYes, reproducible);
    }
};

TEST(DataExchange, MultiLineEditsKeepTheProgramsLineEndsAndRadioGroupsTheirIndex)
{
    ReportFields dialog;
    dialog.description = "premier\r\nsecond\r\n";
    dialog.reproducible = 1;
    ASSERT_TRUE(dialog.Create());
    auto* edit = qobject_cast<QPlainTextEdit*>(dialog.GetDlgItem(res::kIdDescription));
    EXPECT_EQ(edit->toPlainText(), QStringLiteral("premier\nsecond\n"));
    EXPECT_TRUE(qobject_cast<QRadioButton*>(dialog.GetDlgItem(res::kIdReproducibleNo))->isChecked());
    for (int id : {res::kIdTestMode16, res::kIdTestMode32, res::kIdTestModeDontKnow}) {
        EXPECT_FALSE(qobject_cast<QRadioButton*>(dialog.GetDlgItem(id))->isChecked()) << id;
    }

    edit->setPlainText(QStringLiteral("a\nb"));
    qobject_cast<QRadioButton*>(dialog.GetDlgItem(res::kIdTestModeDontKnow))->setChecked(true);
    ASSERT_TRUE(dialog.UpdateData(DataDirection::FromControls));
    EXPECT_EQ(dialog.description, "a\r\nb");
    EXPECT_EQ(dialog.testMode, 2);
    // The two groups are apart: checking one leaves the other.
    EXPECT_EQ(dialog.reproducible, 1);

    // Back to none checked.
    dialog.reproducible = -1;
    dialog.UpdateData(DataDirection::ToControls);
    dialog.UpdateData(DataDirection::FromControls);
    EXPECT_EQ(dialog.reproducible, -1);
    dialog.DestroyWindow();
}

TEST(DataExchange, TypingLimitsRefuseWhatIsTooLongAndLettersInThePostalCode)
{
    report::CIdentityDlg dialog;
    ASSERT_TRUE(dialog.Create());
    auto* postal = qobject_cast<QLineEdit*>(dialog.GetDlgItem(res::kIdPostalCode));
    auto* serial = qobject_cast<QLineEdit*>(dialog.GetDlgItem(res::kIdSerial));
    auto* town = qobject_cast<QLineEdit*>(dialog.GetDlgItem(res::kIdTown));
    QTest::keyClicks(postal, QStringLiteral("12a34567"));
    QTest::keyClicks(serial, QStringLiteral("ABCDEFGH"));
    QTest::keyClicks(town, QStringLiteral("Saint-Remy-de-Provence"));
    EXPECT_EQ(postal->text(), QStringLiteral("12345"));
    EXPECT_EQ(serial->text(), QStringLiteral("ABCDEF"));
    EXPECT_EQ(town->text(), QStringLiteral("Saint-Remy-de-Provence"));
    dialog.DestroyWindow();
}

// Types `text` into `widget` a character at a time, as a keyboard layout
// that has them gives them (QTest::keyClicks knows ASCII only).
void Type(QWidget* widget, const QString& text)
{
    for (const char32_t codePoint : text.toUcs4()) {
        const QString character = QString::fromUcs4(&codePoint, 1);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, character);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, character);
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
}

// Characters Windows-1252 cannot hold are shown as they will be sent, in
// one-line and multi-line edits alike, however they come in.
TEST(DataExchange, WhatIsTypedOrPastedShowsAsItWillBeSent)
{
    report::CIdentityDlg dialog;
    ASSERT_TRUE(dialog.Create());
    auto* name = qobject_cast<QLineEdit*>(dialog.GetDlgItem(res::kIdName));
    Type(name, QString::fromUtf8("Łukasz → Kraków…"));
    EXPECT_EQ(name->text(), QString::fromUtf8("Lukasz -> Kraków…"));
    EXPECT_EQ(name->cursorPosition(), name->text().size());
    // Typed in the middle, the cursor stays after what was put in.
    name->setCursorPosition(6);
    Type(name, QString::fromUtf8("中"));
    EXPECT_EQ(name->text(), QString::fromUtf8("Lukasz? -> Kraków…"));
    EXPECT_EQ(name->cursorPosition(), 7);

    auto* company = qobject_cast<QLineEdit*>(dialog.GetDlgItem(res::kIdCompany));
    QApplication::clipboard()->setText(QString::fromUtf8("Gdańsk e\u0301t\u00E9 ﬁn"));
    company->paste();
    EXPECT_EQ(company->text(), QString::fromUtf8("Gdansk été fin"));

    // The typing limit counts the fitted text: "→" takes two of the six.
    auto* serial = qobject_cast<QLineEdit*>(dialog.GetDlgItem(res::kIdSerial));
    Type(serial, QString::fromUtf8("ABCD→→"));
    EXPECT_EQ(serial->text(), QStringLiteral("ABCD->"));

    ASSERT_TRUE(dialog.UpdateData(DataDirection::FromControls));
    EXPECT_EQ(dialog.m_identity.m_strName, FromQString(name->text()));
    EXPECT_EQ(dialog.m_identity.m_strName, "Lukasz? -> Krak\xF3w\x85");
    EXPECT_EQ(dialog.m_identity.m_strCompany, "Gdansk \xE9t\xE9 fin");
    EXPECT_EQ(dialog.m_identity.m_strSerial, "ABCD->");
    dialog.DestroyWindow();

    ReportFields report;
    ASSERT_TRUE(report.Create());
    auto* description = qobject_cast<QPlainTextEdit*>(report.GetDlgItem(res::kIdDescription));
    Type(description, QString::fromUtf8("a→b"));
    QTest::keyClick(description, Qt::Key_Return);
    QApplication::clipboard()->setText(QString::fromUtf8("ł\n中…"));
    description->paste();
    EXPECT_EQ(description->toPlainText(), QString::fromUtf8("a->b\nl\n?…"));
    EXPECT_EQ(description->textCursor().position(), description->toPlainText().size());
    ASSERT_TRUE(report.UpdateData(DataDirection::FromControls));
    EXPECT_EQ(report.description, "a->b\r\nl\r\n?\x85");
    report.DestroyWindow();
}

TEST(DataExchange, AStoredValueOverTheLimitShowsInFullAndFailsValidationWithItsMessage)
{
    report::CIdentityDlg dialog;
    dialog.m_identity.m_strPostalCode = "1234567";
    dialog.m_identity.m_strSerial = "ABCDEFGH";
    ASSERT_TRUE(dialog.Create());
    auto* postal = qobject_cast<QLineEdit*>(dialog.GetDlgItem(res::kIdPostalCode));
    EXPECT_EQ(postal->text(), QStringLiteral("1234567"));
    // Nothing can be added to it, but it can be shortened.
    QTest::keyClick(postal, Qt::Key_End);
    QTest::keyClick(postal, Qt::Key_8);
    EXPECT_EQ(postal->text(), QStringLiteral("1234567"));

    QString message;
    QString caption;
    test::OnNextModal([&](QWidget* box) {
        message = qobject_cast<QMessageBox*>(box)->text();
        caption = box->windowTitle();
        qobject_cast<QMessageBox*>(box)->accept();
    });
    EXPECT_FALSE(dialog.UpdateData(DataDirection::FromControls));
    // One failure per transfer: the postal code's, not the serial's.
    EXPECT_EQ(message, QString::fromUtf8("Tapez 5 caractères au maximum."));
    EXPECT_FALSE(caption.isEmpty());
    EXPECT_EQ(postal->selectedText(), QStringLiteral("1234567"));

    QTest::keyClick(postal, Qt::Key_Backspace);
    QTest::keyClicks(postal, QStringLiteral("75001"));
    test::OnNextModal([&](QWidget* box) {
        message = qobject_cast<QMessageBox*>(box)->text();
        qobject_cast<QMessageBox*>(box)->accept();
    });
    EXPECT_FALSE(dialog.UpdateData(DataDirection::FromControls));
    EXPECT_EQ(message, QString::fromUtf8("Tapez 6 caractères au maximum."));
    EXPECT_EQ(dialog.m_identity.m_strPostalCode, "75001");
    dialog.DestroyWindow();
}

TEST(Dialog, RunsModallyUntilOkOrCancelAndRoutesButtonsByCommand)
{
    struct Case {
        std::function<void(QWidget*)> close;
        int result;
    };
    const Case cases[] = {
        {[](QWidget* w) { w->findChild<QPushButton*>()->click(); }, IDOK},
        {[](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); }, IDCANCEL},
        {[](QWidget* w) { w->close(); }, IDCANCEL},
        {[](QWidget* w) { QTest::keyClick(w, Qt::Key_Return); }, IDOK},
    };
    for (const Case& c : cases) {
        TemplateDialog dialog(res::kDialogAbout);
        test::OnNextModal(c.close);
        EXPECT_EQ(dialog.DoModal(), c.result);
        EXPECT_EQ(dialog.Window(), nullptr);
    }
    TemplateDialog missing(4242);
    EXPECT_EQ(missing.DoModal(), kDialogFailed);
}

TEST(Dialog, TheFirstTabStopHasTheFocusAndTabFollowsTheTemplate)
{
    report::CIdentityDlg dialog;
    test::OnNextModal([&](QWidget* window) {
        EXPECT_EQ(window->focusWidget(), dialog.GetDlgItem(res::kIdName));
        const int order[] = {res::kIdName,   res::kIdCompany, res::kIdAddress, res::kIdPostalCode,
                             res::kIdTown,   res::kIdEmail,   res::kIdPhone,   res::kIdFax,
                             res::kIdSerial, res::kIdOk,      res::kIdCancel};
        for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
            EXPECT_EQ(dialog.GetDlgItem(order[i])->nextInFocusChain(), dialog.GetDlgItem(order[i + 1])) << order[i];
        }
        qobject_cast<QDialog*>(window)->reject();
    });
    dialog.DoModal();
}

} // namespace
} // namespace qx::ui
