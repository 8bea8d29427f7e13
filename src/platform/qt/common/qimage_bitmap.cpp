#include "platform/qt/common/qimage_bitmap.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace qx::platform {

// Qt's 32-bit formats hold 0xAARRGGBB words; on a little-endian machine
// their bytes are blue, green, red, alpha as the bitmap stores them.
static_assert(std::endian::native == std::endian::little);

namespace {

constexpr int kIndexedColours = 256;

QImage::Format QtFormatFor(int bitsPerPixel)
{
    switch (bitsPerPixel) {
    case 32: return QImage::Format_RGB32;
    case 24: return QImage::Format_BGR888;
    case 16: return QImage::Format_RGB16;
    case 8:
    case 4: return QImage::Format_Indexed8;
    default: return QImage::Format_Invalid;
    }
}

// The image in the format whose rows the bitmap takes as they are.
QImage InBitmapLayout(const QImage& image)
{
    switch (BitmapDepthOf(image)) {
    case 8: return image.convertToFormat(QImage::Format_Indexed8);
    case 16: return image.convertToFormat(QImage::Format_RGB16);
    case 24: return image.convertToFormat(QImage::Format_BGR888);
    default: return image.convertToFormat(QImage::Format_RGB32);
    }
}

} // namespace

int BitmapDepthOf(const QImage& image)
{
    switch (image.format()) {
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
    case QImage::Format_Indexed8: return 8;
    case QImage::Format_RGB16: return 16;
    case QImage::Format_RGB888:
    case QImage::Format_BGR888: return 24;
    default: return 32;
    }
}

Bitmap BitmapFromQImage(const QImage& image)
{
    if (image.isNull()) return Bitmap{};
    const QImage source = InBitmapLayout(image);
    Bitmap bitmap = MakeBitmap(source.width(), source.height(), BitmapDepthOf(image));
    for (int y = 0; y < bitmap.height; ++y) {
        std::memcpy(bitmap.Row(y), source.constScanLine(y), static_cast<std::size_t>(bitmap.stride));
    }
    if (bitmap.bitsPerPixel == 8) {
        const QList<QRgb> table = source.colorTable();
        for (int i = 0; i < std::min<int>(static_cast<int>(table.size()), kIndexedColours); ++i) {
            const QRgb colour = table[i];
            bitmap.palette[static_cast<std::size_t>(i)] =
                Rgb{static_cast<std::uint8_t>(qRed(colour)), static_cast<std::uint8_t>(qGreen(colour)),
                    static_cast<std::uint8_t>(qBlue(colour))};
        }
    }
    return bitmap;
}

QImage QImageFromBitmap(const Bitmap& bitmap)
{
    const QImage::Format format = QtFormatFor(bitmap.bitsPerPixel);
    if (bitmap.IsNull() || format == QImage::Format_Invalid) return QImage{};
    QImage image(bitmap.width, bitmap.height, format);
    for (int y = 0; y < bitmap.height; ++y) {
        const std::uint8_t* row = bitmap.Row(y);
        uchar* line = image.scanLine(y);
        if (bitmap.bitsPerPixel == 4) {
            for (int x = 0; x < bitmap.width; ++x) line[x] = (x % 2 == 0) ? row[x / 2] >> 4 : row[x / 2] & 0x0F;
            continue;
        }
        std::memcpy(line, row, static_cast<std::size_t>(std::min<qsizetype>(bitmap.stride, image.bytesPerLine())));
        // The bitmap's unused fourth byte is Qt's alpha, which RGB32 wants opaque.
        if (bitmap.bitsPerPixel == 32) {
            for (int x = 0; x < bitmap.width; ++x) line[4 * x + 3] = 0xFF;
        }
    }
    if (format == QImage::Format_Indexed8) {
        QList<QRgb> table;
        for (const Rgb& colour : bitmap.palette) table.push_back(qRgb(colour.red, colour.green, colour.blue));
        while (table.size() < kIndexedColours) table.push_back(qRgb(0, 0, 0));
        image.setColorTable(table);
    }
    return image;
}

} // namespace qx::platform
