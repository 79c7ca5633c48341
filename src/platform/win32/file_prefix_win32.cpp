// Reading the beginning of a file on Windows.
#include <windows.h>

#include <algorithm>

#include "platform/file_prefix.h"
#include "platform/win32/win32_text.h"

namespace zendrift::platform {

std::optional<std::size_t> readFilePrefix(std::string_view path, std::span<std::byte> buffer) {
  if (path.empty()) return std::nullopt;
  // Without backup semantics a folder does not open, so folders fail here.
  const HANDLE file = ::CreateFileW(win32::systemPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::size_t total = 0;
  bool ok = true;
  while (total < buffer.size()) {
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(buffer.size() - total, 1U << 30));
    DWORD got = 0;
    if (!::ReadFile(file, buffer.data() + total, want, &got, nullptr)) {
      ok = false;
      break;
    }
    if (got == 0) break;
    total += got;
  }
  ::CloseHandle(file);
  if (!ok) return std::nullopt;
  return total;
}

}  // namespace zendrift::platform
