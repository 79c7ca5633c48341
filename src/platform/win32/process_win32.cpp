// The process and its surroundings on Windows.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include "platform/command_line_words.h"
#include "platform/path.h"
#include "platform/process.h"
#include "platform/win32/shell_folder.h"
#include "platform/win32/win32_text.h"

namespace zendrift::platform {

std::optional<std::string> environmentVariable(std::string_view name) {
  const std::wstring wideName = win32::toWide(name);
  if (wideName.empty()) return std::nullopt;
  std::wstring buffer(256, L'\0');
  for (;;) {
    ::SetLastError(ERROR_SUCCESS);
    const DWORD length = ::GetEnvironmentVariableW(wideName.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) {
      // Zero is both "unset" and "set to nothing"; the error code tells them apart.
      if (::GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
      return std::string();
    }
    if (length < buffer.size()) {
      buffer.resize(length);
      return win32::toUtf8(buffer);
    }
    buffer.resize(length);
  }
}

std::string currentDirectory() {
  const DWORD size = ::GetCurrentDirectoryW(0, nullptr);
  if (size == 0) return {};
  std::wstring buffer(size, L'\0');
  const DWORD length = ::GetCurrentDirectoryW(size, buffer.data());
  if (length == 0 || length >= size) return {};
  buffer.resize(length);
  return win32::toUtf8(win32::withoutLongPathPrefix(buffer));
}

std::vector<std::string> programParameters(int, const char* const*) {
  // Cut by the program's own rules, where a backslash never escapes a quote:
  // /userdir "C:\My Games\" /start is two parameters after the switch, not one.
  std::vector<std::string> words = splitCommandLine(win32::toUtf8(::GetCommandLineW()));
  if (!words.empty()) words.erase(words.begin());
  return words;
}

ShellSession::ShellSession() : initialized_(SUCCEEDED(::CoInitialize(nullptr))) {}

ShellSession::~ShellSession() {
  if (initialized_) ::CoUninitialize();
}

std::string executablePath() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    // A full buffer means the name was cut: try again with more room.
    if (length < buffer.size()) {
      buffer.resize(length);
      return win32::toUtf8(win32::withoutLongPathPrefix(buffer));
    }
    if (buffer.size() >= 32768) return {};
    buffer.resize(buffer.size() * 2);
  }
}

std::string applicationDataFolder() {
  const std::string folder = win32::shellFolderPath(CSIDL_APPDATA);
  if (folder.empty()) return {};
  return withoutTrailingSeparator(folder);
}

std::string localStateFolder() {
  const std::string folder = win32::shellFolderPath(CSIDL_LOCAL_APPDATA);
  if (folder.empty()) return {};
  return withoutTrailingSeparator(folder);
}

std::string userDataFolder() { return localStateFolder(); }

void openWithShell(std::string_view target) {
  const std::wstring wide = win32::toWide(target);
  ::ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace zendrift::platform
