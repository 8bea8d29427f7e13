#include "resources/dialog_catalog.h"
#include "resources/dialog_ids.h"
#include "resources/product_mark.h"
#include "resources/static_join.h"
#include "resources/support_contact.h"

namespace qx::res::detail {
namespace {

inline constexpr std::string_view kFaxLabelStart = "A faxer au ";
inline constexpr std::string_view kFaxLabel = kJoined<kFaxLabelStart, kSupportFax>;
inline constexpr std::string_view kEmailLabelStart = "ou à envoyer par e-mail à ";
inline constexpr std::string_view kEmailLabel = kJoined<kEmailLabelStart, kSupportEmail>;

inline constexpr std::uint32_t kIncidentEdit =
    kStyleTabStop | kStyleMultiline | kStyleWantReturn | kStyleVScroll;
inline constexpr std::uint32_t kShownOnly = kStyleDisabled | kStyleReadOnly;

constexpr ControlTemplate kControls[] = {
    {kIdIdentityButton, ControlKind::PushButton, "...", {134, 27, 17, 14}, kStyleTabStop},
    {kIdDescription, ControlKind::Edit, "", {13, 66, 233, 33}, kIncidentEdit},
    {kIdSteps, ControlKind::Edit, "", {13, 112, 233, 33}, kIncidentEdit},
    {kIdComments, ControlKind::Edit, "", {13, 158, 233, 33}, kIncidentEdit},
    {kIdReproducibleYes, ControlKind::AutoRadioButton, "Oui", {13, 206, 25, 10}, kStyleGroup | kStyleTabStop},
    {kIdReproducibleNo, ControlKind::AutoRadioButton, "Non", {13, 218, 29, 10}},
    {kIdReproducibleDontKnow, ControlKind::AutoRadioButton, "Ne sais pas", {13, 230, 50, 10}},
    {kIdTestMode16, ControlKind::AutoRadioButton, "16 bits", {156, 206, 33, 10}, kStyleGroup | kStyleTabStop},
    {kIdTestMode32, ControlKind::AutoRadioButton, "32 bits", {156, 218, 33, 10}},
    {kIdTestModeDontKnow, ControlKind::AutoRadioButton, "Ne sais pas", {156, 230, 49, 10}},
    // Starts a group so that the test-mode radio group ends before it.
    {kIdName, ControlKind::Edit, "", {7, 27, 126, 14}, kStyleGroup | kShownOnly},
    {kIdPrintButton, ControlKind::DefPushButton, "&Imprimer", {121, 248, 50, 14}, kStyleTabStop},
    {kIdEmailButton, ControlKind::PushButton, "&E-mail", {176, 248, 50, 14}, kStyleTabStop},
    {kIdCancel, ControlKind::PushButton, "&Fermer", {231, 248, 50, 14}, kStyleTabStop},
    {kIdAboutButton, ControlKind::PushButton, "&A propos...", {306, 248, 50, 14}, kStyleTabStop},
    {kIdHelp, ControlKind::PushButton, "Aide", {361, 248, 50, 14}, kStyleTabStop},
    {kIdWindowsVersion, ControlKind::Edit, "", {265, 66, 137, 12}, kShownOnly},
    {kIdLoadedDlls, ControlKind::Edit, "", {265, 91, 137, 145},
     kStyleTabStop | kStyleMultiline | kStyleReadOnly | kStyleVScroll},
    {kNoId, ControlKind::GroupBox, "Description de l'incident", {7, 49, 246, 194}, kStyleCenter},
    {kNoId, ControlKind::GroupBox, "Votre système", {257, 49, 153, 194}, kStyleCenter},
    {kNoId, ControlKind::StaticText, "Particularités ou commentaires :", {13, 150, 104, 8}},
    {kNoId, ControlKind::StaticText, "Décrivez le mode opératoire pour reproduire l'incident :", {13, 104, 172, 8}},
    {kNoId, ControlKind::StaticText, "Décrivez l'incident :", {13, 58, 62, 8}},
    {kNoId, ControlKind::StaticText, "Pouvez-vous reproduire cet incident ?", {13, 196, 120, 8}},
    {kNoId, ControlKind::StaticText, kFaxLabel, {328, 20, 83, 8}},
    {kNoId, ControlKind::StaticText, "Version Windows :", {265, 58, 60, 8}},
    {kNoId, ControlKind::StaticText, "DLL chargées :", {265, 83, 126, 8}},
    {kNoId, ControlKind::StaticText, "Mode de test de Orvane ?", {156, 196, 90, 8}},
    {kNoId, ControlKind::StaticText, "Votre nom :", {7, 19, 37, 8}},
    // Drawn in the dialog's title font, set when the dialog opens.
    {kIdTitle, ControlKind::StaticText, "Rapport Bêta Version", {97, 2, 222, 21}, kStyleCenter},
    {kNoId, ControlKind::StaticText, kEmailLabel, {279, 30, 132, 8}},
};

} // namespace

constinit const DialogTemplate kReportDialog{
    kDialogReport,
    kDialogCaption,
    kDialogFont,
    kDialogPointSize,
    {0, 0, 418, 271},
    kDlgPopup | kDlgCaption | kDlgSysMenu | kDlgModalFrame | kDlgCentered | kDlgAppWindow,
    kControls,
};

} // namespace qx::res::detail
