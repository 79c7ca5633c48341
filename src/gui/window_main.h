// The interactive program: the main window and its event loop.
#pragma once

#include <string_view>

#include "settings/command_line.h"

namespace zendrift::gui {

// What the program says, on standard error, when it cannot open its window.
inline constexpr std::string_view kNoDisplayMessage =
    "Zendrift: cannot open the window: no display. Use /list or /silent to run without one.\n";

// Creates the application and the main window, runs the start-up sequence and the event loop,
// and returns the process's exit code: 1, after kNoDisplayMessage, when no window can be opened.
// `versionStamp` is the program's, for the window's caption.
// `commandLine` holds every parameter; the toolkit is given only `programName` and so never takes
// one of them for itself. /silent and /list never come here (unattended_run.h).
int runWindow(const settings::CommandLine& commandLine, char* programName, std::string_view versionStamp);

// On POSIX systems the Qt window is a module in a folder beside the executable, loaded only when
// the window opens: the unattended runs start without the toolkit and the libraries it brings.
// (A folder of its own: a shared object next to a program in /usr/lib/<name> has Debian's
// packaging tools run ldconfig for nothing.) The module's one entry is runWindow, by this name
// and of this type. The module's path is relative to the executable's folder.
inline constexpr const char* kWindowModulePath = "window/zendrift-window.so";
inline constexpr const char* kWindowEntryName = "zendrift_run_window";
using WindowEntry = int (*)(const settings::CommandLine& commandLine, char* programName,
                            std::string_view versionStamp);

}  // namespace zendrift::gui
