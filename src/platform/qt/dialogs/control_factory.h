#pragma once

// The Qt widget of each control kind of a template, placed at its rectangle
// converted from dialog units.

#include "platform/qt/dialogs/dialog_units.h"
#include "resources/dialog_template.h"

#include <QWidget>

#include <utility>
#include <vector>

namespace qx::ui {

struct BuiltControl {
    const res::ControlTemplate* data = nullptr;
    QWidget* widget = nullptr; // owned by the dialog window
};

// Every control of `dialog`, in template order, as children of `parent`.
// Radio buttons that follow a group start share one exclusive group; tab
// stops are chained in template order.
std::vector<BuiltControl> BuildControls(const res::DialogTemplate& dialog, QWidget& parent, BaseUnits units);

} // namespace qx::ui
