// The report dialog and the dialogs it opens, on Qt's offscreen platform.

#include "config/keys.h"
#include "platform/qt/common/owner_widget.h"
#include "platform/qt/common/qt_text.h"
#include "platform/qt/printer/printer_dialog.h"
#include "print/print_command.h"
#include "report/dialogs/qt/report_dlg.h"
#include "report/email/email_command.h"
#include "resources/dialog_ids.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "support/modal_driver.h"
#include "support/scratch_dir.h"
#include "text/cp1252.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace qx::report {
namespace {

const std::string kInstallDir = "/opt/orvane/";

class FakeApplication final : public ReportApplication {
public:
    bool checkResult = true;
    IncidentPoint point{120, 80};
    Bitmap image = MakeBitmap(64, 48, 32);
    std::function<void()> duringCheck;
    std::function<void()> duringPick;
    int checks = 0;
    int picks = 0;

    Bitmap& ScreenImage() override { return image; }
    IncidentPoint PickIncidentPoint() override
    {
        ++picks;
        if (duringPick) duringPick();
        return point;
    }
    bool CheckInstallation(std::string& installDir) override
    {
        ++checks;
        if (duringCheck) duringCheck();
        if (checkResult) installDir = kInstallDir;
        return checkResult;
    }
};

// Records each step with the progress bar's position when it ran, and
// fills the record as the real steps would.
class RecordingSteps final : public ReportOpeningSteps {
public:
    std::function<int()> progress;
    std::vector<std::pair<std::string, int>> calls;

    void FormatWindowsVersion(std::string& text) override
    {
        Note("version");
        text = "Linux 6.1.0";
    }
    void CollectDll16(const std::string& installDir, CReportRecord& record) override
    {
        Note("dll16 " + installDir);
        record.m_strDll16 = "Aucune";
        record.m_strLoadedDlls = text::Utf8ToCp1252("DLL 16 bits chargées :\r\nAucune\r\n");
    }
    void CollectModules32(CReportRecord& record) override
    {
        Note("modules32");
        record.m_strLoadedDlls += text::Utf8ToCp1252("Modules 32 bits chargés :\r\nAucun");
    }
    void ListProductFiles(const std::string& directory, const std::string& mask, std::string& out) override
    {
        Note("files " + directory + mask);
        out += "ORVANE55.EXE 5.50\r\n";
    }
    void LoadProductCodes(CReportRecord& record) override
    {
        Note("codes");
        record.m_mapProductCodes["ORVANE55.EXE"] = "O5";
    }

private:
    void Note(std::string step) { calls.emplace_back(std::move(step), progress ? progress() : -1); }
};

class RecordingCommand final : public ReportCommand {
public:
    std::function<void(ReportCommandHost&)> action;
    std::vector<CReportRecord> seen;

    void Run(ReportCommandHost& host) override
    {
        seen.push_back(host.Record());
        if (action) action(host);
    }
};

class ReportDialogTest : public ::testing::Test {
protected:
    ReportDialogTest()
        : profile(scratch.Path())
    {
        steps.progress = [this] { return dialog.Progress() ? dialog.Progress()->Position() : -1; };
    }

    // Runs the dialog; `whileOpen` acts on it, then it is closed with "&Fermer".
    int Run(std::function<void()> whileOpen)
    {
        test::OnNextModal([this, whileOpen](QWidget*) {
            if (whileOpen) whileOpen();
            Button(ui::IDCANCEL)->click();
        });
        return dialog.DoModal();
    }

    QPushButton* Button(int id) { return qobject_cast<QPushButton*>(dialog.GetDlgItem(id)); }
    QLineEdit* Line(int id) { return qobject_cast<QLineEdit*>(dialog.GetDlgItem(id)); }
    QPlainTextEdit* Box(int id) { return qobject_cast<QPlainTextEdit*>(dialog.GetDlgItem(id)); }
    QRadioButton* Radio(int id) { return qobject_cast<QRadioButton*>(dialog.GetDlgItem(id)); }

    // Clicks `id`, which opens a modal window; `inside` acts on that window.
    void ClickIntoModal(int id, std::function<void(QWidget*)> inside)
    {
        test::OnNextModal(std::move(inside), dialog.Window());
        Button(id)->click();
    }

