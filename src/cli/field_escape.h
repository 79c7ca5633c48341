// Fields of the unattended runs' tab-separated lines: a path may hold any byte but the line must
// stay one line.
#pragma once

#include <string>
#include <string_view>

namespace zendrift::app {

// Tabs, line breaks and backslashes written as "\t", "\n" and "\\".
inline std::string escapedField(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '\t': out += "\\t"; break;
      case '\n': out += "\\n"; break;
      case '\\': out += "\\\\"; break;
      default: out += c;
    }
  }
  return out;
}

}  // namespace zendrift::app
