#include "qxr_report/png_writer.h"

#include <array>
#include <span>
#include <string_view>

#include <zlib.h>

namespace qxr {
namespace {

constexpr std::array<std::uint8_t, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::uint8_t kBitDepth = 8;
constexpr std::uint8_t kColourTypeRgb = 2;
constexpr std::uint8_t kFilterNone = 0;

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
    const std::span<const std::uint8_t> covered = std::span(out).subspan(typeAt);
    PutBe32(out, static_cast<std::uint32_t>(::crc32(::crc32(0, nullptr, 0), covered.data(),
                                                    static_cast<uInt>(covered.size()))));
}

// Each row: the filter byte, then the row's red, green, blue bytes.
std::vector<std::uint8_t> Scanlines(const qx::bitmap::RgbImage& image)
{
    const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 3;
    std::vector<std::uint8_t> raw;
    raw.reserve((rowBytes + 1) * static_cast<std::size_t>(image.height));
    for (int y = 0; y < image.height; ++y) {
        raw.push_back(kFilterNone);
        const auto row = image.rgb.begin() + static_cast<std::ptrdiff_t>(rowBytes * static_cast<std::size_t>(y));
        raw.insert(raw.end(), row, row + static_cast<std::ptrdiff_t>(rowBytes));
    }
    return raw;
}

std::optional<std::vector<std::uint8_t>> Deflated(const std::vector<std::uint8_t>& raw)
{
    uLongf length = ::compressBound(static_cast<uLong>(raw.size()));
    std::vector<std::uint8_t> z(length);
    if (::compress2(z.data(), &length, raw.data(), static_cast<uLong>(raw.size()), Z_DEFAULT_COMPRESSION) != Z_OK)
        return std::nullopt;
    z.resize(length);
    return z;
}

} // namespace

std::optional<std::vector<std::uint8_t>> EncodePng(const qx::bitmap::RgbImage& image)
{
    const auto data = Deflated(Scanlines(image));
    if (!data) return std::nullopt;
    std::vector<std::uint8_t> png(kSignature.begin(), kSignature.end());
    std::vector<std::uint8_t> header;
    PutBe32(header, static_cast<std::uint32_t>(image.width));
    PutBe32(header, static_cast<std::uint32_t>(image.height));
    header.insert(header.end(), {kBitDepth, kColourTypeRgb, 0, 0, 0}); // compression, filter, interlace
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", *data);
    PutChunk(png, "IEND", {});
    return png;
}

} // namespace qxr