    test::ScratchDir scratch;
    config::Profile profile;
    FakeApplication application;
    RecordingSteps steps;
    RecordingCommand print;
    RecordingCommand email;
    bool helpOpens = false;
    int helpCalls = 0;
    CReportDlg dialog{ReportDialogServices{profile, application, steps, ReportCommands{&print, &email}, [this] {
                                               ++helpCalls;
                                               return helpOpens;
                                           }}};
};

TEST_F(ReportDialogTest, OpeningRunsTheStepsInOrderBehindTheProgressWindow)
{
    bool progressShownDuringCheck = true;
    int positionDuringCheck = 0;
    application.duringCheck = [&] {
        progressShownDuringCheck = dialog.Progress()->Window()->isVisible();
        positionDuringCheck = dialog.Progress()->Position();
    };
    Run([&] {
        EXPECT_EQ(dialog.Progress(), nullptr);
        EXPECT_EQ(Line(res::kIdWindowsVersion)->text(), QStringLiteral("Linux 6.1.0"));
        EXPECT_EQ(Box(res::kIdLoadedDlls)->toPlainText(),
                  QString::fromUtf8("DLL 16 bits chargées :\nAucune\nModules 32 bits chargés :\nAucun"));
        EXPECT_TRUE(Line(res::kIdName)->text().isEmpty());
        EXPECT_TRUE(Radio(res::kIdReproducibleDontKnow)->isChecked());
        EXPECT_TRUE(Radio(res::kIdTestModeDontKnow)->isChecked());
    });

    EXPECT_FALSE(progressShownDuringCheck);
    EXPECT_EQ(positionDuringCheck, 10);
    const std::vector<std::pair<std::string, int>> expected = {
        {"version", 20},
        {"dll16 " + kInstallDir, 30},
        {"modules32", 40},
        {"files " + kInstallDir + "*.exe", 50},
        {"files " + kInstallDir + "*.dll", 60},
        {"codes", 80},
    };
    EXPECT_EQ(steps.calls, expected);
    EXPECT_EQ(dialog.Record().m_strExeOnDisk, "ORVANE55.EXE 5.50\r\n");
    EXPECT_EQ(dialog.Record().m_strDllOnDisk, "ORVANE55.EXE 5.50\r\n");
    EXPECT_EQ(dialog.Record().m_mapProductCodes.at("ORVANE55.EXE"), "O5");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ReportDialogTest, AFailedCheckClosesTheDialogBeforeItIsUsable)
{
    application.checkResult = false;
    EXPECT_EQ(dialog.DoModal(), ui::IDCANCEL);
    EXPECT_EQ(application.checks, 1);
    EXPECT_TRUE(steps.calls.empty());
    EXPECT_EQ(dialog.Progress(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ReportDialogTest, TheStoredIdentityIsShownAndTheNameBoxCannotBeEdited)
{
    profile.Write(config::kSectionQxBeta, config::kKeyName, text::Utf8ToCp1252("Émile Zola"));
    profile.Write(config::kSectionQxBeta, config::kKeySerial, "XY123");
    Run([&] {
        QLineEdit* name = Line(res::kIdName);
        EXPECT_EQ(name->text(), QString::fromUtf8("Émile Zola"));
        EXPECT_TRUE(name->isReadOnly());
        EXPECT_FALSE(name->isEnabled());
        EXPECT_FALSE(Line(res::kIdWindowsVersion)->isEnabled());
        EXPECT_TRUE(Box(res::kIdLoadedDlls)->isReadOnly());
    });
    EXPECT_EQ(dialog.Record().m_identity.m_strSerial, "XY123");
    EXPECT_EQ(dialog.Record().m_nReproducible, 2);
    EXPECT_EQ(dialog.Record().m_nTestMode, 2);
}

TEST_F(ReportDialogTest, IdentityCancelLeavesTheRecordAndTheTextsAsTheyWere)
{
    profile.Write(config::kSectionQxBeta, config::kKeyName, "Dupont");
    Run([&] {
        Box(res::kIdDescription)->setPlainText(QStringLiteral("plantage"));
        ClickIntoModal(res::kIdIdentityButton, [](QWidget* identity) {
            auto* name = identity->findChildren<QLineEdit*>().front();
            name->setText(QStringLiteral("Martin"));
            QTest::keyClick(identity, Qt::Key_Escape);
        });
        EXPECT_EQ(Line(res::kIdName)->text(), QStringLiteral("Dupont"));
        EXPECT_EQ(Box(res::kIdDescription)->toPlainText(), QStringLiteral("plantage"));
        EXPECT_EQ(dialog.Record().m_strDescription, "plantage");
        EXPECT_EQ(dialog.Record().m_identity.m_strName, "Dupont");
    });
}

TEST_F(ReportDialogTest, IdentityOkShowsTheNewNameAtOnceAndClosingSavesNothing)
{
    Run([&] {
        ClickIntoModal(res::kIdIdentityButton, [](QWidget* identity) {
            EXPECT_TRUE(identity->windowTitle().startsWith(QString::fromUtf8("QXBêta - ")));
            const auto edits = identity->findChildren<QLineEdit*>();
            edits[0]->setText(QStringLiteral("Martin"));       // 1000, first in the template
            edits[8]->setText(QStringLiteral("SN42"));         // 1044
            for (auto* button : identity->findChildren<QPushButton*>()) {
                if (button->text() == QStringLiteral("&OK")) button->click();
            }
        });
        EXPECT_EQ(Line(res::kIdName)->text(), QStringLiteral("Martin"));
        EXPECT_EQ(dialog.Record().m_identity.m_strSerial, "SN42");
    });
    EXPECT_EQ(profile.Read(config::kSectionQxBeta, config::kKeyName, "missing"), "missing");
}

TEST_F(ReportDialogTest, PrintRunsItsCommandOnWhatWasTypedAndKeepsIt)
{
    print.action = [](ReportCommandHost& host) { host.SaveIdentity(); };
    Run([&] {
        Box(res::kIdSteps)->setPlainText(QStringLiteral("1. ouvrir\n2. fermer"));
        Radio(res::kIdTestMode32)->setChecked(true);
        Button(res::kIdPrintButton)->click();
        Button(res::kIdPrintButton)->click();
        EXPECT_EQ(Box(res::kIdSteps)->toPlainText(), QStringLiteral("1. ouvrir\n2. fermer"));
    });
    ASSERT_EQ(print.seen.size(), 2u);
    EXPECT_EQ(print.seen[0].m_strSteps, "1. ouvrir\r\n2. fermer");
    EXPECT_EQ(print.seen[0].m_nTestMode, 1);
    EXPECT_EQ(print.seen[0].m_nReproducible, 2);
    EXPECT_EQ(profile.Read(config::kSectionQxBeta, config::kKeyName, "missing"), "");
    EXPECT_TRUE(email.seen.empty());
}

TEST_F(ReportDialogTest, EmailRunsItsCommandWhichSavesTheIdentityItself)
{
    email.action = [](ReportCommandHost& host) { host.SaveIdentity(); };
    Run([&] {
        Box(res::kIdComments)->setPlainText(QStringLiteral("rien"));
        Button(res::kIdEmailButton)->click();
    });
    ASSERT_EQ(email.seen.size(), 1u);
    EXPECT_EQ(email.seen[0].m_strComments, "rien");
    EXPECT_EQ(profile.Read(config::kSectionQxBeta, config::kKeySerial, "missing"), "");
    EXPECT_TRUE(print.seen.empty());
}

TEST_F(ReportDialogTest, TheHostHidesTheDialogForThePickAndOffersTheBusyWindow)
{
    bool hiddenDuringPick = false;
    application.duringPick = [&] { hiddenDuringPick = !dialog.Window()->isVisible(); };
    IncidentPoint picked;
    bool busyShown = false;
    int imageWidth = 0;
    print.action = [&](ReportCommandHost& host) {
        picked = host.PickIncidentPoint();
        imageWidth = host.ScreenImage().width;
        host.OpenBusyWindow();
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->isVisible() && window->findChild<QLabel*>() &&
                window->findChild<QLabel*>()->text() == QStringLiteral("Traitement en cours...")) {
                busyShown = true;
            }
        }
        host.CloseBusyWindow();
        host.SetWaitCursor(WaitCursor::On);
        host.SetWaitCursor(WaitCursor::Off);
        EXPECT_EQ(platform::WidgetOf(host.DialogWindow()), dialog.Window());
    };
    Run([&] {
        Button(res::kIdPrintButton)->click();
        EXPECT_TRUE(dialog.Window()->isVisible());
    });
    EXPECT_TRUE(hiddenDuringPick);
    EXPECT_EQ(picked, (IncidentPoint{120, 80}));
    EXPECT_EQ(imageWidth, 64);
    EXPECT_TRUE(busyShown);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// The busy window (141) is up.
bool BusyWindowShown()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible()) continue;
        for (const QLabel* label : window->findChildren<QLabel*>()) {
            if (label->text() == QStringLiteral("Traitement en cours...")) return true;
        }
    }
    return false;
}

