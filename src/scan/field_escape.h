// Fields of tab-separated lines (the unattended runs' output, the cleaning records): a path may
// hold any byte but the line must stay one line.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zendrift::scan {

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

// The field back; none when it holds an escape that escapedField never writes.
inline std::optional<std::string> unescapedField(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (++i == text.size()) return std::nullopt;
    switch (text[i]) {
      case 't': out += '\t'; break;
      case 'n': out += '\n'; break;
      case '\\': out += '\\'; break;
      default: return std::nullopt;
    }
  }
  return out;
}

}  // namespace zendrift::scan
