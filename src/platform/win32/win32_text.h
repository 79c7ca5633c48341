// Text and path conversions at the edge of the Win32 back end: UTF-8 inside the program,
// UTF-16 in the system's wide-character APIs.
#pragma once

#include <string>
#include <string_view>

namespace zendrift::platform::win32 {

std::wstring toWide(std::string_view text);
std::string toUtf8(std::wstring_view text);

// A path as the wide file APIs take it. A path too long for the classic 260-character limit is
// made absolute and given the "\\?\" form (or "\\?\UNC\" for a network path), which lifts the
// limit; shorter paths pass unchanged so that the usual name rules (trailing dots and spaces,
// "/" as a delimiter) keep applying to them.
std::wstring systemPath(std::string_view path);
std::wstring systemPath(std::wstring path);

// The absolute form of a path (GetFullPathNameW), any length. Empty when it has none.
std::wstring fullPathName(const std::wstring& path);

// The path with any "\\?\" or "\\?\UNC\" form taken off again, for showing and comparing.
std::wstring withoutLongPathPrefix(std::wstring path);

}  // namespace zendrift::platform::win32
