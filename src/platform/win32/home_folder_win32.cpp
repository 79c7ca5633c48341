// Under Wine a well-known folder may be the Unix home itself: Wine links a Desktop or Documents
// that the home lacks to the home. The home is the folder Wine names in WINEHOMEDIR (from the
// Unix side's $HOME); the two are compared by what they are on disk, so any route to the home,
// through links or another drive letter, counts.
#include <windows.h>

#include <optional>
#include <string>

#include "platform/home_folder.h"
#include "platform/win32/entry_handle.h"
#include "platform/win32/win32_text.h"

namespace zendrift::platform {

namespace {

// Wine's own path function; real Windows has none.
bool underWine() { return ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name") != nullptr; }

// The Unix home as a Windows path: Wine gives it in the NT form "\??\Z:\home\ann" (or
// "\??\unix/home/ann" when no drive letter reaches it).
std::wstring unixHome() {
  std::wstring home(32768, L'\0');
  const DWORD length = ::GetEnvironmentVariableW(L"WINEHOMEDIR", home.data(), static_cast<DWORD>(home.size()));
  if (length == 0 || length >= home.size()) return {};
  home.resize(length);
  if (!home.starts_with(L"\\??\\")) return {};
  home[1] = L'\\';
  for (wchar_t& c : home) {
    if (c == L'/') c = L'\\';
  }
  return home;
}

struct FolderIdentity {
  DWORD volume = 0;
  DWORD high = 0;
  DWORD low = 0;
  friend bool operator==(const FolderIdentity&, const FolderIdentity&) = default;
};

// The folder a path leads to, links followed.
std::optional<FolderIdentity> folderIdentity(const std::wstring& path) {
  win32::FileHandle folder(::CreateFileW(path.c_str(), 0, win32::kShareAll, nullptr, OPEN_EXISTING,
                                         FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION information{};
  if (!folder.valid() || !::GetFileInformationByHandle(folder.get(), &information) ||
      !(information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return std::nullopt;
  }
  return FolderIdentity{information.dwVolumeSerialNumber, information.nFileIndexHigh, information.nFileIndexLow};
}

}  // namespace

std::string unixHomeFolder() { return {}; }

std::optional<std::string> linkedFolder(std::string_view) { return std::nullopt; }

bool isUnixHomeFolder(std::string_view folder) {
  if (folder.empty() || !underWine()) return false;
  const std::wstring home = unixHome();
  if (home.empty()) return false;
  const std::optional<FolderIdentity> folderId = folderIdentity(win32::systemPath(folder));
  return folderId && folderId == folderIdentity(home);
}

}  // namespace zendrift::platform
