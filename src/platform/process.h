// The process and its surroundings: environment, folders, the desktop.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zendrift::platform {

std::optional<std::string> environmentVariable(std::string_view name);
std::string currentDirectory();
// Full path of the running executable.
std::string executablePath();
// The user's folder for application settings: %APPDATA% on Windows, $XDG_CONFIG_HOME or
// ~/.config on Linux. Empty when there is none. No trailing delimiter.
std::string applicationDataFolder();
// The user's folder for state that outlives a run (records of past cleanings): %LOCALAPPDATA% on
// Windows, $XDG_STATE_HOME or ~/.local/state on Linux. Empty when there is none.
std::string localStateFolder();
// The user's data folder, which holds the home trash on Linux: $XDG_DATA_HOME or ~/.local/share;
// %LOCALAPPDATA% on Windows. Empty when there is none.
std::string userDataFolder();
// Opens a document, folder or web address with the desktop's handler. The outcome is not
// reported: callers ignore it.
void openWithShell(std::string_view target);

// The program's parameters (without its own path) as UTF-8 text: argv on POSIX, the wide
// command line on Windows, whose argv is in the ANSI code page.
std::vector<std::string> programParameters(int argc, const char* const* argv);

// Keeps COM initialised for the calling thread (apartment model) while it lives, as the shell
// services expect on Windows. Does nothing elsewhere.
class ShellSession {
 public:
  ShellSession();
  ~ShellSession();
  ShellSession(const ShellSession&) = delete;
  ShellSession& operator=(const ShellSession&) = delete;

 private:
  [[maybe_unused]] bool initialized_ = false;  // only the Windows session initialises COM
};

}  // namespace zendrift::platform
