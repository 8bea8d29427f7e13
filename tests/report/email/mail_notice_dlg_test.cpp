// The e-mail notice: its controls from dialog 140, and "Ne plus afficher ce
// message" stored only when the notice is closed with OK.
#include "config/keys.h"
#include "config/notices.h"
#include "report/dialogs/qt/notice_dlg.h"
#include "resources/dialog_ids.h"
#include "support/scratch_dir.h"

#include <QAbstractButton>
#include <QDialog>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace qx::report {
namespace {

enum class Ending {
    Ok,
    Cancel,
};

// Runs the notice, ticks the box when asked, ends it as told; the INFOEMAL value afterwards.
std::string RunNotice(Ending ending, bool tick)
{
    test::ScratchDir dir;
    const config::Profile profile(dir.Path());
    CNoticeDlg notice(kMailNotice, profile);
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QAbstractButton*>(notice.GetDlgItem(res::kIdDontShowAgain));
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), QString::fromUtf8("Ne plus afficher ce message"));
        EXPECT_FALSE(box->isChecked());
        if (tick) box->click();
        notice.SendCommand(ending == Ending::Ok ? ui::IDOK : ui::IDCANCEL);
    });
    const int result = notice.DoModal();
    EXPECT_EQ(result, ending == Ending::Ok ? ui::IDOK : ui::IDCANCEL);
    return profile.Read(config::kSectionQxBeta, config::kKeyMailNotice, "(none)");
}

TEST(MailNotice, OnlyOkWithTheBoxTickedSwitchesItOff)
{
    EXPECT_EQ(RunNotice(Ending::Ok, true), "0");
    EXPECT_EQ(RunNotice(Ending::Ok, false), "(none)");
    EXPECT_EQ(RunNotice(Ending::Cancel, true), "(none)");
}

} // namespace
} // namespace qx::report
