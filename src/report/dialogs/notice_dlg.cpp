#include "report/dialogs/notice_dlg.h"

#include "config/keys.h"
#include "config/notices.h"
#include "platform/qt/dialogs/data_exchange.h"
#include "resources/dialog_ids.h"

namespace qx::report {

CNoticeDlg::CNoticeDlg(int templateId, std::string_view key, const config::Profile& profile)
    : CDialog(templateId)
    , m_key(key)
    , m_profile(profile)
{
}

void CNoticeDlg::DoDataExchange(ui::CDataExchange& dx)
{
    ui::DDX_Check(dx, res::kIdDontShowAgain, m_bDontShowAgain);
}

void CNoticeDlg::OnOK()
{
    UpdateData(ui::DataDirection::FromControls);
    if (m_bDontShowAgain == 1) config::DisableNotice(m_profile, m_key);
    EndDialog(ui::IDOK);
}

CStartNoticeDlg::CStartNoticeDlg(const config::Profile& profile)
    : CNoticeDlg(res::kDialogStartNotice, config::kKeyStartNotice, profile)
{
}

CCaptureNoticeDlg::CCaptureNoticeDlg(const config::Profile& profile)
    : CNoticeDlg(res::kDialogCaptureNotice, config::kKeyCaptureNotice, profile)
{
}

} // namespace qx::report
