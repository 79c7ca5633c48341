// The shell's special folders on Windows, by CSIDL number.
#include <windows.h>
#include <shlobj.h>

#include "platform/file_system.h"
#include "platform/path.h"
#include "platform/windows_profile.h"
#include "platform/win32/win32_text.h"

namespace zendrift::platform {

namespace {

// An item identifier list from the shell, released through the shell's allocator, and only when
// the allocator says it made the list.
class ShellItem {
 public:
  ShellItem() = default;
  ~ShellItem() {
    if (!list_) return;
    IMalloc* allocator = nullptr;
    if (SUCCEEDED(::SHGetMalloc(&allocator)) && allocator) {
      if (allocator->DidAlloc(list_) == 1) allocator->Free(list_);
      allocator->Release();
    }
  }
  ShellItem(const ShellItem&) = delete;
  ShellItem& operator=(const ShellItem&) = delete;
  LPITEMIDLIST* out() { return &list_; }
  LPCITEMIDLIST get() const { return list_; }

 private:
  LPITEMIDLIST list_ = nullptr;
};

std::wstring pathOf(LPCITEMIDLIST item) {
  // The Ex form takes a buffer size, so a path beyond 260 characters comes back whole.
  for (DWORD size = MAX_PATH + 1; size <= 32768 * 2; size *= 2) {
    std::wstring buffer(size, L'\0');
    if (::SHGetPathFromIDListEx(item, buffer.data(), size, GPFIDL_DEFAULT)) {
      buffer.resize(wcsnlen(buffer.c_str(), buffer.size()));
      return buffer;
    }
    if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER) break;
  }
  return {};
}

}  // namespace

// SHGetSpecialFolderLocation with no owner window, then the item's file-system path. A failure
// code, a virtual folder with no path, or a folder that is not there gives the empty string.
std::string specialFolderPath(int csidl) {
  ShellItem item;
  const HRESULT result = ::SHGetSpecialFolderLocation(nullptr, csidl, item.out());
  if (FAILED(result) || !item.get()) return {};
  const std::string path = win32::toUtf8(pathOf(item.get()));
  if (path.empty() || !folderExists(path)) return {};
  // Wine ends the path of a folder linked to a host folder with a backslash; Windows does not.
  return excludeTrailingDelimiter(path);
}

}  // namespace zendrift::platform
