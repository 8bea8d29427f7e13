#pragma once

// The identity dialog (130), reached through the report dialog's "..."
// button. It edits its own copy of the nine identity fields; the postal
// code takes at most 5 digits and the serial number at most 6 characters.

#include "platform/qt/dialogs/dialog.h"
#include "report/identity/identity.h"

namespace qx::report {

inline constexpr int kPostalCodeMaxChars = 5;
inline constexpr int kSerialMaxChars = 6;

class CIdentityDlg final : public ui::CDialog {
public:
    CIdentityDlg();

    IdentityFields m_identity;

protected:
    void DoDataExchange(ui::CDataExchange& dx) override;
};

} // namespace qx::report
