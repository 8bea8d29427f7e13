#pragma once

// The rules of SetSlotTime that do not depend on the system: which parts of
// a stamp are kept from the file, and which stamps the archive's DOS time
// stamps can hold.

#include <optional>

#include "compress/platform/file_time.h"

namespace qx::compress {

// The stamp to store given the file's `current` one: -1 in year keeps the
// date, -1 in hour keeps the time of day; none when both are kept.
std::optional<FileStamp> StampToStore(const FileStamp& current, const FileStamp& stamp);

// Whether `stamp` is a date and time of the years 1980 to 2107.
bool FitsDosTime(const FileStamp& stamp);

} // namespace qx::compress
