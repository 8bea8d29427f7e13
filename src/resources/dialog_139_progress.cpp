#include "resources/dialog_catalog.h"
#include "resources/dialog_ids.h"
#include "resources/product_mark.h"

namespace qx::res::detail {
namespace {

constexpr ControlTemplate kControls[] = {
    {kNoId, ControlKind::StaticText, "Veuillez patienter", {6, 6, 54, 8}},
    {kIdProgressBar, ControlKind::ProgressBar, "", {1, 32, 184, 9}},
    {kNoId, ControlKind::StaticText, "Analyse en cours...", {6, 16, 70, 8}},
};

} // namespace

constinit const DialogTemplate kProgressDialog{
    kDialogProgress, kDialogCaption,  kDialogFont, kDialogPointSize,
    {0, 0, 186, 42}, kWaitDialogStyle, kControls,
};

} // namespace qx::res::detail
