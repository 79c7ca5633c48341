// Operating-system error codes as the rest of Zendrift sees them.
//
// Callers act on a few outcomes of the system services (not found, access denied, end of a
// listing). Both back ends report them with the Windows error numbers, so the search engine's
// rules read the same on every platform.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace zendrift::platform {

using OsErrorCode = std::uint32_t;

inline constexpr OsErrorCode kErrorSuccess = 0;
inline constexpr OsErrorCode kErrorFileNotFound = 2;
inline constexpr OsErrorCode kErrorPathNotFound = 3;
inline constexpr OsErrorCode kErrorTooManyOpenFiles = 4;
inline constexpr OsErrorCode kErrorAccessDenied = 5;
inline constexpr OsErrorCode kErrorNotEnoughMemory = 8;
inline constexpr OsErrorCode kErrorNoMoreFiles = 18;
inline constexpr OsErrorCode kErrorSharingViolation = 32;
inline constexpr OsErrorCode kErrorFileExists = 80;
inline constexpr OsErrorCode kErrorInvalidParameter = 87;
inline constexpr OsErrorCode kErrorFilenameTooLong = 206;
inline constexpr OsErrorCode kErrorDirNotEmpty = 145;
inline constexpr OsErrorCode kErrorDirectoryName = 267;  // "The directory name is invalid."
inline constexpr OsErrorCode kErrorIoDevice = 1117;
inline constexpr OsErrorCode kErrorCantResolveFilename = 1921;  // too many levels of symbolic links
inline constexpr OsErrorCode kErrorGenFailure = 31;

// The system's text for an error code, without a trailing line break.
std::string systemErrorText(OsErrorCode code);

// The error raised for an operating-system failure: "System Error.  Code: %d." CRLF text,
// or "A call to an OS function failed" when the code is 0.
class OsError : public std::runtime_error {
 public:
  explicit OsError(OsErrorCode code);
  OsErrorCode code() const noexcept { return code_; }

 private:
  OsErrorCode code_;
};

}  // namespace zendrift::platform
