#include "report/email/qt/mail_notice_dlg.h"

#include "config/keys.h"
#include "config/notices.h"
#include "platform/qt/dialogs/data_exchange.h"
#include "resources/dialog_ids.h"

namespace qx::report {

CMailNoticeDlg::CMailNoticeDlg(const config::Profile& profile) : CDialog(res::kDialogMailNotice), m_profile(profile) {}

void CMailNoticeDlg::DoDataExchange(ui::CDataExchange& dx)
{
    ui::DDX_Check(dx, res::kIdDontShowAgain, m_bDontShowAgain);
}

void CMailNoticeDlg::OnOK()
{
    if (!UpdateData(ui::DataDirection::FromControls)) return;
    if (m_bDontShowAgain == 1) config::DisableNotice(m_profile, config::kKeyMailNotice);
    EndDialog(ui::IDOK);
}

} // namespace qx::report
