// Deleting below a scanned folder on Windows without being led elsewhere by links.
//
// Each folder on the way is opened from its parent's final path and held without delete sharing,
// so it cannot be renamed or swapped until the removal is done; a folder that is a reparse point,
// or that the system reached through a link (Wine follows Unix symbolic links silently), stops
// the walk. The entry is deleted through its own handle, so nothing at its end is followed.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/guarded_removal.h"
#include "platform/os_error.h"
#include "platform/win32/entry_handle.h"
#include "platform/win32/win32_text.h"

namespace zendrift::platform {

namespace {

using win32::FileHandle;

// Others may read and write what the walk holds, but not rename or delete it meanwhile.
constexpr DWORD kShareNoDelete = FILE_SHARE_READ | FILE_SHARE_WRITE;

std::error_code systemError(DWORD error) { return osError(error); }
std::error_code lastError() {
  const DWORD error = ::GetLastError();
  return systemError(error == ERROR_SUCCESS ? ERROR_GEN_FAILURE : error);
}

std::uint64_t joined(DWORD high, DWORD low) { return (static_cast<std::uint64_t>(high) << 32) | low; }

// The names of `relative`, which must stay below its root: no drive, no leading delimiter, no "..".
std::error_code splitRelative(std::string_view relative, std::vector<std::wstring>& names) {
  const std::wstring wide = win32::toWide(relative);
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

// Opens `root` as the scan did (a link there is followed), then every folder of `names` but the
// last one without following any. `parent` ends up holding the folder of the last name, and
// `path` naming it. Each folder held keeps its name until the removal is done.
std::error_code walkToParent(std::string_view root, const std::vector<std::wstring>& names, FileHandle& parent,
                             std::wstring& path) {
  if (root.empty()) return systemError(ERROR_PATH_NOT_FOUND);
  path = win32::withoutLongPathPrefix(win32::fullPathName(win32::toWide(root)));
  if (path.empty()) return lastError();
  parent = FileHandle(::CreateFileW(win32::systemPath(path).c_str(), FILE_READ_ATTRIBUTES, kShareNoDelete, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!parent.valid()) return lastError();
  const DWORD rootAttributes = win32::attributesOf(parent.get());
  if (rootAttributes == INVALID_FILE_ATTRIBUTES) return lastError();
  if (!(rootAttributes & FILE_ATTRIBUTE_DIRECTORY)) return systemError(ERROR_DIRECTORY);
  for (std::size_t i = 0; i + 1 < names.size(); ++i) {
    path = joinedPath(std::move(path), names[i]);
    FileHandle folder = win32::openEntry(path, FILE_READ_ATTRIBUTES, kShareNoDelete);
    if (!folder.valid()) return lastError();
    const DWORD attributes = win32::attributesOf(folder.get());
    if (attributes == INVALID_FILE_ATTRIBUTES) return lastError();
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return RemovalError::linkOnTheWay;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return systemError(ERROR_PATH_NOT_FOUND);
    if (!win32::isDirectChild(parent.get(), folder.get(), names[i])) return RemovalError::linkOnTheWay;
    parent = std::move(folder);
  }
  return {};
}

// Deletes the open entry and reports what closing its handle said.
std::error_code deleteHeld(FileHandle& entry) {
  if (!win32::deleteOnClose(entry.get())) return lastError();
  if (!entry.close()) return lastError();
  return {};
}

}  // namespace

std::error_code entryIdentity(std::string_view path, EntryIdentity& identity) {
  if (path.empty()) return systemError(ERROR_PATH_NOT_FOUND);
  const FileHandle entry = win32::openEntry(win32::toWide(path), FILE_READ_ATTRIBUTES, win32::kShareAll);
  if (!entry.valid()) return lastError();
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(entry.get(), &info)) return lastError();
  identity = {info.dwVolumeSerialNumber, joined(info.nFileIndexHigh, info.nFileIndexLow)};
  return {};
}

std::error_code deleteFileBelow(std::string_view root, std::string_view relative, const EntryIdentity& expected) {
  std::vector<std::wstring> names;
  if (const auto error = splitRelative(relative, names)) return error;
  FileHandle parent;
  std::wstring folderPath;
  if (const auto error = walkToParent(root, names, parent, folderPath)) return error;

  const std::wstring path = joinedPath(folderPath, names.back());
  FileHandle entry = win32::openEntry(path, DELETE | FILE_READ_ATTRIBUTES, kShareNoDelete);
  if (!entry.valid()) return lastError();
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(entry.get(), &info)) return lastError();
  const EntryIdentity actual{info.dwVolumeSerialNumber, joined(info.nFileIndexHigh, info.nFileIndexLow)};
  if (actual != expected || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return RemovalError::changedSinceScan;
  // A reparse point is the link itself, opened as such. Anything else must be what the folder
  // holds under that name: under Wine a Unix symbolic link opens as its target, and deleting the
  // handle would delete the target.
  if (!(info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
      !win32::isDirectChild(parent.get(), entry.get(), names.back())) {
    return OsErrc::cantResolveFilename;
  }
  // Deleting by handle would clear nothing here, but DeleteFileW refuses read-only files; so do we.
  if (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) return systemError(ERROR_ACCESS_DENIED);
  return deleteHeld(entry);
}

std::error_code removeEmptyFolderBelow(std::string_view root, std::string_view relative) {
  std::vector<std::wstring> names;
  if (const auto error = splitRelative(relative, names)) return error;
  FileHandle parent;
  std::wstring folderPath;
  if (const auto error = walkToParent(root, names, parent, folderPath)) return error;

  const std::wstring path = joinedPath(folderPath, names.back());
  FileHandle folder = win32::openEntry(path, DELETE | FILE_READ_ATTRIBUTES, kShareNoDelete);
  if (!folder.valid()) return lastError();
  const DWORD attributes = win32::attributesOf(folder.get());
  if (attributes == INVALID_FILE_ATTRIBUTES) return lastError();
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return systemError(ERROR_DIRECTORY);
  if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) || !win32::isDirectChild(parent.get(), folder.get(), names.back())) {
    return RemovalError::linkOnTheWay;
  }
  if (!win32::deleteOnClose(folder.get())) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_DIR_NOT_EMPTY) return RemovalError::folderNotEmpty;
    return systemError(error);
  }
  if (!folder.close()) return lastError();
  return {};
}

}  // namespace zendrift::platform
