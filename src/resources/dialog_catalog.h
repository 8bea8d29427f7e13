#pragma once

// The dialog templates, one definition per dialog file; FindDialogTemplate
// looks them up. Internal to this folder.

#include "resources/dialog_template.h"

namespace qx::res::detail {

extern const DialogTemplate kAboutDialog;
extern const DialogTemplate kReportDialog;
extern const DialogTemplate kIdentityDialog;
extern const DialogTemplate kStartNoticeDialog;
extern const DialogTemplate kProgressDialog;
extern const DialogTemplate kMailNoticeDialog;
extern const DialogTemplate kBusyDialog;
extern const DialogTemplate kCaptureNoticeDialog;

// Styles shared by several dialogs.
inline constexpr std::uint32_t kNoticeDialogStyle =
    kDlgPopup | kDlgCaption | kDlgSysMenu | kDlgModalFrame | kDlgSystemModal | kDlgCentered;
inline constexpr std::uint32_t kWaitDialogStyle =
    kDlgPopup | kDlgCaption | kDlgModalFrame | kDlgSystemModal | kDlgCentered | kDlgVisible;

inline constexpr const char* kDialogFont = "MS Sans Serif";
inline constexpr int kDialogPointSize = 8;

// The icon control's text: the number of the program's icon.
inline constexpr const char* kAppIconText = "128";

} // namespace qx::res::detail
