#include "resources/dialog_catalog.h"

#include "resources/dialog_template.h"

#include <algorithm>
#include <array>

namespace qx::res {

const DialogTemplate* FindDialogTemplate(int id)
{
    static constexpr std::array<const DialogTemplate*, 8> kDialogs = {
        &detail::kAboutDialog,      &detail::kReportDialog, &detail::kIdentityDialog,
        &detail::kStartNoticeDialog, &detail::kProgressDialog, &detail::kMailNoticeDialog,
        &detail::kBusyDialog,       &detail::kCaptureNoticeDialog,
    };
    const auto found = std::ranges::find(kDialogs, id, &DialogTemplate::id);
    return found == kDialogs.end() ? nullptr : *found;
}

const ControlTemplate* FindControl(const DialogTemplate& dialog, int controlId)
{
    if (controlId == kNoId) return nullptr;
    const auto found = std::ranges::find(dialog.controls, controlId, &ControlTemplate::id);
    return found == dialog.controls.end() ? nullptr : &*found;
}

} // namespace qx::res
