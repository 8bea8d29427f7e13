#include "platform/qt/dialogs/dialog_units.h"

#include <QFontMetrics>


namespace qx::ui {

namespace {

constexpr int kQuartersPerChar = 4;
constexpr int kEighthsPerChar = 8;

// Rounds value * base / divisor to the nearest integer, halves away from 0.
int MulDiv(int value, int base, int divisor)
{
    const long long product = static_cast<long long>(value) * base;
    const long long half = divisor / 2;
    return static_cast<int>(product >= 0 ? (product + half) / divisor : -((-product + half) / divisor));
}

} // namespace

BaseUnits BaseUnitsOf(const QFont& font)
{
    const QFontMetrics metrics(font);
    const int alphabetWidth =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return BaseUnits{(alphabetWidth / 26 + 1) / 2, metrics.height()};
}

int DialogUnitsToPixelsX(int du, BaseUnits units)
{
    return MulDiv(du, units.cx, kQuartersPerChar);
}

int DialogUnitsToPixelsY(int du, BaseUnits units)
{
    return MulDiv(du, units.cy, kEighthsPerChar);
}

QRect MapDialogRect(const res::DialogRect& rect, BaseUnits units)
{
    const int left = DialogUnitsToPixelsX(rect.x, units);
    const int top = DialogUnitsToPixelsY(rect.y, units);
    const int right = DialogUnitsToPixelsX(rect.x + rect.cx, units);
    const int bottom = DialogUnitsToPixelsY(rect.y + rect.cy, units);
    return QRect(left, top, right - left, bottom - top);
}

} // namespace qx::ui
