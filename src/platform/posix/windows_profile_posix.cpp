// The Windows profile on POSIX systems: a Wine prefix.
#include "platform/windows_profile.h"

namespace zendrift::platform {

std::optional<std::string> expandProfileEnvironment(std::string_view text) {
  if (text.find('%') == std::string_view::npos) return std::string(text);
  return std::nullopt;
}

}  // namespace zendrift::platform
