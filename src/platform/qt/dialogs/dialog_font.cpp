#include "platform/qt/dialogs/dialog_font.h"

#include "platform/qt/common/qt_text.h"

#include <QStringList>

namespace qx::ui {

QFont DialogFont(std::string_view faceName, int pointSize)
{
    // The named face first; then faces of the widths the templates were
    // drawn for, nearest first.
    QFont font;
    font.setFamilies({FromUtf8(faceName), QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                      QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
    font.setPointSize(pointSize);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

} // namespace qx::ui
