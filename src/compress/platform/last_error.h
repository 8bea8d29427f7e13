#pragma once

// The process-wide last error of the file layer, in Windows error numbers:
// callers tell a full volume (39, 112) or a refused read (5, 33) from other
// failures by these numbers. 0 after every successful slot operation.

#include <cstdint>

namespace qx::compress {

using ErrorCode = std::uint32_t;

inline constexpr ErrorCode kErrorNone = 0;
inline constexpr ErrorCode kErrorFileNotFound = 2;
inline constexpr ErrorCode kErrorPathNotFound = 3;
inline constexpr ErrorCode kErrorTooManyOpenFiles = 4;
inline constexpr ErrorCode kErrorAccessDenied = 5;
inline constexpr ErrorCode kErrorInvalidHandle = 6;
inline constexpr ErrorCode kErrorNotEnoughMemory = 8;
inline constexpr ErrorCode kErrorInvalidData = 13;
inline constexpr ErrorCode kErrorWriteFault = 29;
inline constexpr ErrorCode kErrorReadFault = 30;
inline constexpr ErrorCode kErrorGeneralFailure = 31;
inline constexpr ErrorCode kErrorSharingViolation = 32;
inline constexpr ErrorCode kErrorLockViolation = 33;
inline constexpr ErrorCode kErrorHandleEof = 38;
inline constexpr ErrorCode kErrorHandleDiskFull = 39;
inline constexpr ErrorCode kErrorFileExists = 80;
inline constexpr ErrorCode kErrorInvalidParameter = 87;
inline constexpr ErrorCode kErrorDiskFull = 112;
inline constexpr ErrorCode kErrorNegativeSeek = 131;
inline constexpr ErrorCode kErrorFilenameTooLong = 206;

inline bool IsDiskFull(ErrorCode code) { return code == kErrorHandleDiskFull || code == kErrorDiskFull; }

ErrorCode LastFileError();
void SetLastFileError(ErrorCode code);
// The POSIX layer's translation; the Win32 layer stores GetLastError as it is.
// The Windows number for a POSIX errno value: EACCES and EPERM are 5, the
// lock errors 33, ENOSPC 112 and EDQUOT 39; the rest as close as Windows has.
ErrorCode ErrorFromErrno(int errnoValue);
// Sets the last error from `errno` as it is now.
void SetLastFileErrorFromErrno();

} // namespace qx::compress
