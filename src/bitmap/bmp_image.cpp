#include "bitmap/bmp_image.h"

#include "bitmap/info_header.h"
#include "bitmap/rle_encoder.h"
#include "bitmap/source_rows.h"

#include <algorithm>
#include <limits>

namespace qx::bitmap {
namespace {

// Room left in a 32-bit bfSize for the headers and the largest colour table.
constexpr std::uint64_t kMaxPixelBytes =
    std::numeric_limits<std::uint32_t>::max() - kFileHeaderSize - kInfoHeaderSize - 256 * kColourEntrySize;

struct Format {
    Colours colours;
    std::uint16_t bitCount;
    Compression compression;
};

std::optional<Format> FormatForDepth(int depth)
{
    switch (depth) {
    case 4:
        return Format{Colours::Sixteen, 4, Compression::Rle4};
    case 8:
        return Format{Colours::TwoHundredFiftySix, 8, Compression::Rle8};
    case 16:
    case 24:
    case 32:
        return Format{Colours::TrueColour, 24, Compression::Rgb};
    default:
        return std::nullopt;
    }
}

std::vector<std::uint8_t> TrueColourPixels(const Bitmap& b)
{
    const std::size_t rowSize = RowStride(static_cast<std::uint64_t>(b.width), 24);
    std::vector<std::uint8_t> out(rowSize * static_cast<std::size_t>(b.height), 0);
    for (int y = 0; y < b.height; ++y) {
        std::uint8_t* dst = out.data() + static_cast<std::size_t>(b.height - 1 - y) * rowSize;
        const std::uint8_t* src = b.Row(y);
        if (b.bitsPerPixel == 24) {
            std::copy_n(src, static_cast<std::size_t>(b.width) * 3, dst);
        } else if (b.bitsPerPixel == 32) {
            for (int x = 0; x < b.width; ++x, src += 4, dst += 3) {
                dst[0] = src[0];
                dst[1] = src[1];
                dst[2] = src[2];
            }
        } else {
            for (int x = 0; x < b.width; ++x, dst += 3) {
                const Rgb c = PixelColor(b, x, y);
                dst[0] = c.blue;
                dst[1] = c.green;
                dst[2] = c.red;
            }
        }
    }
    return out;
}

std::vector<std::uint8_t> PaletteIndices(const Bitmap& b)
{
    std::vector<std::uint8_t> out(static_cast<std::size_t>(b.width) * static_cast<std::size_t>(b.height));
    std::uint8_t* dst = out.data();
    for (int y = 0; y < b.height; ++y) {
        const std::uint8_t* row = b.Row(y);
        for (int x = 0; x < b.width; ++x) {
            *dst++ = b.bitsPerPixel == 8 ? row[x] : static_cast<std::uint8_t>(x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 0x0F);
        }
    }
    return out;
}

void PutColourTable(std::span<std::uint8_t> table, std::span<const Rgb> preset, std::span<const Rgb> palette)
{
    for (std::size_t i = 0; i < preset.size(); ++i) {
        const Rgb c = i < palette.size() ? palette[i] : preset[i];
        std::uint8_t* entry = table.data() + i * kColourEntrySize;
        entry[0] = c.blue;
        entry[1] = c.green;
        entry[2] = c.red;
        entry[3] = 0;
    }
}

} // namespace

const DevicePalette& DefaultDevicePalette()
{
    static const DevicePalette palette = [] {
        DevicePalette p{};
        const Rgb statics[20] = {
            {0, 0, 0},       {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128},
            {128, 0, 128},   {0, 128, 128},   {192, 192, 192}, {192, 220, 192}, {166, 202, 240},
            {255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0},
            {255, 255, 0},   {0, 0, 255},     {255, 0, 255},   {0, 255, 255},   {255, 255, 255},
        };
        std::copy(std::begin(statics), std::end(statics), p.begin());
        return p;
    }();
    return palette;
}

const std::array<Rgb, 16>& SixteenColourTable()
{
    static const std::array<Rgb, 16> table = {{
        {0, 0, 0},       {128, 0, 0}, {0, 128, 0}, {128, 128, 0}, {0, 0, 128},   {128, 0, 128},
        {0, 128, 128},   {128, 128, 128}, {192, 192, 192}, {255, 0, 0}, {0, 255, 0}, {255, 255, 0},
        {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
    }};
    return table;
}

std::optional<BmpImage> BuildBmpImage(const Bitmap& bitmap, const DevicePalette& device)
{
    const std::optional<Format> format = FormatForDepth(bitmap.planes * bitmap.bitsPerPixel);
    if (!format || bitmap.width <= 0 || bitmap.height <= 0) return std::nullopt;
    if (RowStride(static_cast<std::uint64_t>(bitmap.width), 24) * static_cast<std::uint64_t>(bitmap.height) > kMaxPixelBytes)
        return std::nullopt;
    if (!HasConsistentRows(bitmap)) return std::nullopt;

    BmpImage image;
    image.colours = format->colours;
    const std::size_t entries = ColourTableEntries(format->colours);
    image.header.assign(kInfoHeaderSize + entries * kColourEntrySize, 0);

    if (format->compression == Compression::Rgb) {
        image.pixels = TrueColourPixels(bitmap);
    } else {
        const Rle mode = format->compression == Compression::Rle8 ? Rle::Rle8 : Rle::Rle4;
        image.pixels = EncodeRle(mode, bitmap.width, bitmap.height, PaletteIndices(bitmap));
        if (image.pixels.size() > kMaxPixelBytes) return std::nullopt;
        const std::span<const Rgb> preset =
            entries == 16 ? std::span<const Rgb>(SixteenColourTable()) : std::span<const Rgb>(device);
        PutColourTable(std::span(image.header).subspan(kInfoHeaderSize), preset, bitmap.palette);
    }

    PutInfoHeader(image.header, InfoHeader{.width = bitmap.width,
                                           .height = bitmap.height,
                                           .bitCount = format->bitCount,
                                           .compression = format->compression,
                                           .sizeImage = static_cast<std::uint32_t>(image.pixels.size())});
    return image;
}

} // namespace qx::bitmap
