// The window's small actions on Windows: the folder dialog, help, the update check and the
// maker's web site. None reports a failure.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace zendrift::win32 {

// The folder of the running executable, with its trailing delimiter: companion files live there.
std::string executableFolder();

// Shows the shell's folder dialog titled `title`, owned by `owner` and centred on the work area of
// its screen, starting at `startFolder`
// when that is an existing folder. Returns the chosen folder, or the empty string when the user
// cancels or picks something that is not a folder of the file system.
std::string browseForFolder(HWND owner, std::string_view title, std::string_view startFolder);

// Each of the next three says in a box over `owner` when the shell cannot open what it names.
// Opens manual.html in `folder` (with its trailing delimiter).
void openHelp(HWND owner, std::string_view folder);
// Starts verprobe.exe in `folder` when it is there, else opens the product page.
void checkForUpdates(HWND owner, std::string_view folder);
// Opens the maker's home page.
void openHomePage(HWND owner);

}  // namespace zendrift::win32
