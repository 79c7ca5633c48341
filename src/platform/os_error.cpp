// The error raised for an operating-system failure.
#include "platform/os_error.h"

namespace zendrift::platform {

namespace {
std::string messageFor(std::error_code code) {
  if (!code) return "A call to an OS function failed";
  return "System Error.  Code: " + std::to_string(code.value()) + ".\r\n" + errorText(code);
}
}  // namespace

std::string errorText(std::error_code code) {
  return code.category() == osCategory() ? systemErrorText(static_cast<std::uint32_t>(code.value())) : code.message();
}

std::error_code make_error_code(OsErrc code) noexcept { return osError(static_cast<std::uint32_t>(code)); }

OsError::OsError(std::error_code code) : std::runtime_error(messageFor(code)), code_(code) {}

}  // namespace zendrift::platform
