// The shell's special folders of the running system: the profile's folders on Windows, and the
// application-data folder the settings live in.
#pragma once

#include <string>

namespace zendrift::platform::win32 {

// The folder of a CSIDL number, without a trailing backslash. A folder the shell cannot name, a
// virtual folder with no path, or a folder that is not there gives the empty string.
std::string shellFolderPath(int csidl);

}  // namespace zendrift::platform::win32
