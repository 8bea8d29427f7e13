#include "bitmap/packed_dib.h"

#include "bitmap/bmp_layout.h"
#include "bitmap/info_header.h"
#include "bitmap/source_rows.h"

#include <limits>

namespace qx::bitmap {

namespace {

int DibBitCount(int depth)
{
    if (depth <= 1) return 1;
    if (depth <= 4) return 4;
    if (depth <= 8) return 8;
    return 24;
}

std::size_t DefaultColourCount(int bitCount)
{
    return bitCount <= 8 ? std::size_t{1} << bitCount : 0;
}

bool IsReadableSource(const Bitmap& b)
{
    switch (b.bitsPerPixel) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        break;
    default:
        return false;
    }
    return HasConsistentRows(b);
}

Rgb TableColour(const Bitmap& b, std::span<const Rgb> displayPalette, std::size_t index)
{
    if (index < displayPalette.size()) return displayPalette[index];
    if (index < b.palette.size()) return b.palette[index];
    if (b.bitsPerPixel == 1 && index == 1) return Rgb{255, 255, 255};
    return Rgb{};
}

void CopyRow(const Bitmap& b, int y, int bitCount, std::uint8_t* out)
{
    const std::uint8_t* row = b.Row(y);
    if (bitCount <= 8) {
        const std::size_t bytes = (static_cast<std::size_t>(b.width) * bitCount + 7) / 8;
        std::copy(row, row + bytes, out);
        return;
    }
    for (int x = 0; x < b.width; ++x) {
        const Rgb c = PixelColor(b, x, y);
        *out++ = c.blue;
        *out++ = c.green;
        *out++ = c.red;
    }
}

} // namespace

std::optional<PackedDib> CreateDibFromBitmap(const Bitmap& bitmap, std::span<const Rgb> displayPalette)
{
    if (!IsReadableSource(bitmap)) return std::nullopt;
    const int bitCount = DibBitCount(bitmap.planes * bitmap.bitsPerPixel);
    const std::uint64_t stride = RowStride(static_cast<std::uint64_t>(bitmap.width), bitCount);
    const std::uint64_t sizeImage = stride * static_cast<std::uint64_t>(bitmap.height);
    if (sizeImage > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
    const std::size_t colours = DefaultColourCount(bitCount);

    PackedDib dib(kInfoHeaderSize + colours * kColourEntrySize + sizeImage, 0);
    PutInfoHeader(dib, InfoHeader{.width = bitmap.width,
                                  .height = bitmap.height,
                                  .bitCount = static_cast<std::uint16_t>(bitCount),
                                  .sizeImage = static_cast<std::uint32_t>(sizeImage)});

    for (std::size_t i = 0; i < colours; ++i) {
        const Rgb c = TableColour(bitmap, displayPalette, i);
        std::uint8_t* entry = dib.data() + kInfoHeaderSize + i * kColourEntrySize;
        entry[0] = c.blue;
        entry[1] = c.green;
        entry[2] = c.red;
    }
    std::uint8_t* pixels = dib.data() + kInfoHeaderSize + colours * kColourEntrySize;
    for (int y = 0; y < bitmap.height; ++y) {
        CopyRow(bitmap, y, bitCount, pixels + static_cast<std::size_t>(bitmap.height - 1 - y) * stride);
    }
    return dib;
}

std::optional<Bitmap> DibToBitmap(std::span<const std::uint8_t> dib)
{
    if (dib.size() < kInfoHeaderSize) return std::nullopt;
    const InfoHeader h = GetInfoHeader(dib);
    if (h.size < kInfoHeaderSize) return std::nullopt;
    const std::int32_t width = h.width;
    const std::int32_t height = h.height;
    const int bitCount = h.bitCount;
    if (width <= 0 || height <= 0 || h.planes != 1) return std::nullopt;
    if (h.compression != Compression::Rgb) return std::nullopt;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24) return std::nullopt;

    const std::uint64_t colours = h.clrUsed != 0 ? h.clrUsed : DefaultColourCount(bitCount);
    const std::uint64_t stride = RowStride(static_cast<std::uint64_t>(width), bitCount);
    const std::uint64_t tableOffset = h.size;
    const std::uint64_t pixelOffset = tableOffset + colours * kColourEntrySize;
    if (pixelOffset + stride * static_cast<std::uint64_t>(height) > dib.size()) return std::nullopt;

    Bitmap image = MakeBitmap(width, height, 32);
    const auto colourAt = [&](std::uint64_t index) {
        if (index >= colours) return Rgb{};
        const std::uint8_t* entry = dib.data() + tableOffset + index * kColourEntrySize;
        return Rgb{entry[2], entry[1], entry[0]};
    };
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = dib.data() + pixelOffset + static_cast<std::uint64_t>(height - 1 - y) * stride;
        std::uint8_t* out = image.Row(y);
        for (int x = 0; x < width; ++x) {
            Rgb c;
            switch (bitCount) {
            case 1: c = colourAt((row[x / 8] >> (7 - x % 8)) & 1); break;
            case 4: c = colourAt(x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 0x0F); break;
            case 8: c = colourAt(row[x]); break;
            default: c = Rgb{row[3 * x + 2], row[3 * x + 1], row[3 * x]}; break;
            }
            out[4 * x] = c.blue;
            out[4 * x + 1] = c.green;
            out[4 * x + 2] = c.red;
        }
    }
    return image;
}

} // namespace qx::bitmap
