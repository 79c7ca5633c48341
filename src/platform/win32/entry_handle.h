// Open handles on single entries, for the removals that must not be led elsewhere by links.
//
// Windows marks links (symbolic links, junctions) as reparse points and opens them themselves on
// request. Wine 8 does neither for a Unix symbolic link to a file: it reports a plain file and
// every open follows the link, so deleting through the handle deletes the target. What Wine does
// report is the target's volume and path for the handle; comparing them with the parent folder's
// plus the name tells a link apart on both systems.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <utility>

namespace zendrift::platform::win32 {

// Closes a handle when it goes out of scope.
class FileHandle {
 public:
  FileHandle() = default;
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() { close(); }
  FileHandle(FileHandle&& other) noexcept : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
  FileHandle& operator=(FileHandle&& other) noexcept {
    if (this != &other) {
      close();
      handle_ = std::exchange(other.handle_, INVALID_HANDLE_VALUE);
    }
    return *this;
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  bool close() {
    if (!valid()) return true;
    return ::CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE)) != 0;
  }

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

inline constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Opens the entry at `path` (any length) itself: a reparse point at its end is not followed, and
// folders open too. `share` without FILE_SHARE_DELETE keeps the entry from being renamed or
// deleted while the handle is open. Invalid on failure, with the error in GetLastError().
FileHandle openEntry(std::wstring_view path, DWORD access, DWORD share);

// Whether `entry` is what `parent` holds under `name`, and not something a link led to.
bool isDirectChild(HANDLE parent, HANDLE entry, std::wstring_view name);

// The entry's attributes, read from the handle; INVALID_FILE_ATTRIBUTES when unknown.
DWORD attributesOf(HANDLE handle);

// Marks an open entry (opened with DELETE access) for deletion when its last handle closes.
// Deleting by handle removes a reparse point itself, never what it leads to.
bool deleteOnClose(HANDLE handle);

}  // namespace zendrift::platform::win32
