// The system's texts for the error codes that the POSIX back end reports, worded as Windows
// words them so that a message reads the same on both platforms.
#include <string>

#include "platform/os_error.h"

namespace zendrift::platform {

std::string systemErrorText(OsErrorCode code) {
  switch (code) {
    case kErrorSuccess: return "The operation completed successfully.";
    case kErrorFileNotFound: return "The system cannot find the file specified.";
    case kErrorPathNotFound: return "The system cannot find the path specified.";
    case kErrorTooManyOpenFiles: return "The system cannot open the file.";
    case kErrorAccessDenied: return "Access is denied.";
    case kErrorNotEnoughMemory: return "Not enough memory resources are available to process this command.";
    case kErrorNoMoreFiles: return "There are no more files.";
    case kErrorGenFailure: return "A device attached to the system is not functioning.";
    case kErrorSharingViolation:
      return "The process cannot access the file because it is being used by another process.";
    case kErrorFileExists: return "The file exists.";
    case kErrorInvalidParameter: return "The parameter is incorrect.";
    case kErrorDirNotEmpty: return "The directory is not empty.";
    case kErrorFilenameTooLong: return "The filename or extension is too long.";
    case kErrorDirectoryName: return "The directory name is invalid.";
    case kErrorIoDevice: return "The request could not be performed because of an I/O device error.";
    case kErrorCantResolveFilename: return "The name of the file cannot be resolved by the system.";
    default: return "Unknown error " + std::to_string(code) + ".";
  }
}

}  // namespace zendrift::platform
