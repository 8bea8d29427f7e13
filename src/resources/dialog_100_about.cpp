#include "resources/dialog_catalog.h"
#include "resources/dialog_ids.h"
#include "resources/product_mark.h"
#include "resources/static_join.h"

namespace qx::res::detail {
namespace {

inline constexpr std::string_view kCopyrightStart = "Copyright © 1999 ";
inline constexpr std::string_view kCopyrightLine = kJoined<kCopyrightStart, kMakerMark>;

constexpr ControlTemplate kControls[] = {
    {kNoId, ControlKind::Icon, kAppIconText, {7, 7, 21, 20}},
    {kNoId, ControlKind::StaticText, kCopyrightLine, {31, 19, 126, 8}, kStyleCenter},
    {kIdOk, ControlKind::DefPushButton, "OK", {75, 39, 40, 14}, kStyleTabStop},
    // The about box replaces this text with the version text when it opens.
    {kIdVersionText, ControlKind::StaticText, kVersionText, {31, 7, 126, 8}, kStyleCenter},
};

} // namespace

// The framework centres every top-level dialog that does not place itself;
// the flag says so here too.
constinit const DialogTemplate kAboutDialog{
    kDialogAbout,
    "A Propos de QXBêta",
    kDialogFont,
    kDialogPointSize,
    {0, 0, 189, 60},
    kDlgPopup | kDlgCaption | kDlgSysMenu | kDlgModalFrame | kDlgCentered,
    kControls,
};

} // namespace qx::res::detail
