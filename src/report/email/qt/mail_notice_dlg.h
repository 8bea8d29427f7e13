#pragma once

// The e-mail notice (dialog 140): where the report file goes and what to
// write in the mail's subject, with "Ne plus afficher ce message".

#include "config/profile.h"
#include "platform/qt/dialogs/dialog.h"

namespace qx::report {

class CMailNoticeDlg : public ui::CDialog {
public:
    explicit CMailNoticeDlg(const config::Profile& profile);

    // The check box 1048: 0 unchecked, 1 checked.
    int m_bDontShowAgain = 0;

protected:
    void DoDataExchange(ui::CDataExchange& dx) override;
    // Takes the check box and, when it is checked, switches the notice off
    // (INFOEMAL "0"); then closes with OK. Any other ending stores nothing.
    void OnOK() override;

private:
    const config::Profile& m_profile;
};

} // namespace qx::report
