#include "platform/qt/dialogs/app_icon_image.h"

#include "resources/app_icon.h"

#include <QPixmap>

namespace qx::ui {

QImage AppIconImage()
{
    const res::IconPixels& pixels = res::AppIconPixels();
    QImage image(res::kAppIconSize, res::kAppIconSize, QImage::Format_ARGB32);
    for (int y = 0; y < res::kAppIconSize; ++y) {
        for (int x = 0; x < res::kAppIconSize; ++x) {
            image.setPixel(x, y, pixels[static_cast<std::size_t>(y * res::kAppIconSize + x)]);
        }
    }
    return image;
}

QIcon AppIcon()
{
    return QIcon(QPixmap::fromImage(AppIconImage()));
}

} // namespace qx::ui
