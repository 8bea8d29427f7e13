#include "resources/dialog_catalog.h"
#include "resources/dialog_ids.h"
#include "resources/product_mark.h"
#include "resources/static_join.h"
#include "resources/support_contact.h"

namespace qx::res::detail {
namespace {

inline constexpr std::string_view kAttachStart = "Il devra être envoyé en pièce jointe à ";
inline constexpr std::string_view kAttachLine = kJoined<kAttachStart, kSupportEmail>;

constexpr ControlTemplate kControls[] = {
    {kNoId, ControlKind::Icon, kAppIconText, {7, 7, 18, 20}},
    {kNoId, ControlKind::StaticText, "Fichier e-mail", {60, 14, 42, 8}},
    {kNoId, ControlKind::StaticText, "Les informations concernant l'incident vont être", {9, 35, 149, 8}},
    {kNoId, ControlKind::StaticText, "sauvegardées dans un fichier.", {9, 44, 96, 8}},
    {kNoId, ControlKind::StaticText, kAttachLine, {9, 53, 169, 8}},
    {kNoId, ControlKind::StaticText, "Afin d'en faciliter le traitement, merci de préciser", {9, 62, 150, 8}},
    {kNoId, ControlKind::StaticText, "dans le sujet du mail : \"Rapport Bêta Version\".", {9, 71, 146, 8}},
    {kIdOk, ControlKind::DefPushButton, "OK", {140, 85, 50, 14}, kStyleTabStop},
    {kIdDontShowAgain, ControlKind::AutoCheckBox, "Ne plus afficher ce message", {7, 89, 105, 10}, kStyleTabStop},
};

} // namespace

constinit const DialogTemplate kMailNoticeDialog{
    kDialogMailNotice, kDialogCaption,    kDialogFont, kDialogPointSize,
    {0, 0, 197, 106},  kNoticeDialogStyle, kControls,
};

} // namespace qx::res::detail
