#include "report/dialogs/identity_dlg.h"

#include "platform/qt/dialogs/data_exchange.h"
#include "resources/dialog_ids.h"

namespace qx::report {

CIdentityDlg::CIdentityDlg()
    : CDialog(res::kDialogIdentity)
{
}

void CIdentityDlg::DoDataExchange(ui::CDataExchange& dx)
{
    ui::DDX_Text(dx, res::kIdAddress, m_identity.m_strAddress);
    ui::DDX_Text(dx, res::kIdPostalCode, m_identity.m_strPostalCode);
    ui::DDV_MaxChars(dx, m_identity.m_strPostalCode, kPostalCodeMaxChars);
    ui::DDX_Text(dx, res::kIdEmail, m_identity.m_strEmail);
    ui::DDX_Text(dx, res::kIdFax, m_identity.m_strFax);
    ui::DDX_Text(dx, res::kIdName, m_identity.m_strName);
    ui::DDX_Text(dx, res::kIdCompany, m_identity.m_strCompany);
    ui::DDX_Text(dx, res::kIdPhone, m_identity.m_strPhone);
    ui::DDX_Text(dx, res::kIdTown, m_identity.m_strTown);
    ui::DDX_Text(dx, res::kIdSerial, m_identity.m_strSerial);
    ui::DDV_MaxChars(dx, m_identity.m_strSerial, kSerialMaxChars);
}

} // namespace qx::report
