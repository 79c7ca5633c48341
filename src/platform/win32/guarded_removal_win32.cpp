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
#include "platform/win32/guarded_walk.h"
#include "platform/win32/win32_text.h"

namespace zendrift::platform {

namespace {

using win32::FileHandle;
using win32::joined;
using win32::joinedPath;
using win32::kShareNoDelete;
using win32::lastError;
using win32::splitRelative;
using win32::systemError;
using win32::walkToParent;

// Deletes the open entry and reports what closing its handle said.
std::error_code deleteHeld(FileHandle& entry) {
  if (!win32::deleteOnClose(entry.get())) return lastError();
  if (!entry.close()) return lastError();
  return {};
}

}  // namespace

Result<EntryVersion> entryVersion(std::string_view path) {
  if (path.empty()) return systemError(ERROR_PATH_NOT_FOUND);
  const FileHandle entry = win32::openEntry(win32::toWide(path), FILE_READ_ATTRIBUTES, win32::kShareAll);
  if (!entry.valid()) return lastError();
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(entry.get(), &info)) return lastError();
  return EntryVersion{EntryIdentity{info.dwVolumeSerialNumber, joined(info.nFileIndexHigh, info.nFileIndexLow)},
                      static_cast<std::int64_t>(joined(info.ftLastWriteTime.dwHighDateTime,
                                                       info.ftLastWriteTime.dwLowDateTime))};
}

Result<EntryIdentity> entryIdentity(std::string_view path) {
  Result<EntryVersion> version = entryVersion(path);
  if (!version) return version.error();
  return version->identity;
}

std::error_code deleteFileBelow(std::string_view root, std::string_view relative, const EntryIdentity& expected) {
  std::vector<std::wstring> names;
  if (const auto error = splitRelative(relative, names)) return error;
  FileHandle parent;
  std::wstring folderPath;
  if (const auto error = walkToParent(root, names, parent, folderPath)) return error;

  FileHandle entry;
  if (const auto error = win32::openScannedFile(parent, folderPath, names.back(), expected, DELETE, entry)) return error;
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
