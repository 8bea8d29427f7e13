#include <cerrno>

#include "compress/platform/last_error.h"

namespace qx::compress {

ErrorCode ErrorFromErrno(int errnoValue)
{
    switch (errnoValue) {
    case 0: return kErrorNone;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return kErrorAccessDenied;
    // A read or write refused by a lock on the file.
    case EAGAIN:
    case EDEADLK:
    case ENOLCK: return kErrorLockViolation;
    case ENOSPC: return kErrorDiskFull;
    case EDQUOT: return kErrorHandleDiskFull;
    case ENOENT: return kErrorFileNotFound;
    case ENOTDIR: return kErrorPathNotFound;
    case EBADF: return kErrorInvalidHandle;
    case ENOMEM: return kErrorNotEnoughMemory;
    case ETXTBSY:
    case EBUSY: return kErrorSharingViolation;
    case EEXIST: return kErrorFileExists;
    case EINVAL:
    case EFBIG:
    case EOVERFLOW: return kErrorInvalidParameter;
    case ENAMETOOLONG: return kErrorFilenameTooLong;
    default: return kErrorGeneralFailure;
    }
}

void SetLastFileErrorFromErrno() { SetLastFileError(ErrorFromErrno(errno)); }

} // namespace qx::compress
