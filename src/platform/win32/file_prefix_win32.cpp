// Reading the beginning of a file on Windows.
#include <windows.h>

#include <algorithm>

#include "platform/file_prefix.h"
#include "platform/os_error.h"
#include "platform/win32/win32_text.h"

namespace zendrift::platform {

Result<std::size_t> readFilePrefix(std::string_view path, std::span<std::byte> buffer) {
  if (path.empty()) return osError(ERROR_PATH_NOT_FOUND);
  // Without backup semantics a folder does not open, so folders fail here.
  const HANDLE file = ::CreateFileW(win32::systemPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return osError(::GetLastError());
  std::size_t total = 0;
  DWORD failure = ERROR_SUCCESS;
  while (total < buffer.size()) {
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(buffer.size() - total, 1U << 30));
    DWORD got = 0;
    if (!::ReadFile(file, buffer.data() + total, want, &got, nullptr)) {
      failure = ::GetLastError();
      break;
    }
    if (got == 0) break;
    total += got;
  }
  ::CloseHandle(file);
  if (failure != ERROR_SUCCESS) return osError(failure);
  return total;
}

}  // namespace zendrift::platform
