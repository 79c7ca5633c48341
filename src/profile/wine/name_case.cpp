// Case-blind name comparison through the C library's Unicode tables (the C.UTF-8 locale).
#include "profile/wine/name_case.h"

#include <locale.h>
#include <wctype.h>

#include <cstdint>
#include <optional>

namespace zendrift::platform {

namespace {

// The C.UTF-8 locale, made once; null when the system lacks it.
locale_t unicodeLocale() {
  static const locale_t locale = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
  return locale;
}

// Decodes one UTF-8 character at `at`; empty (and `at` unchanged) when the bytes are not valid.
std::optional<char32_t> decode(std::string_view text, std::size_t& at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  std::size_t length = 0;
  char32_t code = 0;
  if (lead < 0x80) {
    ++at;
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2;
    code = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    code = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
    code = lead & 0x07;
  } else {
    return std::nullopt;
  }
  if (at + length > text.size()) return std::nullopt;
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[at + i]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    code = (code << 6) | (next & 0x3F);
  }
  at += length;
  return code;
}

char32_t lower(char32_t code) {
  if (code < 0x80) return (code >= 'A' && code <= 'Z') ? code - 'A' + 'a' : code;
  const locale_t locale = unicodeLocale();
  if (!locale) return code;
  return static_cast<char32_t>(::towlower_l(static_cast<wint_t>(code), locale));
}

}  // namespace

bool sameNameIgnoringCase(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    const std::size_t startA = i;
    const std::size_t startB = j;
    const auto x = decode(a, i);
    const auto y = decode(b, j);
    if (!x || !y) {
      // Undecodable bytes compare as bytes.
      if (a[startA] != b[startB]) return false;
      i = startA + 1;
      j = startB + 1;
      continue;
    }
    if (*x != *y && lower(*x) != lower(*y)) return false;
  }
  return i == a.size() && j == b.size();
}

}  // namespace zendrift::platform
