#include "resources/dialog_catalog.h"
#include "resources/dialog_ids.h"
#include "resources/product_mark.h"

namespace qx::res::detail {
namespace {

constexpr ControlTemplate kControls[] = {
    {kNoId, ControlKind::Icon, kAppIconText, {7, 7, 21, 20}},
    {kNoId, ControlKind::StaticText, "QXBêta : nouveau rapport", {60, 14, 86, 8}},
    {kNoId, ControlKind::StaticText, "Une image de votre écran vient d'être capturée.", {7, 34, 160, 8}},
    {kNoId, ControlKind::StaticText, "Elle sera intégrée au rapport géneré par QXBêta.", {7, 42, 162, 8}},
    {kNoId, ControlKind::StaticText, "Cette image doit nous permettre d'avoir des informations", {7, 54, 176, 8}},
    {kNoId, ControlKind::StaticText, "supplémentaires relatives à l'incident.", {7, 62, 117, 8}},
    {kIdDontShowAgain, ControlKind::AutoCheckBox, "Ne plus afficher ce message", {7, 86, 105, 10}, kStyleTabStop},
    {kIdOk, ControlKind::DefPushButton, "OK", {140, 82, 50, 14}, kStyleTabStop},
};

} // namespace

constinit const DialogTemplate kCaptureNoticeDialog{
    kDialogCaptureNotice, kDialogCaption,    kDialogFont, kDialogPointSize,
    {0, 0, 197, 103},     kNoticeDialogStyle, kControls,
};

} // namespace qx::res::detail
