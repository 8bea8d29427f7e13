#pragma once

// The paper size of the user's locale: Letter where the locale says so
// (LC_PAPER), A4 elsewhere.

#include <QLocale>
#include <QPageSize>

namespace qx::platform::qt {

// The standard size nearest to `widthMm` by `heightMm`; without a size (0 by
// 0), Letter for the US measurement system and A4 for the others.
QPageSize PaperSizeFor(int widthMm, int heightMm, QLocale::MeasurementSystem system);

// PaperSizeFor with the LC_PAPER of the running program and its locale's
// measurement system.
QPageSize LocalePaperSize();

} // namespace qx::platform::qt
