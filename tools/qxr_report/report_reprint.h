#pragma once

// A received report made ready for printing again: the record read back from
// the report text, the screen image from the bitmap, and the report number
// from the archive's name. Nothing comes from the machine it is printed on
// but the product file table, which is the program's own.

#include "platform/bitmap.h"
#include "qxr_report/report_archive_reader.h"
#include "report/report_record.h"

#include <optional>
#include <string>
#include <string_view>

namespace qxr {

struct Reprint {
    CReportRecord record;
    qx::Bitmap image;   // 32 bits per pixel
    std::string number; // as the desktop printed it
};

// The report number in an archive's file name: the default name is the
// serial's prefix, the number text padded to two characters with "0", and
// ".QXR". A name of another form gives its whole stem. `fileName` is the
// system's bytes (UTF-8), `serial` and the result Windows-1252.
std::string ReportNumberFromArchiveName(std::string_view fileName, std::string_view serial);

// The reprint of `report`, read from the archive at `archivePath`; nothing
// when its text is not a report text.
std::optional<Reprint> MakeReprint(const ReportFile& report, const std::string& archivePath);

} // namespace qxr
