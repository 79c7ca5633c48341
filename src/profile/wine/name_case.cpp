// Case-blind name comparison with Wine's upper-case table (Wine 8.0), not the C library's: the
// C library folds more (the Kelvin sign to "k"), and Wine would not find such a file.
#include "profile/wine/name_case.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

namespace zendrift::profile {

namespace {

struct CaseRun {
  char16_t first;
  char16_t last;
  char16_t stride;
  char16_t delta;  // added modulo 0x10000
};

constexpr CaseRun kUpperCaseRuns[] = {
#include "profile/wine/wine_upper_case.inc"
};

// Every UTF-16 unit's upper case, unfolded from the runs once.
const std::array<char16_t, 0x10000>& upperCaseTable() {
  static const auto table = [] {
    auto built = std::make_unique<std::array<char16_t, 0x10000>>();
    for (std::size_t unit = 0; unit < built->size(); ++unit) (*built)[unit] = static_cast<char16_t>(unit);
    for (const CaseRun& run : kUpperCaseRuns) {
      for (std::uint32_t unit = run.first; unit <= run.last; unit += run.stride) {
        (*built)[unit] = static_cast<char16_t>(unit + run.delta);
      }
    }
    return built;
  }();
  return *table;
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

char32_t upper(char32_t code) {
  if (code < 0x80) return (code >= 'a' && code <= 'z') ? code - 'a' + 'A' : code;
  // Beyond the BMP Wine sees two surrogates, which its table leaves alone.
  if (code > 0xFFFF) return code;
  return upperCaseTable()[code];
}

// What the comparison sees at `at`: a character's upper case, or a byte that is not valid UTF-8
// (kept apart from every character). Comparing and hashing both walk names with it, so that
// names the comparison takes as equal always hash alike.
char32_t nextFolded(std::string_view text, std::size_t& at) {
  const std::size_t start = at;
  if (const auto code = decode(text, at)) return upper(*code);
  at = start + 1;
  return 0x200000 + static_cast<unsigned char>(text[start]);
}

}  // namespace

bool sameNameIgnoringCase(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    if (nextFolded(a, i) != nextFolded(b, j)) return false;
  }
  return i == a.size() && j == b.size();
}

std::uint64_t caseBlindHash(std::string_view name) {
  // FNV-1a over the folded characters.
  std::uint64_t hash = 0xcbf29ce484222325ULL;
  for (std::size_t at = 0; at < name.size();) {
    hash = (hash ^ nextFolded(name, at)) * 0x100000001b3ULL;
  }
  return hash;
}

}  // namespace zendrift::profile
