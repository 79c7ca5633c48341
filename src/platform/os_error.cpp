// The error raised for an operating-system failure.
#include "platform/os_error.h"

namespace zendrift::platform {

namespace {
std::string messageFor(OsErrorCode code) {
  if (code == 0) return "A call to an OS function failed";
  return "System Error.  Code: " + std::to_string(code) + ".\r\n" + systemErrorText(code);
}
}  // namespace

OsError::OsError(OsErrorCode code) : std::runtime_error(messageFor(code)), code_(code) {}

}  // namespace zendrift::platform
