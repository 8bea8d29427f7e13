#include "resources/dialog_catalog.h"
#include "resources/dialog_ids.h"
#include "resources/product_mark.h"

namespace qx::res::detail {
namespace {

inline constexpr std::uint32_t kField = kStyleTabStop | kStyleAutoHScroll;

constexpr ControlTemplate kControls[] = {
    {kIdName, ControlKind::Edit, "", {51, 36, 154, 14}, kField},
    {kIdCompany, ControlKind::Edit, "", {51, 53, 154, 14}, kField},
    {kIdAddress, ControlKind::Edit, "", {51, 70, 154, 14}, kField},
    {kIdPostalCode, ControlKind::Edit, "", {51, 87, 49, 14}, kField | kStyleNumber},
    {kIdTown, ControlKind::Edit, "", {51, 104, 154, 14}, kField},
    {kIdEmail, ControlKind::Edit, "", {51, 122, 154, 14}, kField},
    {kIdPhone, ControlKind::Edit, "", {51, 139, 75, 14}, kField},
    {kIdFax, ControlKind::Edit, "", {51, 156, 75, 14}, kField},
    {kIdSerial, ControlKind::Edit, "", {51, 173, 75, 14}, kField},
    {kIdOk, ControlKind::DefPushButton, "&OK", {104, 197, 50, 14}, kStyleTabStop},
    {kIdCancel, ControlKind::PushButton, "&Annuler", {161, 197, 50, 14}, kStyleTabStop},
    {kNoId, ControlKind::StaticText, "Nom :", {7, 39, 20, 8}},
    {kNoId, ControlKind::StaticText, "Fax :", {7, 159, 16, 8}},
    {kNoId, ControlKind::StaticText, "Tél :", {7, 142, 15, 8}},
    {kNoId, ControlKind::StaticText, "e-mail :", {7, 125, 23, 8}},
    {kNoId, ControlKind::StaticText, "Adresse :", {7, 73, 30, 8}},
    {kNoId, ControlKind::StaticText, "Ville :", {7, 107, 18, 8}},
    {kNoId, ControlKind::StaticText, "Code postal :", {7, 90, 42, 8}},
    {kNoId, ControlKind::StaticText, "Société :", {7, 56, 29, 8}},
    {kNoId, ControlKind::StaticText, "N° de série :", {7, 177, 41, 8}},
    {kNoId, ControlKind::StaticText,
     "Ces informations seront écrites dans votre fichier Orvane.ini et seront disponibles lors de la "
     "prochaine utilisation de QXBêta. Vous n'aurez pas à les ressaisir.",
     {7, 7, 204, 27}},
    {kNoId, ControlKind::StaticText, "(6 caractères)", {129, 176, 44, 8}},
};

} // namespace

// The framework centres every top-level dialog that does not place itself;
// the flag says so here too.
constinit const DialogTemplate kIdentityDialog{
    kDialogIdentity,
    kDialogCaption,
    kDialogFont,
    kDialogPointSize,
    {0, 0, 218, 218},
    kDlgPopup | kDlgCaption | kDlgSysMenu | kDlgModalFrame | kDlgCentered,
    kControls,
};

} // namespace qx::res::detail