// What the tester sees when a command's message box is up.
struct SeenWithMessage {
    QString text;
    bool busyWindow = true;
    bool waitCursor = true;
};

// Reads and closes the next message box over the report dialog.
void OnNextMessage(SeenWithMessage& seen, QWidget* reportDialog)
{
    test::OnNextModal(
        [&seen](QWidget* box) {
            seen.text = qobject_cast<QMessageBox*>(box)->text();
            seen.busyWindow = BusyWindowShown();
            seen.waitCursor = QApplication::overrideCursor() != nullptr;
            qobject_cast<QMessageBox*>(box)->accept();
        },
        reportDialog);
}

QString TextOf(res::StringId id)
{
    return ui::ToQString(LoadResString(id)).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

TEST_F(ReportDialogTest, APrintJobThatCannotStartIsSaidOnceTheBusyWindowHasClosed)
{
    const std::unique_ptr<ReportCommand> command = print::MakePrintCommand();
    print.action = [&](ReportCommandHost& host) { command->Run(host); };
    // A PDF file in a folder that does not exist: the job cannot start.
    qputenv(platform::qt::kPrintToPdfVariable, QByteArray::fromStdString(scratch.File("absent/rapport.pdf")));
    SeenWithMessage seen;
    Run([&] {
        OnNextMessage(seen, dialog.Window());
        Button(res::kIdPrintButton)->click();
    });
    qunsetenv(platform::qt::kPrintToPdfVariable);
    EXPECT_EQ(seen.text, TextOf(res::kMsgPrintFailed));
    EXPECT_FALSE(seen.busyWindow);
    EXPECT_FALSE(seen.waitCursor);
    EXPECT_EQ(profile.Read(config::kSectionQxBeta, config::kKeyReportNumber, "missing"), "missing");
}

TEST_F(ReportDialogTest, AnArchiveThatCannotBeWrittenIsSaidOnceTheBusyWindowHasClosed)
{
    const std::unique_ptr<ReportCommand> command = MakeEmailCommand();
    email.action = [&](ReportCommandHost& host) { command->Run(host); };
    profile.Write(config::kSectionQxBeta, config::kKeyMailNotice, "0");
    // A one-bit image has no bitmap file format: the report file fails.
    application.image = MakeBitmap(64, 48, 1);
    const QString previous = QDir::currentPath();
    SeenWithMessage seen;
    Run([&] {
        test::OnNextModal(
            [&](QWidget* modal) {
                auto* save = qobject_cast<QFileDialog*>(modal);
                ASSERT_NE(save, nullptr);
                save->findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(scratch.File("rapport")));
                OnNextMessage(seen, dialog.Window());
                static_cast<QDialog*>(save)->accept();
            },
            dialog.Window());
        Button(res::kIdEmailButton)->click();
    });
    QDir::setCurrent(previous);
    EXPECT_EQ(seen.text, TextOf(res::kMsgArchiveFailed));
    EXPECT_FALSE(seen.busyWindow);
    EXPECT_FALSE(seen.waitCursor);
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(scratch.File("rapport.QXR"))));
}

