// Handles on single entries and the checks that tell a link on the way apart.
#include "platform/win32/entry_handle.h"

#include <vector>

#include "platform/win32/win32_text.h"

namespace zendrift::platform::win32 {

FileHandle openEntry(std::wstring_view path, DWORD access, DWORD share) {
  const std::wstring system = systemPath(std::wstring(path));
  return FileHandle(::CreateFileW(system.c_str(), access, share, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

namespace {

// The volume and the path on it that the system reports for an open entry ("\\games\old.lnk"),
// any length; GetFinalPathNameByHandleW stops at 260 characters under Wine.
bool locationOf(HANDLE handle, DWORD& volume, std::wstring& path) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(handle, &info)) return false;
  volume = info.dwVolumeSerialNumber;
  std::vector<char> buffer(sizeof(FILE_NAME_INFO) + 1024 * sizeof(wchar_t));
  for (;;) {
    auto* name = reinterpret_cast<FILE_NAME_INFO*>(buffer.data());
    if (::GetFileInformationByHandleEx(handle, FileNameInfo, name, static_cast<DWORD>(buffer.size()))) {
      path.assign(name->FileName, name->FileNameLength / sizeof(wchar_t));
      return true;
    }
    if (::GetLastError() != ERROR_MORE_DATA || buffer.size() > 256 * 1024) return false;
    buffer.resize(buffer.size() * 4);
  }
}

}  // namespace

bool isDirectChild(HANDLE parent, HANDLE entry, std::wstring_view name) {
  DWORD parentVolume = 0;
  DWORD entryVolume = 0;
  std::wstring expected;
  std::wstring actual;
  if (name.empty() || !locationOf(parent, parentVolume, expected) || !locationOf(entry, entryVolume, actual)) return false;
  if (parentVolume != entryVolume) return false;
  if (expected.empty() || expected.back() != L'\\') expected += L'\\';
  expected += name;
  // Letter case as Windows compares names; the system spells them as stored.
  return ::CompareStringOrdinal(expected.data(), static_cast<int>(expected.size()), actual.data(),
                                static_cast<int>(actual.size()), TRUE) == CSTR_EQUAL;
}

DWORD attributesOf(HANDLE handle) {
  FILE_ATTRIBUTE_TAG_INFO info{};
  if (!::GetFileInformationByHandleEx(handle, FileAttributeTagInfo, &info, sizeof info)) return INVALID_FILE_ATTRIBUTES;
  return info.FileAttributes;
}

bool deleteOnClose(HANDLE handle) {
  FILE_DISPOSITION_INFO disposition{};
  disposition.DeleteFile = TRUE;
  return ::SetFileInformationByHandle(handle, FileDispositionInfo, &disposition, sizeof disposition) != 0;
}

}  // namespace zendrift::platform::win32
