#include "compress/platform/file_time.h"

#include "compress/platform/last_error.h"
#include "compress/platform/slot_table.h"
#include "compress/platform/stamp_rules.h"
#include "compress/platform/win32/windows_api.h"

namespace qx::compress {
namespace {

using win32::FailFromSystem;

// The stamp as the DOS date and time pair: seconds in steps of two.
FILETIME DosLocalTime(const FileStamp& s, bool& ok)
{
    const auto date = static_cast<WORD>(((s.year - 1980) << 9) + (s.month << 5) + s.day);
    const auto time = static_cast<WORD>((s.hour << 11) + (s.minute << 5) + s.second / 2);
    FILETIME local{};
    ok = DosDateTimeToFileTime(date, time, &local);
    return local;
}

} // namespace

std::optional<FileStamp> GetSlotTime(FileSlot slot)
{
    const int handle = SlotHandle(slot);
    if (handle == kNoSystemHandle) {
        SetLastFileError(kErrorInvalidHandle);
        return std::nullopt;
    }
    const win32::CriticalErrorBoxesOff quiet;
    FILETIME written{};
    FILETIME local{};
    SYSTEMTIME parts{};
    if (!GetFileTime(win32::ToHandle(handle), nullptr, nullptr, &written) || !FileTimeToLocalFileTime(&written, &local) ||
        !FileTimeToSystemTime(&local, &parts)) {
        FailFromSystem();
        return std::nullopt;
    }
    SetLastFileError(kErrorNone);
    return FileStamp{static_cast<std::int16_t>(parts.wYear), static_cast<std::int16_t>(parts.wMonth),
                     static_cast<std::int16_t>(parts.wDay),  static_cast<std::int16_t>(parts.wHour),
                     static_cast<std::int16_t>(parts.wMinute), static_cast<std::int16_t>(parts.wSecond)};
}

bool StoreSlotTime(FileSlot slot, const FileStamp& wanted)
{
    const win32::CriticalErrorBoxesOff quiet;
    bool converted = false;
    const FILETIME local = DosLocalTime(wanted, converted);
    FILETIME universal{};
    if (!converted || !LocalFileTimeToFileTime(&local, &universal) ||
        !SetFileTime(win32::ToHandle(SlotHandle(slot)), nullptr, nullptr, &universal))
        return FailFromSystem();
    SetLastFileError(kErrorNone);
    return true;
}

} // namespace qx::compress