TEST_F(ReportDialogTest, HelpThatCannotStartSaysSo)
{
    struct Case {
        bool opens;
        bool message;
    };
    for (const Case c : {Case{false, true}, Case{true, false}}) {
        helpOpens = c.opens;
        QString shown;
        Run([&] {
            if (c.message) {
                ClickIntoModal(ui::ID_HELP, [&](QWidget* box) {
                    shown = qobject_cast<QMessageBox*>(box)->text();
                    qobject_cast<QMessageBox*>(box)->accept();
                });
            } else {
                Button(ui::ID_HELP)->click();
            }
        });
        EXPECT_EQ(shown, c.message ? QString::fromUtf8("Le démarrage de l'aide a échoué.") : QString()) << c.opens;
    }
    EXPECT_EQ(helpCalls, 2);
}

TEST_F(ReportDialogTest, TheAboutBoxOpensFromItsButtonAndFromTheSystemMenuEntry)
{
    std::vector<QString> versions;
    const auto readAbout = [&](QWidget* about) {
        EXPECT_EQ(about->windowTitle(), QString::fromUtf8("A Propos de QXBêta"));
        for (auto* label : about->findChildren<QLabel*>()) {
            if (label->text().contains(QStringLiteral("version"))) versions.push_back(label->text());
        }
        qobject_cast<QDialog*>(about)->reject();
    };
    Run([&] {
        ClickIntoModal(res::kIdAboutButton, readAbout);
        test::OnNextModal(readAbout, dialog.Window());
        dialog.SendSysCommand(kSysCommandAbout);
    });
    EXPECT_EQ(versions, (std::vector<QString>(2, QString::fromUtf8("QXBêta version 5.50J"))));
}

TEST_F(ReportDialogTest, TheTitleHasItsOwnFontAndEnterPrints)
{
    Run([&] {
        const QFont font = dialog.GetDlgItem(res::kIdTitle)->font();
        EXPECT_TRUE(font.bold());
        EXPECT_TRUE(font.italic());
        EXPECT_TRUE(font.underline());
        EXPECT_NEAR(QFontMetrics(font).height(), 24, 2);
        // Enter on a control that is no push button prints.
        dialog.Window()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.Window()));
        Radio(res::kIdTestMode32)->setFocus();
        EXPECT_TRUE(Button(res::kIdPrintButton)->isDefault());
        QTest::keyClick(Radio(res::kIdTestMode32), Qt::Key_Return);
        EXPECT_EQ(print.seen.size(), 1u);
        EXPECT_EQ(dialog.Window()->windowTitle().left(9), QString::fromUtf8("QXBêta - "));
    });
}

} // namespace
} // namespace qx::report
