#pragma once

// The report dialog's title font: Arial (or the nearest face), a character
// cell 24 pixels high, bold, italic and underlined.

#include <QFont>

namespace qx::report {

inline constexpr int kTitleCellHeight = 24;

QFont TitleFont();

} // namespace qx::report
