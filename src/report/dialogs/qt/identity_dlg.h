#pragma once

// The identity dialog (130), reached through the report dialog's "..."
// button. It edits its own copy of the nine identity fields; the postal
// code takes at most 5 digits and the serial number at most 6 characters.

#include "platform/qt/dialogs/dialog.h"
#include "report/report_record.h"

namespace qx::report {

class CIdentityDlg final : public ui::CDialog {
public:
    CIdentityDlg();

    Identity m_identity;

protected:
    void DoDataExchange(ui::CDataExchange& dx) override;
};

} // namespace qx::report
