#include "platform/qt/desktop/pick_cursor_image.h"

#include "resources/cursor_pick.h"

namespace qx::platform {

QImage PickCursorOver(const QImage& background, QPoint hotSpot)
{
    const QPoint origin = hotSpot - QPoint(res::kPickCursorHotSpot.x, res::kPickCursorHotSpot.y);
    QImage cursor(res::kPickCursorSize, res::kPickCursorSize, QImage::Format_ARGB32);
    for (int y = 0; y < res::kPickCursorSize; ++y) {
        for (int x = 0; x < res::kPickCursorSize; ++x) {
            const QPoint under = origin + QPoint(x, y);
            const QRgb screen = background.rect().contains(under) ? background.pixel(under) : qRgb(255, 255, 255);
            QRgb shown = qRgba(0, 0, 0, 0);
            switch (res::PickCursorPixel(x, y)) {
            case res::CursorPixel::Screen: break;
            case res::CursorPixel::Black: shown = qRgb(0, 0, 0); break;
            case res::CursorPixel::White: shown = qRgb(255, 255, 255); break;
            case res::CursorPixel::InvertScreen:
                shown = qRgb(255 - qRed(screen), 255 - qGreen(screen), 255 - qBlue(screen));
                break;
            }
            cursor.setPixel(x, y, shown);
        }
    }
    return cursor;
}

} // namespace qx::platform
