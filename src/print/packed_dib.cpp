#include "print/packed_dib.h"

#include "app/bmp/bmp_layout.h"

#include <limits>

namespace qx::print {

namespace {

using namespace qx::bmp;

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

std::uint64_t DibStride(std::uint64_t width, int bitCount)
{
    return (width * static_cast<std::uint64_t>(bitCount) + 31) / 32 * 4;
}

bool IsReadableSource(const Bitmap& b)
{
    if (b.IsNull() || b.planes != 1) return false;
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
    const std::uint64_t needed = (static_cast<std::uint64_t>(b.width) * b.bitsPerPixel + 7) / 8;
    return b.stride >= 0 && static_cast<std::uint64_t>(b.stride) >= needed &&
           b.bits.size() >= static_cast<std::uint64_t>(b.stride) * b.height;
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
    const std::uint64_t stride = DibStride(static_cast<std::uint64_t>(bitmap.width), bitCount);
    const std::uint64_t sizeImage = stride * static_cast<std::uint64_t>(bitmap.height);
    if (sizeImage > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
    const std::size_t colours = DefaultColourCount(bitCount);

    PackedDib dib(kInfoHeaderSize + colours * kColourEntrySize + sizeImage, 0);
    std::span<std::uint8_t> out(dib);
    PutLe32(out, kOffInfoSize, static_cast<std::uint32_t>(kInfoHeaderSize));
    PutLe32(out, kOffWidth, static_cast<std::uint32_t>(bitmap.width));
    PutLe32(out, kOffHeight, static_cast<std::uint32_t>(bitmap.height));
    PutLe16(out, kOffPlanes, 1);
    PutLe16(out, kOffBitCount, static_cast<std::uint16_t>(bitCount));
    PutLe32(out, kOffCompression, static_cast<std::uint32_t>(Compression::Rgb));
    PutLe32(out, kOffSizeImage, static_cast<std::uint32_t>(sizeImage));

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
    if (dib.size() < kInfoHeaderSize || GetLe32(dib, kOffInfoSize) < kInfoHeaderSize) return std::nullopt;
    const auto width = static_cast<std::int32_t>(GetLe32(dib, kOffWidth));
    const auto height = static_cast<std::int32_t>(GetLe32(dib, kOffHeight));
    const int bitCount = GetLe16(dib, kOffBitCount);
    if (width <= 0 || height <= 0 || GetLe16(dib, kOffPlanes) != 1) return std::nullopt;
    if (GetLe32(dib, kOffCompression) != static_cast<std::uint32_t>(Compression::Rgb)) return std::nullopt;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24) return std::nullopt;

    const std::uint32_t clrUsed = GetLe32(dib, kOffClrUsed);
    const std::uint64_t colours = clrUsed != 0 ? clrUsed : DefaultColourCount(bitCount);
    const std::uint64_t stride = DibStride(static_cast<std::uint64_t>(width), bitCount);
    const std::uint64_t tableOffset = GetLe32(dib, kOffInfoSize);
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

} // namespace qx::print
