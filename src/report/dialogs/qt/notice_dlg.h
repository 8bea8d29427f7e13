#pragma once

// The notices with a "Ne plus afficher ce message" check box (1048): the
// start-up notice (134, key INFO), the capture notice (147, INFOIMP) and the
// e-mail notice (140, INFOEMAL: where the report file goes and what to write
// in the mail's subject). OK takes the box like every dialog's OK (a failed
// exchange keeps the notice open) and, with the box ticked, writes "0" to
// the notice's key; Escape or the close box writes nothing.

#include "config/keys.h"
#include "config/profile.h"
#include "platform/qt/dialogs/dialog.h"
#include "resources/dialog_ids.h"

#include <string_view>

namespace qx::report {

struct NoticeIds {
    int templateId;
    std::string_view key;
};

inline constexpr NoticeIds kStartNotice{res::kDialogStartNotice, config::kKeyStartNotice};
inline constexpr NoticeIds kCaptureNotice{res::kDialogCaptureNotice, config::kKeyCaptureNotice};
inline constexpr NoticeIds kMailNotice{res::kDialogMailNotice, config::kKeyMailNotice};

class CNoticeDlg final : public ui::CDialog {
public:
    CNoticeDlg(const NoticeIds& notice, const config::Profile& profile);

    // The check box 1048: 0 unchecked, 1 checked.
    int m_bDontShowAgain = 0;

protected:
    void DoDataExchange(ui::CDataExchange& dx) override;
    void OnOK() override;

private:
    std::string_view m_key;
    const config::Profile& m_profile;
};

} // namespace qx::report
