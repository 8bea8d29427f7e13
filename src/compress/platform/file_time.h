#pragma once

// Last-write times of slot files, in local time with the two-second
// resolution of the archive's time stamps.

#include <cstdint>
#include <optional>

#include "compress/platform/file_slots.h"

namespace qx::compress {

// -1 in year (or hour) of a stamp given to SetSlotTime keeps the file's
// date (or time of day).
struct FileStamp {
    std::int16_t year = 0;
    std::int16_t month = 0;
    std::int16_t day = 0;
    std::int16_t hour = 0;
    std::int16_t minute = 0;
    std::int16_t second = 0;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// The last-write time, or none (the reason in LastFileError).
std::optional<FileStamp> GetSlotTime(FileSlot slot);

// Sets the last-write time to `stamp` rounded down to the even second. A
// date outside 1980 to 2107 cannot be stored that way: the time is left as it
// is and the result is false.
bool SetSlotTime(FileSlot slot, const FileStamp& stamp);

} // namespace qx::compress
