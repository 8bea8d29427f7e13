#include "report/dialogs/qt/title_font.h"

#include <QFontMetrics>
#include <QStringList>

#include <algorithm>

namespace qx::report {

QFont TitleFont()
{
    QFont font;
    font.setFamilies(QStringList{QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                                 QStringLiteral("Arimo"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(QFont::Bold);
    font.setItalic(true);
    font.setUnderline(true);
    // A positive height asks for the whole cell, internal leading included:
    // the em size is what remains of it.
    font.setPixelSize(kTitleCellHeight);
    const int cell = QFontMetrics(font).height();
    if (cell > 0) font.setPixelSize(std::max(1, kTitleCellHeight * kTitleCellHeight / cell));
    return font;
}

} // namespace qx::report
