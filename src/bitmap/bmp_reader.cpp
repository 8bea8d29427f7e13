#include "bitmap/bmp_reader.h"

#include "bitmap/bmp_layout.h"
#include "bitmap/info_header.h"

namespace qx::bitmap {
namespace {

constexpr std::size_t kHeadersSize = kFileHeaderSize + kInfoHeaderSize;

void PutPixel(RgbImage& image, int x, int yFromBottom, const std::uint8_t bgr[3])
{
    std::uint8_t* p = image.rgb.data() + (static_cast<std::size_t>(image.height - 1 - yFromBottom) * image.width + x) * 3;
    p[0] = bgr[2];
    p[1] = bgr[1];
    p[2] = bgr[0];
}

ReadError ReadTrueColour(std::span<const std::uint8_t> data, RgbImage& image)
{
    const std::size_t rowSize = RowStride(static_cast<std::uint64_t>(image.width), 24);
    if (data.size() < rowSize * image.height) return ReadError::Damaged;
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t* row = data.data() + static_cast<std::size_t>(y) * rowSize;
        for (int x = 0; x < image.width; ++x) PutPixel(image, x, y, row + 3 * x);
    }
    return ReadError::None;
}

class RleReader {
public:
    RleReader(std::span<const std::uint8_t> data, std::span<const std::uint8_t> table, Compression mode, RgbImage& image)
        : m_data(data), m_table(table), m_four(mode == Compression::Rle4), m_image(image)
    {
    }

    ReadError Run()
    {
        while (true) {
            std::uint8_t first = 0, second = 0;
            if (!Next(first) || !Next(second)) return ReadError::Damaged;
            if (first > 0) {
                for (int i = 0; i < first; ++i) {
                    const std::uint8_t index = m_four ? (i % 2 == 0 ? second >> 4 : second & 0x0F) : second;
                    if (!Put(index)) return ReadError::Damaged;
                }
                continue;
            }
            switch (second) {
            case 0: // end of line
                m_x = 0;
                ++m_y;
                break;
            case 1: // end of bitmap
                return ReadError::None;
            case 2: { // delta
                std::uint8_t dx = 0, dy = 0;
                if (!Next(dx) || !Next(dy)) return ReadError::Damaged;
                m_x += dx;
                m_y += dy;
                break;
            }
            default:
                if (!Absolute(second)) return ReadError::Damaged;
                break;
            }
        }
    }

private:
    bool Next(std::uint8_t& byte)
    {
        if (m_pos >= m_data.size()) return false;
        byte = m_data[m_pos++];
        return true;
    }

    bool Absolute(int count)
    {
        const std::size_t bytes = m_four ? (count + 1) / 2 : count;
        if (m_data.size() - m_pos < bytes + bytes % 2) return false;
        for (int i = 0; i < count; ++i) {
            const std::uint8_t byte = m_data[m_pos + (m_four ? i / 2 : i)];
            const std::uint8_t index = m_four ? (i % 2 == 0 ? byte >> 4 : byte & 0x0F) : byte;
            if (!Put(index)) return false;
        }
        m_pos += bytes + bytes % 2;
        return true;
    }

    bool Put(std::uint8_t index)
    {
        if (m_x >= m_image.width || m_y >= m_image.height) return false;
        if (static_cast<std::size_t>(index) * kColourEntrySize >= m_table.size()) return false;
        PutPixel(m_image, m_x, m_y, m_table.data() + index * kColourEntrySize);
        ++m_x;
        return true;
    }

    std::span<const std::uint8_t> m_data;
    std::span<const std::uint8_t> m_table;
    bool m_four;
    RgbImage& m_image;
    std::size_t m_pos = 0;
    int m_x = 0;
    int m_y = 0;
};

} // namespace

std::optional<std::size_t> BitmapFileLength(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < kHeadersSize || GetLe16(bytes, kOffType) != kTypeBm) return std::nullopt;
    const std::uint32_t length = GetLe32(bytes, kOffFileSize);
    if (length < kHeadersSize || length > bytes.size()) return std::nullopt;
    return length;
}

ReadResult ReadBmpFile(std::span<const std::uint8_t> file)
{
    ReadResult result;
    const std::optional<std::size_t> length = BitmapFileLength(file);
    if (!length) {
        result.error = ReadError::NotBitmap;
        return result;
    }
    file = file.first(*length);
    const InfoHeader h = GetInfoHeader(file.subspan(kFileHeaderSize));
    const std::uint32_t pixelOffset = GetLe32(file, kOffPixelOffset);
    if (h.size != kInfoHeaderSize || pixelOffset < kHeadersSize || pixelOffset > file.size()) {
        result.error = ReadError::NotBitmap;
        return result;
    }

    const Compression compression = h.compression;
    const bool trueColour = h.bitCount == 24 && compression == Compression::Rgb;
    const bool rle8 = h.bitCount == 8 && compression == Compression::Rle8;
    const bool rle4 = h.bitCount == 4 && compression == Compression::Rle4;
    if (h.planes != 1 || !(trueColour || rle8 || rle4) || h.width <= 0 || h.height <= 0 ||
        static_cast<std::uint64_t>(h.width) * static_cast<std::uint64_t>(h.height) > kMaxReadPixels) {
        result.error = ReadError::Unsupported;
        return result;
    }

    const std::span<const std::uint8_t> data = file.subspan(pixelOffset);
    if (h.sizeImage > data.size()) {
        result.error = ReadError::Damaged;
        return result;
    }
    result.image.width = h.width;
    result.image.height = h.height;
    result.image.rgb.assign(static_cast<std::size_t>(h.width) * h.height * 3, 0);
    if (trueColour) {
        result.error = ReadTrueColour(data, result.image);
    } else {
        const std::span<const std::uint8_t> table = file.subspan(kHeadersSize, pixelOffset - kHeadersSize);
        result.error = RleReader(data.first(h.sizeImage), table, compression, result.image).Run();
    }
    if (result.error != ReadError::None) result.image = RgbImage{};
    return result;
}

} // namespace qx::bitmap
