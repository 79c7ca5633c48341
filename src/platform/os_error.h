// Operating-system errors as the rest of Zendrift sees them.
//
// Callers act on a few outcomes of the system services (not found, access denied, end of a
// listing). Both back ends number these errors as Windows does, so the walk's rules read the same
// on every platform: on Windows the codes are the system's own, on POSIX errno is mapped to them.
// They travel as std::error_code in osCategory(), which also compares equal to the portable
// std::errc conditions (no_such_file_or_directory, permission_denied, ...).
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <system_error>

namespace zendrift::platform {

enum class OsErrc : int {
  fileNotFound = 2,
  pathNotFound = 3,
  tooManyOpenFiles = 4,
  accessDenied = 5,
  notEnoughMemory = 8,
  noMoreFiles = 18,
  genFailure = 31,
  sharingViolation = 32,
  fileExists = 80,
  invalidParameter = 87,
  dirNotEmpty = 145,
  filenameTooLong = 206,
  directoryName = 267,  // "The directory name is invalid."
  ioDevice = 1117,
  cantResolveFilename = 1921,  // too many levels of symbolic links
};

// The category of Windows-numbered error codes: Windows' own system category there.
const std::error_category& osCategory() noexcept;

std::error_code make_error_code(OsErrc code) noexcept;

// A Windows-numbered code as an error code; 0 gives no error.
inline std::error_code osError(std::uint32_t code) noexcept {
  return {static_cast<int>(code), osCategory()};
}

// The system's text for a Windows-numbered code, without a trailing line break.
std::string systemErrorText(std::uint32_t code);
// The text for any error code: the system's own for Windows-numbered codes.
std::string errorText(std::error_code code);

// The exception a search raises when told to raise operating-system failures rather than skip
// them: "System Error.  Code: %d." CRLF text, or "A call to an OS function failed" for no code.
class OsError : public std::runtime_error {
 public:
  explicit OsError(std::error_code code);
  std::error_code code() const noexcept { return code_; }

 private:
  std::error_code code_;
};

}  // namespace zendrift::platform

template <>
struct std::is_error_code_enum<zendrift::platform::OsErrc> : std::true_type {};
