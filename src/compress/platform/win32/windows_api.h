#pragma once

// What every Win32 file of the layer shares: the system header without its
// min/max macros, handles kept as ints, the last error taken from the system
// and critical-error boxes turned off for the length of a scope.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "compress/platform/last_error.h"

namespace qx::compress::win32 {

// Win32 handles keep their value within 32 bits, so 32- and 64-bit code
// can pass them around as ints.
inline HANDLE ToHandle(int handle) { return LongToHandle(handle); }
inline int FromHandle(HANDLE handle) { return HandleToLong(handle); }

// Stores the system's error code of the call that just failed; false.
inline bool FailFromSystem()
{
    SetLastFileError(GetLastError());
    return false;
}

// Whether an open handle is a regular file: not a device, pipe or console
// (GetFileType) and not a directory. A refused handle gets the last error a
// refused open of its kind gives: access denied for a directory, invalid
// parameter for the others.
inline bool IsRegularFile(HANDLE handle)
{
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(handle) != FILE_TYPE_DISK || !GetFileInformationByHandle(handle, &info)) {
        SetLastFileError(ERROR_INVALID_PARAMETER);
        return false;
    }
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        SetLastFileError(ERROR_ACCESS_DENIED);
        return false;
    }
    return true;
}

// A drive that is not ready and the like comes back as a failed call rather
// than as a box the user must answer.
class CriticalErrorBoxesOff {
public:
    CriticalErrorBoxesOff() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
    ~CriticalErrorBoxesOff() { SetErrorMode(previous_); }
    CriticalErrorBoxesOff(const CriticalErrorBoxesOff&) = delete;
    CriticalErrorBoxesOff& operator=(const CriticalErrorBoxesOff&) = delete;

private:
    UINT previous_;
};

} // namespace qx::compress::win32
