#pragma once

// Reads a report archive (.QXR) for the support tools: its one member is the
// report file, a bitmap file immediately followed by the report text; the
// bitmap's own size field tells where the text begins.
//
// An archive can claim any size; what is read is held in memory, so a
// report larger than the limits below is refused before it is unpacked or
// read, and the free space of the work directory is checked first.

#include "bitmap/bmp_reader.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace qxr {

// The largest report text read (4 MiB: a report text is a few kilobytes).
inline constexpr std::uint64_t kMaxReportTextBytes = std::uint64_t{4} << 20;
// The largest screenshot bitmap file read (64 MiB) and its most pixels
// (16 777 216, a 5120 × 3200 screen).
inline constexpr std::uint64_t kMaxReportBitmapBytes = std::uint64_t{64} << 20;
inline constexpr std::uint64_t kMaxReportPixels = std::uint64_t{1} << 24;

enum class ReportError {
    None,
    ArchiveMissing,  // the archive cannot be opened, or is not a regular file
    ArchiveDamaged,  // its packed data cannot be decoded
    ArchiveUnread,   // its first byte cannot be read
    VolumeFull,      // no room for the unpacked report file
    NoWorkFile,      // the temporary file for unpacking cannot be made or read
    NoBitmap,        // the report file does not begin with a whole, readable bitmap file
    TooLarge,        // the report, its bitmap or its text is beyond the limits above
};

struct ReportFile {
    std::vector<std::uint8_t> bytes;
    std::size_t bitmapLength = 0;
    qx::bitmap::RgbImage image; // the bitmap's pixels

    std::span<const std::uint8_t> Bitmap() const { return std::span(bytes).first(bitmapLength); }
    std::span<const std::uint8_t> Text() const { return std::span(bytes).subspan(bitmapLength); }
};

struct ReportResult {
    ReportError error = ReportError::None;
    ReportFile report;
};

// Unpacks `archivePath` with nfDecompacte into a new temporary file inside
// `workDirectory` (an explicit destination: the name stored in the archive,
// Windows or not, plays no part), reads it, deletes it and decodes the
// bitmap. Nothing else is written anywhere.
ReportResult ReadReportArchive(const std::string& archivePath, const std::string& workDirectory);

// The French message for `error` (UTF-8), naming the archive.
std::string DescribeReportError(ReportError error, const std::string& archivePath);

} // namespace qxr
