#include "bitmap/info_header.h"

namespace qx::bitmap {

InfoHeader GetInfoHeader(std::span<const std::uint8_t> info)
{
    return InfoHeader{GetLe32(info, kOffInfoSize),
                      static_cast<std::int32_t>(GetLe32(info, kOffWidth)),
                      static_cast<std::int32_t>(GetLe32(info, kOffHeight)),
                      GetLe16(info, kOffPlanes),
                      GetLe16(info, kOffBitCount),
                      static_cast<Compression>(GetLe32(info, kOffCompression)),
                      GetLe32(info, kOffSizeImage),
                      GetLe32(info, kOffClrUsed)};
}

void PutInfoHeader(std::span<std::uint8_t> out, const InfoHeader& header)
{
    PutLe32(out, kOffInfoSize, header.size);
    PutLe32(out, kOffWidth, static_cast<std::uint32_t>(header.width));
    PutLe32(out, kOffHeight, static_cast<std::uint32_t>(header.height));
    PutLe16(out, kOffPlanes, header.planes);
    PutLe16(out, kOffBitCount, header.bitCount);
    PutLe32(out, kOffCompression, static_cast<std::uint32_t>(header.compression));
    PutLe32(out, kOffSizeImage, header.sizeImage);
    PutLe32(out, kOffXPelsPerMeter, 0);
    PutLe32(out, kOffYPelsPerMeter, 0);
    PutLe32(out, kOffClrUsed, header.clrUsed);
    PutLe32(out, kOffClrImportant, 0);
}

} // namespace qx::bitmap
