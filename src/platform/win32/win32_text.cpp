// UTF-8 and UTF-16 conversions and the long-path form for the Win32 back end.
#include <windows.h>

#include <climits>

#include "platform/win32/win32_text.h"

namespace zendrift::platform::win32 {

namespace {

// Folder APIs stop at 248 characters (room for an 8.3 name); leave margin below that.
constexpr std::size_t kShortPathLimit = 240;

constexpr std::wstring_view kLongPrefix = L"\\\\?\\";
constexpr std::wstring_view kLongUncPrefix = L"\\\\?\\UNC\\";
constexpr std::wstring_view kDevicePrefix = L"\\\\.\\";

bool startsWith(std::wstring_view text, std::wstring_view prefix) {
  return text.size() >= prefix.size() && text.substr(0, prefix.size()) == prefix;
}

}  // namespace

std::wstring toWide(std::string_view text) {
  if (text.empty()) return {};
  if (text.size() > static_cast<std::size_t>(INT_MAX)) return {};
  const int size = static_cast<int>(text.size());
  const int length = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), length);
  return wide;
}

std::string toUtf8(std::wstring_view text) {
  if (text.empty()) return {};
  if (text.size() > static_cast<std::size_t>(INT_MAX)) return {};
  const int size = static_cast<int>(text.size());
  const int length = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(length), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, utf8.data(), length, nullptr, nullptr);
  return utf8;
}

std::wstring fullPathName(const std::wstring& path) {
  if (path.empty()) return {};
  std::wstring buffer(path.size() + MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
    if (length == 0) return {};
    if (length < buffer.size()) {
      buffer.resize(length);
      return buffer;
    }
    buffer.resize(length);
  }
}

std::wstring systemPath(std::string_view path) { return systemPath(toWide(path)); }

std::wstring systemPath(std::wstring path) {
  if (path.size() < kShortPathLimit || startsWith(path, kLongPrefix) || startsWith(path, kDevicePrefix)) return path;
  // The long form takes the path literally: resolve ".", ".." and "/" first.
  const std::wstring full = fullPathName(path);
  if (startsWith(full, L"\\\\")) return std::wstring(kLongUncPrefix) + full.substr(2);
  if (full.size() >= 2 && full[1] == L':') return std::wstring(kLongPrefix) + full;
  return path;
}

std::wstring withoutLongPathPrefix(std::wstring path) {
  if (startsWith(path, kLongUncPrefix)) return L"\\\\" + path.substr(kLongUncPrefix.size());
  if (startsWith(path, kLongPrefix)) return path.substr(kLongPrefix.size());
  return path;
}

}  // namespace zendrift::platform::win32
