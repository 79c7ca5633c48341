// Maps errno values to the Windows-numbered codes that callers of the platform layer act on.
#pragma once

#include <cerrno>
#include <system_error>

#include "platform/os_error.h"

namespace zendrift::platform::posix {

inline std::error_code fromErrno(int error) {
  switch (error) {
    case 0: return {};
    case ENOENT:
    case ENOTDIR: return OsErrc::pathNotFound;
    case EACCES:
    case EPERM: return OsErrc::accessDenied;
    case EMFILE:
    case ENFILE: return OsErrc::tooManyOpenFiles;
    case ENOMEM: return OsErrc::notEnoughMemory;
    case ENAMETOOLONG: return OsErrc::filenameTooLong;
    case ELOOP: return OsErrc::cantResolveFilename;
    case EEXIST: return OsErrc::fileExists;
    case ENOTEMPTY: return OsErrc::dirNotEmpty;
    case EINVAL: return OsErrc::invalidParameter;
    case EIO: return OsErrc::ioDevice;
    default: return OsErrc::genFailure;
  }
}

}  // namespace zendrift::platform::posix
