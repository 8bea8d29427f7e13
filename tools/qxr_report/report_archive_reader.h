#pragma once

// Reads a report archive (.QXR) for the support tools: its one member is the
// report file, a bitmap file immediately followed by the report text; the
// bitmap's own size field tells where the text begins.

#include "bitmap/bmp_reader.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace qxr {

enum class ReportError {
    None,
    ArchiveMissing,  // the archive cannot be opened
    ArchiveDamaged,  // its packed data cannot be decoded
    ArchiveUnread,   // its first byte cannot be read (a directory, say)
    VolumeFull,      // no room for the unpacked report file
    NoWorkFile,      // the temporary file for unpacking cannot be made
    NoBitmap,        // the report file does not begin with a whole, readable bitmap file
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
