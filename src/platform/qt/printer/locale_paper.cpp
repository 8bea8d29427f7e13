#include "platform/qt/printer/locale_paper.h"

#include <QLocale>
#include <QSizeF>

#include <langinfo.h>

#include <cstdint>

namespace qx::platform::qt {

QPageSize PaperSizeFor(int widthMm, int heightMm, QLocale::MeasurementSystem system)
{
    if (widthMm > 0 && heightMm > 0) {
        // LC_PAPER gives whole millimetres: Letter is 216 by 279.
        const QPageSize::PageSizeId id =
            QPageSize::id(QSizeF(widthMm, heightMm), QPageSize::Millimeter, QPageSize::FuzzyMatch);
        if (id != QPageSize::Custom) return QPageSize(id);
        return QPageSize(QSizeF(widthMm, heightMm), QPageSize::Millimeter);
    }
    return QPageSize(system == QLocale::ImperialUSSystem ? QPageSize::Letter : QPageSize::A4);
}

QPageSize LocalePaperSize()
{
    // glibc answers these two with the number itself in place of a string.
    const auto width = static_cast<int>(reinterpret_cast<std::intptr_t>(nl_langinfo(_NL_PAPER_WIDTH)));
    const auto height = static_cast<int>(reinterpret_cast<std::intptr_t>(nl_langinfo(_NL_PAPER_HEIGHT)));
    return PaperSizeFor(width, height, QLocale().measurementSystem());
}

} // namespace qx::platform::qt
