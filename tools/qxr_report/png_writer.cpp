#include "qxr_report/png_writer.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace qxr {
namespace {

constexpr std::array<std::uint8_t, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::uint8_t kBitDepth = 8;
constexpr std::uint8_t kColourTypeRgb = 2;
constexpr std::uint8_t kFilterNone = 0;
constexpr std::size_t kMaxStoredBlock = 65535;
// zlib header: deflate with a 32 KiB window, no dictionary, the check bits
// making 0x7801 a multiple of 31.
constexpr std::array<std::uint8_t, 2> kZlibHeader = {0x78, 0x01};

void PutBe32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void PutChunk(std::vector<std::uint8_t>& out, std::string_view type, std::span<const std::uint8_t> data)
{
    PutBe32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeAt = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    PutBe32(out, Crc32(std::span(out).subspan(typeAt)));
}

// Each row: the filter byte, then the row's red, green, blue bytes.
std::vector<std::uint8_t> Scanlines(const qx::bitmap::RgbImage& image)
{
    const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 3;
    std::vector<std::uint8_t> raw;
    raw.reserve((rowBytes + 1) * image.height);
    for (int y = 0; y < image.height; ++y) {
        raw.push_back(kFilterNone);
        const auto row = image.rgb.begin() + static_cast<std::ptrdiff_t>(rowBytes * y);
        raw.insert(raw.end(), row, row + static_cast<std::ptrdiff_t>(rowBytes));
    }
    return raw;
}

std::vector<std::uint8_t> StoredZlibStream(std::span<const std::uint8_t> raw)
{
    std::vector<std::uint8_t> z(kZlibHeader.begin(), kZlibHeader.end());
    std::size_t done = 0;
    do {
        const std::size_t n = std::min(kMaxStoredBlock, raw.size() - done);
        const bool last = done + n == raw.size();
        z.push_back(last ? 1 : 0); // BFINAL, BTYPE 00 (stored)
        z.push_back(static_cast<std::uint8_t>(n));
        z.push_back(static_cast<std::uint8_t>(n >> 8));
        z.push_back(static_cast<std::uint8_t>(~n));
        z.push_back(static_cast<std::uint8_t>(~n >> 8));
        z.insert(z.end(), raw.begin() + static_cast<std::ptrdiff_t>(done), raw.begin() + static_cast<std::ptrdiff_t>(done + n));
        done += n;
    } while (done < raw.size());
    PutBe32(z, Adler32(raw));
    return z;
}

} // namespace

std::uint32_t Crc32(std::span<const std::uint8_t> bytes, std::uint32_t crc)
{
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (const std::uint8_t b : bytes) crc = table[(crc ^ b) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

std::uint32_t Adler32(std::span<const std::uint8_t> bytes)
{
    constexpr std::uint32_t kModulus = 65521;
    constexpr std::size_t kChunk = 5552; // the most bytes before the sums can overflow 32 bits
    std::uint32_t a = 1, b = 0;
    for (std::size_t done = 0; done < bytes.size(); done += kChunk) {
        for (const std::uint8_t byte : bytes.subspan(done, std::min(kChunk, bytes.size() - done))) {
            a += byte;
            b += a;
        }
        a %= kModulus;
        b %= kModulus;
    }
    return (b << 16) | a;
}

std::vector<std::uint8_t> EncodePng(const qx::bitmap::RgbImage& image)
{
    std::vector<std::uint8_t> png(kSignature.begin(), kSignature.end());
    std::vector<std::uint8_t> header;
    PutBe32(header, static_cast<std::uint32_t>(image.width));
    PutBe32(header, static_cast<std::uint32_t>(image.height));
    header.insert(header.end(), {kBitDepth, kColourTypeRgb, 0, 0, 0}); // compression, filter, interlace
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", StoredZlibStream(Scanlines(image)));
    PutChunk(png, "IEND", {});
    return png;
}

} // namespace qxr
