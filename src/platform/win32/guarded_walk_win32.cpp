// The guarded walk below a scanned folder on Windows.
#include "platform/win32/guarded_walk.h"

#include "platform/os_error.h"
#include "platform/win32/win32_text.h"

namespace zendrift::platform::win32 {

std::error_code systemError(DWORD error) { return osError(error); }

std::error_code lastError() {
  const DWORD error = ::GetLastError();
  return systemError(error == ERROR_SUCCESS ? ERROR_GEN_FAILURE : error);
}

std::error_code splitRelative(std::string_view relative, std::vector<std::wstring>& names) {
  const std::wstring wide = toWide(relative);
  if (wide.empty() || wide.front() == L'\\' || wide.front() == L'/' || wide.find(L':') != std::wstring::npos) {
    return RemovalError::notBelowRoot;
  }
  std::size_t start = 0;
  while (start <= wide.size()) {
    std::size_t end = wide.find_first_of(L"\\/", start);
    if (end == std::wstring::npos) end = wide.size();
    std::wstring name = wide.substr(start, end - start);
    if (name == L"..") return RemovalError::notBelowRoot;
    if (!name.empty() && name != L".") names.push_back(std::move(name));
    start = end + 1;
  }
  if (names.empty()) return RemovalError::notBelowRoot;
  return {};
}

std::wstring joinedPath(std::wstring folder, const std::wstring& name) {
  if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/') folder += L'\\';
  return folder + name;
}

std::error_code walkToParent(std::string_view root, const std::vector<std::wstring>& names, FileHandle& parent,
                             std::wstring& path) {
  if (root.empty()) return systemError(ERROR_PATH_NOT_FOUND);
  path = withoutLongPathPrefix(fullPathName(toWide(root)));
  if (path.empty()) return lastError();
  parent = FileHandle(::CreateFileW(systemPath(path).c_str(), FILE_READ_ATTRIBUTES, kShareNoDelete, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!parent.valid()) return lastError();
  const DWORD rootAttributes = attributesOf(parent.get());
  if (rootAttributes == INVALID_FILE_ATTRIBUTES) return lastError();
  if (!(rootAttributes & FILE_ATTRIBUTE_DIRECTORY)) return systemError(ERROR_DIRECTORY);
  for (std::size_t i = 0; i + 1 < names.size(); ++i) {
    path = joinedPath(std::move(path), names[i]);
    FileHandle folder = openEntry(path, FILE_READ_ATTRIBUTES, kShareNoDelete);
    if (!folder.valid()) return lastError();
    const DWORD attributes = attributesOf(folder.get());
    if (attributes == INVALID_FILE_ATTRIBUTES) return lastError();
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return RemovalError::linkOnTheWay;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return systemError(ERROR_PATH_NOT_FOUND);
    if (!isDirectChild(parent.get(), folder.get(), names[i])) return RemovalError::linkOnTheWay;
    parent = std::move(folder);
  }
  return {};
}

std::error_code openScannedFile(const FileHandle& parent, const std::wstring& folderPath, const std::wstring& name,
                                const EntryIdentity& expected, DWORD access, FileHandle& entry) {
  entry = openEntry(joinedPath(folderPath, name), access | FILE_READ_ATTRIBUTES, kShareNoDelete);
  if (!entry.valid()) return lastError();
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(entry.get(), &info)) return lastError();
  const EntryIdentity actual{info.dwVolumeSerialNumber, joined(info.nFileIndexHigh, info.nFileIndexLow)};
  if (actual != expected || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return RemovalError::changedSinceScan;
  // A reparse point is the link itself, opened as such. Anything else must be what the folder
  // holds under that name: under Wine a Unix symbolic link opens as its target, and deleting the
  // handle would delete the target.
  if (!(info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) && !isDirectChild(parent.get(), entry.get(), name)) {
    return OsErrc::cantResolveFilename;
  }
  // Deleting by handle would clear nothing here, but DeleteFileW refuses read-only files; so do we.
  if (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) return systemError(ERROR_ACCESS_DENIED);
  return {};
}

}  // namespace zendrift::platform::win32
