#include "platform/qt/desktop/native_geometry.h"

#include <QGuiApplication>
#include <QScreen>

namespace qx::platform {

qreal NativeFactor(const QScreen* screen)
{
    if (screen == nullptr || QGuiApplication::platformName() != QLatin1String("xcb")) return 1.0;
    return screen->devicePixelRatio();
}

QScreen* ScreenAtNative(int x, int y)
{
    for (QScreen* screen : QGuiApplication::screens()) {
        const QRectF logical = screen->geometry();
        const QRectF native(logical.topLeft(), logical.size() * NativeFactor(screen));
        if (native.contains(x, y)) return screen;
    }
    return QGuiApplication::primaryScreen();
}

QRectF LogicalRect(const ScreenRect& native)
{
    const QScreen* screen = ScreenAtNative(native.x, native.y);
    const qreal factor = NativeFactor(screen);
    const QPointF origin = screen != nullptr ? QPointF(screen->geometry().topLeft()) : QPointF();
    const QPointF topLeft = origin + (QPointF(native.x, native.y) - origin) / factor;
    return QRectF(topLeft, QSizeF(native.width, native.height) / factor);
}

} // namespace qx::platform
