// Where a byte string is UTF-8: paths on Linux may hold any bytes, and what is written of them for
// people and programs must say which bytes were not text.
#pragma once

#include <cstddef>
#include <string_view>

namespace zendrift::scan {

// The length of the UTF-8 character that begins at `at` in `text`: 1 to 4, or 0 when the bytes
// there are no well-formed character (a stray continuation byte, a sequence cut short, an
// overlong form, a surrogate, a code point above U+10FFFF).
inline std::size_t utf8SequenceLength(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80;  // the bounds of the second byte, narrower for some leads
  unsigned char high = 0xbf;
  if (lead >= 0xc2 && lead <= 0xdf) {
    length = 2;
  } else if (lead >= 0xe0 && lead <= 0xef) {
    length = 3;
    if (lead == 0xe0) low = 0xa0;
    if (lead == 0xed) high = 0x9f;
  } else if (lead >= 0xf0 && lead <= 0xf4) {
    length = 4;
    if (lead == 0xf0) low = 0x90;
    if (lead == 0xf4) high = 0x8f;
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  if (byte(at + 1) < low || byte(at + 1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (byte(at + i) < 0x80 || byte(at + i) > 0xbf) return 0;
  }
  return length;
}

// The code point of the well-formed character of `length` bytes at `at`.
inline char32_t utf8CodePoint(std::string_view text, std::size_t at, std::size_t length) {
  const auto byte = [&](std::size_t i) { return static_cast<char32_t>(static_cast<unsigned char>(text[i])); };
  if (length == 1) return byte(at);
  char32_t point = byte(at) & (0x7f >> length);
  for (std::size_t i = 1; i < length; ++i) point = (point << 6) | (byte(at + i) & 0x3f);
  return point;
}

}  // namespace zendrift::scan
