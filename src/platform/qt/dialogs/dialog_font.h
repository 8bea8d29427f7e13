#pragma once

// The font a template names, or the nearest one this system has: templates
// name "MS Sans Serif", which Linux desktops lack; a sans-serif face of
// similar width stands in at the same point size.

#include <QFont>

#include <string_view>

namespace qx::ui {

QFont DialogFont(std::string_view faceName, int pointSize);

} // namespace qx::ui
