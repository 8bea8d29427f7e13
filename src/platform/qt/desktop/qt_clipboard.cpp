#include "platform/qt/desktop/qt_clipboard.h"

#include "platform/qt/common/qimage_bitmap.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

namespace qx::platform {

namespace {

QImage ClipboardImage()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
    if (data == nullptr || !data->hasImage()) return QImage{};
    return qvariant_cast<QImage>(data->imageData());
}

} // namespace

QtClipboard::~QtClipboard()
{
    StopWatching();
}

std::optional<BitmapInfo> QtClipboard::BitmapDescription() const
{
    const QImage image = ClipboardImage();
    if (image.isNull()) return std::nullopt;
    return BitmapInfo{image.width(), image.height(), 1, BitmapDepthOf(image)};
}

std::optional<Bitmap> QtClipboard::CopyBitmap() const
{
    const QImage image = ClipboardImage();
    if (image.isNull()) return std::nullopt;
    return BitmapFromQImage(image);
}

void QtClipboard::Watch(std::function<void()> onChange)
{
    StopWatching();
    m_connection = QObject::connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, QGuiApplication::instance(),
                                    std::move(onChange));
}

void QtClipboard::StopWatching()
{
    QObject::disconnect(m_connection);
}

} // namespace qx::platform
