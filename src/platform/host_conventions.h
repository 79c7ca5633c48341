// How the host writes the files and names the programs that Zendrift makes or starts, so that
// the layers above the platform one never ask which host they run on.
#pragma once

#include <string_view>

namespace zendrift::platform {

#ifdef _WIN32
// Line ends of a text file that Zendrift creates (an existing file keeps its own).
inline constexpr std::string_view kLineBreak = "\r\n";
// What the name of an executable file ends with.
inline constexpr std::string_view kExecutableSuffix = ".exe";
#else
inline constexpr std::string_view kLineBreak = "\n";
inline constexpr std::string_view kExecutableSuffix = "";
#endif

}  // namespace zendrift::platform
