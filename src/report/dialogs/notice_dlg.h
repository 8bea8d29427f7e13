#pragma once

// The notices with a "Ne plus afficher ce message" check box (1048): the
// start-up notice (134, key INFO) and the capture notice (147, INFOIMP). OK with the box ticked writes "0" to the
// notice's key; Escape or the close box writes nothing.

#include "config/profile.h"
#include "platform/qt/dialogs/dialog.h"

#include <string_view>

namespace qx::report {

class CNoticeDlg : public ui::CDialog {
public:
    CNoticeDlg(int templateId, std::string_view key, const config::Profile& profile);

    int m_bDontShowAgain = 0;

protected:
    void DoDataExchange(ui::CDataExchange& dx) override;
    void OnOK() override;

private:
    std::string_view m_key;
    const config::Profile& m_profile;
};

class CStartNoticeDlg final : public CNoticeDlg {
public:
    explicit CStartNoticeDlg(const config::Profile& profile);
};

class CCaptureNoticeDlg final : public CNoticeDlg {
public:
    explicit CCaptureNoticeDlg(const config::Profile& profile);
};

} // namespace qx::report
