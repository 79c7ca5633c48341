// The file lock on Windows: the file opened without sharing, so that a second opening fails while
// the first handle lives.
#include "platform/file_lock.h"

#include <windows.h>

#include "platform/win32/guarded_walk.h"
#include "platform/win32/win32_text.h"

namespace zendrift::platform {

struct FileLock::Held {
  win32::FileHandle file;
};

FileLock::FileLock() = default;
FileLock::~FileLock() = default;

std::error_code FileLock::tryLock(std::string_view path) {
  auto held = std::make_unique<Held>();
  held->file = win32::FileHandle(::CreateFileW(win32::toWide(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                               OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!held->file.valid()) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) {
      return std::make_error_code(std::errc::device_or_resource_busy);
    }
    return win32::systemError(error);
  }
  held_ = std::move(held);
  return {};
}

}  // namespace zendrift::platform
