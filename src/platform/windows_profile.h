// The Windows profile that Zendrift works on: on Windows the system itself, on Linux a Wine
// prefix. Answers questions about Windows paths as shortcuts store them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zendrift::platform {

// Expands every %NAME% in `text` from the profile's environment. Empty when a name is unknown.
std::optional<std::string> expandProfileEnvironment(std::string_view text);

}  // namespace zendrift::platform
