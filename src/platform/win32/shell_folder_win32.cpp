// The shell's special folders on Windows, by CSIDL number, each resolved on its own.
//
// The item-list route (SHGetSpecialFolderLocation) fails for every folder under Wine as soon as
// one folder cannot be resolved, because it goes through the desktop folder first. Known folders
// and SHGetFolderPathW look up only the folder asked for.
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "platform/file_system.h"
#include "platform/path.h"
#include "platform/win32/shell_folder.h"
#include "platform/win32/win32_text.h"

namespace zendrift::platform {

namespace {

// Through the known-folder API, which returns paths of any length. Needs COM on this thread.
std::wstring knownFolderPath(int csidl) {
  IKnownFolderManager* manager = nullptr;
  if (FAILED(::CoCreateInstance(CLSID_KnownFolderManager, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&manager))) ||
      !manager) {
    return {};
  }
  KNOWNFOLDERID id{};
  const HRESULT known = manager->FolderIdFromCsidl(csidl, &id);
  manager->Release();
  if (FAILED(known)) return {};
  PWSTR path = nullptr;
  const HRESULT found = ::SHGetKnownFolderPath(id, 0, nullptr, &path);
  std::wstring result = SUCCEEDED(found) && path ? std::wstring(path) : std::wstring();
  ::CoTaskMemFree(path);
  return result;
}

// Without COM; paths up to the classic limit.
std::wstring folderPath(int csidl) {
  wchar_t path[MAX_PATH + 1] = {};
  if (::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK) return {};
  return path;
}

}  // namespace

namespace win32 {

std::string shellFolderPath(int csidl) {
  std::wstring wide = knownFolderPath(csidl);
  if (wide.empty()) wide = folderPath(csidl);
  const std::string path = win32::toUtf8(wide);
  if (path.empty() || !folderExists(path)) return {};
  // Wine ends the path of a folder linked to a host folder with a backslash; Windows does not.
  return withoutTrailingSeparator(path);
}

}  // namespace win32
}  // namespace zendrift::platform
