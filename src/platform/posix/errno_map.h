// Maps errno values to the error codes that callers of the platform layer act on.
#pragma once

#include <cerrno>

#include "platform/os_error.h"

namespace zendrift::platform::posix {

inline OsErrorCode fromErrno(int error) {
  switch (error) {
    case 0: return kErrorSuccess;
    case ENOENT:
    case ENOTDIR: return kErrorPathNotFound;
    case EACCES:
    case EPERM: return kErrorAccessDenied;
    case EMFILE:
    case ENFILE: return kErrorTooManyOpenFiles;
    case ENOMEM: return kErrorNotEnoughMemory;
    case ENAMETOOLONG: return kErrorFilenameTooLong;
    case ELOOP: return kErrorCantResolveFilename;
    case EEXIST: return kErrorFileExists;
    case ENOTEMPTY: return kErrorDirNotEmpty;
    case EINVAL: return kErrorInvalidParameter;
    case EIO: return kErrorIoDevice;
    default: return kErrorGenFailure;
  }
}

}  // namespace zendrift::platform::posix
