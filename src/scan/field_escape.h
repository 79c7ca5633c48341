// Fields of tab-separated lines (the unattended runs' output, the cleaning records): a path may
// hold any byte but the line must stay one line, and show on a terminal as it is written.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "scan/utf8_sequence.h"

namespace zendrift::scan {

// Tabs, line breaks and backslashes written as "\t", "\n" and "\\"; every other control character
// (C0, DEL, and C1 as UTF-8 writes it) and every byte that is no part of a UTF-8 character as
// "\xhh", byte by byte. What is left is printable UTF-8: a name cannot move the cursor, clear the
// screen or break the line on a terminal.
inline std::string escapedField(std::string_view text) {
  constexpr std::string_view kHex = "0123456789abcdef";
  const auto escapeByte = [&](std::string& out, char c) {
    const auto byte = static_cast<unsigned char>(c);
    out += "\\x";
    out += kHex[byte >> 4];
    out += kHex[byte & 0xf];
  };
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const char c = text[i];
    switch (c) {
      case '\t': out += "\\t"; ++i; continue;
      case '\n': out += "\\n"; ++i; continue;
      case '\\': out += "\\\\"; ++i; continue;
      default: break;
    }
    const std::size_t length = utf8SequenceLength(text, i);
    const char32_t point = length == 0 ? 0 : utf8CodePoint(text, i, length);
    const bool control = point < 0x20 || (point >= 0x7f && point <= 0x9f);
    if (length == 0 || control) {
      // A malformed sequence is escaped one byte at a time: what follows its first byte may
      // begin a character of its own.
      const std::size_t bytes = length == 0 ? 1 : length;
      for (std::size_t j = 0; j < bytes; ++j) escapeByte(out, text[i + j]);
      i += bytes;
      continue;
    }
    out.append(text.substr(i, length));
    i += length;
  }
  return out;
}

// The field back; none when it holds an escape that escapedField never writes. Fields written
// before control characters were escaped hold them as they are, and read back the same.
inline std::optional<std::string> unescapedField(std::string_view text) {
  const auto hexDigit = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
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
      case 'x': {
        if (i + 2 >= text.size()) return std::nullopt;
        const int high = hexDigit(text[i + 1]);
        const int low = hexDigit(text[i + 2]);
        if (high < 0 || low < 0) return std::nullopt;
        out += static_cast<char>(high * 16 + low);
        i += 2;
        break;
      }
      default: return std::nullopt;
    }
  }
  return out;
}

}  // namespace zendrift::scan
