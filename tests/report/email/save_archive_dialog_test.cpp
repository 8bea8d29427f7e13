// The save dialog: what it offers, the path it returns, the folder it
// makes current, and a cancel.
#include "report/email/qt/save_archive_dialog.h"
#include "support/scratch_dir.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace qx::report {
namespace {

// Runs `act` on the save dialog once it is shown.
void WhenDialogShows(std::function<void(QFileDialog&)> act)
{
    QTimer::singleShot(0, [act] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        act(*dialog);
    });
}

class SaveArchiveDialog : public ::testing::Test {
protected:
    test::ScratchDir scratch;
    QString previous = QDir::currentPath();
    void SetUp() override { QDir::setCurrent(QString::fromStdString(scratch.Path().string())); }
    void TearDown() override { QDir::setCurrent(previous); }
};

TEST_F(SaveArchiveDialog, OffersTheDefaultNameAndReturnsTheChosenPath)
{
    QDir(QString::fromStdString(scratch.Path().string())).mkdir("dossier");
    const std::string folder = (scratch.Path() / "dossier").string();
    WhenDialogShows([&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(dialog.defaultSuffix(), "QXR");
        EXPECT_EQ(dialog.nameFilters(), QStringList{"Fichiers incident (*.QXR)"});
        EXPECT_EQ(dialog.directory().absolutePath(), QString::fromStdString(scratch.Path().string()));
        EXPECT_FALSE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
        auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        EXPECT_EQ(name->text(), QString::fromUtf8("QX1234é01.QXR"));
        name->setText(QString::fromStdString(folder + "/rapport"));
        static_cast<QDialog&>(dialog).accept(); // QFileDialog::accept, as the Save button does
    });
    const std::optional<std::string> path = RunSaveArchiveDialog(nullptr, "QX1234\xE9" "01.QXR");
    ASSERT_TRUE(path);
    EXPECT_EQ(*path, folder + "/rapport.QXR");
    EXPECT_EQ(QDir::currentPath().toStdString(), folder);
}

TEST_F(SaveArchiveDialog, CancelReturnsNothing)
{
    WhenDialogShows([](QFileDialog& dialog) { dialog.reject(); });
    EXPECT_FALSE(RunSaveArchiveDialog(nullptr, "01.QXR"));
    EXPECT_EQ(QDir::currentPath().toStdString(), scratch.Path().string());
}

} // namespace
} // namespace qx::report
