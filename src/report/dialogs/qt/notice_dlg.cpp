#include "report/dialogs/qt/notice_dlg.h"

#include "config/notices.h"
#include "platform/qt/dialogs/data_exchange.h"

namespace qx::report {

CNoticeDlg::CNoticeDlg(const NoticeIds& notice, const config::Profile& profile)
    : CDialog(notice.templateId)
    , m_key(notice.key)
    , m_profile(profile)
{
}

void CNoticeDlg::DoDataExchange(ui::CDataExchange& dx)
{
    ui::DDX_Check(dx, res::kIdDontShowAgain, m_bDontShowAgain);
}

void CNoticeDlg::OnOK()
{
    if (!UpdateData(ui::DataDirection::FromControls)) return;
    if (m_bDontShowAgain == 1) config::DisableNotice(m_profile, m_key);
    EndDialog(ui::IDOK);
}

} // namespace qx::report
