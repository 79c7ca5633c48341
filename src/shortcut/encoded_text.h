// A string as the link stores it, decoded only when it is kept.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "shortcut/text_decoding.h"

namespace zendrift::shortcut {

struct EncodedText {
  std::span<const std::uint8_t> bytes;
  bool wide = false;     // UTF-16LE, else ANSI
  bool present = false;  // stored at all (it may still be empty)

  bool empty() const noexcept { return bytes.empty(); }
  void appendTo(std::string& out, unsigned codePage) const {
    if (wide) {
      appendUtf16(out, bytes);
    } else {
      appendAnsi(out, bytes, codePage);
    }
  }
  std::string decode(unsigned codePage) const {
    std::string out;
    appendTo(out, codePage);
    return out;
  }
};

// The Unicode form when it is stored, else the ANSI form.
inline const EncodedText& preferWide(const EncodedText& wide, const EncodedText& ansi) {
  return wide.present ? wide : ansi;
}

}  // namespace zendrift::shortcut
