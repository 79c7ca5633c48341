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
// The caption of the choice to delete into the desktop's trash.
inline constexpr std::string_view kMoveToTrashCaption = "Move to Recycle Bin";
#else
inline constexpr std::string_view kLineBreak = "\n";
inline constexpr std::string_view kExecutableSuffix = "";
inline constexpr std::string_view kMoveToTrashCaption = "Move to trash";
#endif

}  // namespace zendrift::platform
