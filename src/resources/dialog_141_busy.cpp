#include "resources/dialog_catalog.h"
#include "resources/dialog_ids.h"
#include "resources/product_mark.h"

namespace qx::res::detail {
namespace {

constexpr ControlTemplate kControls[] = {
    {kNoId, ControlKind::StaticText, "Traitement en cours...", {7, 19, 70, 8}},
    {kNoId, ControlKind::StaticText, "Veuillez patienter", {7, 7, 54, 8}},
};

} // namespace

constinit const DialogTemplate kBusyDialog{
    kDialogBusy,     kDialogCaption,  kDialogFont, kDialogPointSize,
    {0, 0, 186, 34}, kWaitDialogStyle, kControls,
};

} // namespace qx::res::detail
