#include "resources/dialog_catalog.h"
#include "resources/dialog_ids.h"
#include "resources/product_mark.h"

namespace qx::res::detail {
namespace {

constexpr ControlTemplate kControls[] = {
    {kNoId, ControlKind::Icon, kAppIconText, {7, 7, 21, 20}},
    {kNoId, ControlKind::StaticText, "Fonctionnement de QXBêta", {60, 14, 95, 8}},
    {kNoId, ControlKind::StaticText, "- Après son lancement, QXBêta est mis en attente", {9, 35, 164, 8}},
    {kNoId, ControlKind::StaticText, "- Lorsqu'un incident survient, appuyez sur la touche", {9, 45, 166, 8}},
    {kNoId, ControlKind::StaticText, " [Impr écran] pour capturer l'image de votre écran et", {11, 53, 164, 8}},
    {kNoId, ControlKind::StaticText, " activer QXBêta.", {11, 62, 56, 8}},
    {kNoId, ControlKind::StaticText, "- La boîte de dialogue de QXBêta apparaîtra.", {9, 72, 150, 8}},
    {kIdDontShowAgain, ControlKind::AutoCheckBox, "Ne plus afficher ce message", {7, 96, 109, 10}, kStyleTabStop},
    {kIdOk, ControlKind::DefPushButton, "OK", {140, 92, 50, 14}, kStyleTabStop},
};

} // namespace

constinit const DialogTemplate kStartNoticeDialog{
    kDialogStartNotice, kDialogCaption, kDialogFont, kDialogPointSize,
    {0, 0, 197, 113},   kNoticeDialogStyle, kControls,
};

} // namespace qx::res::detail
