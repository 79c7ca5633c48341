// Lines and values of desktop entry files (the freedesktop.org format), read the same way by
// every reader of them here: Wine's menu entries and associations, game managers' launchers.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zendrift::profile {

// A line or value without its surrounding blanks and line ends.
inline std::string_view trimmedLine(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r' || text.back() == '\n')) {
    text.remove_suffix(1);
  }
  return text;
}

// A string value with its escapes undone ("\s", "\n", "\t", "\r", "\\"); empty when it holds an
// escape the format lacks.
inline std::optional<std::string> unescapedValue(std::string_view value) {
  std::string out;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '\\') {
      out += value[i];
      continue;
    }
    if (++i == value.size()) return std::nullopt;
    switch (value[i]) {
      case 's': out += ' '; break;
      case 'n': out += '\n'; break;
      case 't': out += '\t'; break;
      case 'r': out += '\r'; break;
      case '\\': out += '\\'; break;
      default: return std::nullopt;
    }
  }
  return out;
}

}  // namespace zendrift::profile
