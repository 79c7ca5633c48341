// Code page conversion on Windows through MultiByteToWideChar.
#include <windows.h>

#include <climits>

#include "platform/code_page.h"
#include "platform/win32/win32_text.h"

namespace zendrift::platform {

std::optional<unsigned> systemAnsiCodePage() { return static_cast<unsigned>(::GetACP()); }

bool appendFromCodePage(std::string& out, std::span<const std::uint8_t> bytes, unsigned codePage) {
  if (bytes.empty()) return true;
  if (bytes.size() > static_cast<std::size_t>(INT_MAX)) return false;
  const char* in = reinterpret_cast<const char*>(bytes.data());
  const int length = static_cast<int>(bytes.size());
  const int units = ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, in, length, nullptr, 0);
  if (units <= 0) return false;
  std::wstring wide(static_cast<std::size_t>(units), L'\0');
  if (::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, in, length, wide.data(), units) != units) return false;
  out += win32::toUtf8(wide);
  return true;
}

}  // namespace zendrift::platform
