// Letter case of ASCII text: the case rules of names that Zendrift compares itself (settings
// keys, switches, Windows paths). Bytes outside A-Z, multi-byte characters included, never change.
#pragma once

#include <string_view>

namespace zendrift::platform {

constexpr char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

constexpr bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
  }
  return true;
}

}  // namespace zendrift::platform
