#include "compress/platform/stamp_rules.h"

#include "compress/platform/last_error.h"

namespace qx::compress {
namespace {

constexpr int kFirstDosYear = 1980;
constexpr int kLastDosYear = 2107;

// The stamp to store given the file's `current` one: -1 in year keeps the
// date, -1 in hour keeps the time of day; none when both are kept.
std::optional<FileStamp> StampToStore(const FileStamp& current, const FileStamp& stamp)
{
    FileStamp wanted = stamp;
    const bool keepDate = stamp.year == -1;
    if (keepDate) {
        wanted.year = current.year;
        wanted.month = current.month;
        wanted.day = current.day;
    }
    if (stamp.hour == -1) {
        if (keepDate) return std::nullopt;
        wanted.hour = current.hour;
        wanted.minute = current.minute;
        wanted.second = current.second;
    }
    return wanted;
}

bool FitsDosTime(const FileStamp& s)
{
    return s.year >= kFirstDosYear && s.year <= kLastDosYear && s.month >= 1 && s.month <= 12 && s.day >= 1 &&
           s.day <= 31 && s.hour >= 0 && s.hour <= 23 && s.minute >= 0 && s.minute <= 59 && s.second >= 0 &&
           s.second <= 59;
}

} // namespace

bool SetSlotTime(FileSlot slot, const FileStamp& stamp)
{
    const std::optional<FileStamp> read = GetSlotTime(slot);
    if (!read) return false;
    const std::optional<FileStamp> wanted = StampToStore(*read, stamp);
    if (!wanted) return true;
    if (!FitsDosTime(*wanted)) {
        SetLastFileError(kErrorInvalidParameter);
        return false;
    }
    return StoreSlotTime(slot, *wanted);
}

} // namespace qx::compress
