#include "compress/platform/file_time.h"

#include <ctime>
#include <sys/stat.h>

#include "compress/platform/file_ops.h"
#include "compress/platform/last_error.h"
#include "compress/platform/stamp_rules.h"

namespace qx::compress {
namespace {

// The archive's time stamps count seconds in steps of two.
std::tm DosLocalTime(const FileStamp& s)
{
    std::tm tm{};
    tm.tm_year = s.year - 1900;
    tm.tm_mon = s.month - 1;
    tm.tm_mday = s.day;
    tm.tm_hour = s.hour;
    tm.tm_min = s.minute;
    tm.tm_sec = s.second / 2 * 2;
    tm.tm_isdst = -1;
    return tm;
}

} // namespace

std::optional<FileStamp> GetSlotTime(FileSlot slot)
{
    const int handle = SlotHandle(slot);
    if (handle < 0) {
        SetLastFileError(kErrorInvalidHandle);
        return std::nullopt;
    }
    struct stat info {};
    if (CurrentFileOps().StatHandle(handle, info) != 0) {
        SetLastFileErrorFromErrno();
        return std::nullopt;
    }
    std::tm local{};
    if (localtime_r(&info.st_mtim.tv_sec, &local) == nullptr) {
        SetLastFileError(kErrorInvalidParameter);
        return std::nullopt;
    }
    SetLastFileError(kErrorNone);
    return FileStamp{static_cast<std::int16_t>(local.tm_year + 1900), static_cast<std::int16_t>(local.tm_mon + 1),
                     static_cast<std::int16_t>(local.tm_mday),         static_cast<std::int16_t>(local.tm_hour),
                     static_cast<std::int16_t>(local.tm_min),          static_cast<std::int16_t>(local.tm_sec)};
}

bool StoreSlotTime(FileSlot slot, const FileStamp& wanted)
{
    std::tm local = DosLocalTime(wanted);
    const std::time_t seconds = std::mktime(&local);
    if (seconds == static_cast<std::time_t>(-1)) {
        SetLastFileError(kErrorInvalidParameter);
        return false;
    }
    if (CurrentFileOps().SetModifiedTime(SlotHandle(slot), timespec{seconds, 0}) != 0) {
        SetLastFileErrorFromErrno();
        return false;
    }
    SetLastFileError(kErrorNone);
    return true;
}

} // namespace qx::compress
