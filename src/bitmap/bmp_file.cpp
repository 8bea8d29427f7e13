#include "bitmap/bmp_file.h"

#include <algorithm>

namespace qx::bitmap {
namespace {

bool WriteAll(platform::OutputFile& file, std::span<const std::uint8_t> bytes)
{
    return file.Write(bytes) == bytes.size();
}

} // namespace

std::array<std::uint8_t, kFileHeaderSize> BuildBmpFileHeader(std::uint32_t pixelBytes, Colours colours)
{
    const auto offBits =
        static_cast<std::uint32_t>(kFileHeaderSize + kInfoHeaderSize + ColourTableEntries(colours) * kColourEntrySize);
    std::array<std::uint8_t, kFileHeaderSize> header{};
    PutLe16(header, kOffType, kTypeBm);
    PutLe32(header, kOffFileSize, pixelBytes + offBits);
    PutLe16(header, kOffReserved1, 0);
    PutLe16(header, kOffReserved2, 0);
    PutLe32(header, kOffPixelOffset, offBits);
    return header;
}

bool WriteBmpFile(platform::FileStore& files, const std::string& path, std::span<const std::uint8_t> header,
                  std::span<const std::uint8_t> pixels, Colours colours)
{
    const std::unique_ptr<platform::OutputFile> file = files.Open(path, platform::OpenMode::Replace);
    if (!file) return false;
    const auto fileHeader = BuildBmpFileHeader(static_cast<std::uint32_t>(pixels.size()), colours);
    if (!WriteAll(*file, fileHeader) || !WriteAll(*file, header)) return false;
    for (std::size_t done = 0; done < pixels.size(); done += kWritePiece) {
        if (!WriteAll(*file, pixels.subspan(done, std::min(kWritePiece, pixels.size() - done)))) return false;
    }
    return file->Close();
}

} // namespace qx::bitmap
