// Windows-numbered errors are the system's own on Windows; their texts come from FormatMessageW.
#include <windows.h>

#include <string>

#include "platform/os_error.h"
#include "platform/win32/win32_text.h"

namespace zendrift::platform {

const std::error_category& osCategory() noexcept { return std::system_category(); }

std::string systemErrorText(std::uint32_t code) {
  wchar_t* buffer = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
      reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  if (length == 0 || !buffer) return "Unknown error " + std::to_string(code) + ".";
  std::wstring text(buffer, length);
  ::LocalFree(buffer);
  // The system ends its texts with a line break, which the message adds itself where it wants.
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) text.pop_back();
  return win32::toUtf8(text);
}

}  // namespace zendrift::platform
