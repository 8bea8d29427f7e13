#include "report/dialogs/qt/identity_dlg.h"

#include "platform/qt/dialogs/data_exchange.h"
#include "report/identity/identity_fields.h"
#include "resources/dialog_ids.h"

namespace qx::report {

CIdentityDlg::CIdentityDlg()
    : CDialog(res::kDialogIdentity)
{
}

void CIdentityDlg::DoDataExchange(ui::CDataExchange& dx)
{
    for (const IdentityField& shown : kIdentityFields) {
        ui::DDX_Text(dx, shown.controlId, m_identity.*shown.field);
        if (shown.maxChars > 0) ui::DDV_MaxChars(dx, m_identity.*shown.field, shown.maxChars);
    }
}

} // namespace qx::report
