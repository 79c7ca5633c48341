// Wine's short names, worked out the way Wine's own file layer does it, so that a shortcut target
// stored in 8.3 form is found below a drive folder just as Wine would find it.
#include "profile/wine/wine_short_name.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>

#include "platform/ascii_case.h"

namespace zendrift::profile {

namespace {

// Wine hashes a lower-cased name with its own table: Unicode's simple lower-case mappings within
// UTF-16 units, except the few below that Wine leaves alone (U+01C5, U+01C8, U+01CB, U+01F2,
// U+03F4, U+1E9E, U+2126, U+212A, U+212B). Checked against Wine 8 for every unit from U+0080.
// Each entry maps first, first + step, ... up to last by adding delta.
struct LowerRange {
  char16_t first;
  char16_t last;
  std::uint8_t step;
  std::int32_t delta;
};

constexpr LowerRange kLowerRanges[] = {
    {0x00C0, 0x00D6, 1, 32}, {0x00D8, 0x00DE, 1, 32}, {0x0100, 0x012E, 2, 1}, {0x0132, 0x0136, 2, 1},
    {0x0139, 0x0147, 2, 1}, {0x014A, 0x0176, 2, 1}, {0x0178, 0x0178, 1, -121}, {0x0179, 0x017D, 2, 1},
    {0x0181, 0x0181, 1, 210}, {0x0182, 0x0184, 2, 1}, {0x0186, 0x0186, 1, 206}, {0x0187, 0x0187, 1, 1},
    {0x0189, 0x018A, 1, 205}, {0x018B, 0x018B, 1, 1}, {0x018E, 0x018E, 1, 79}, {0x018F, 0x018F, 1, 202},
    {0x0190, 0x0190, 1, 203}, {0x0191, 0x0191, 1, 1}, {0x0193, 0x0193, 1, 205}, {0x0194, 0x0194, 1, 207},
    {0x0196, 0x0196, 1, 211}, {0x0197, 0x0197, 1, 209}, {0x0198, 0x0198, 1, 1}, {0x019C, 0x019C, 1, 211},
    {0x019D, 0x019D, 1, 213}, {0x019F, 0x019F, 1, 214}, {0x01A0, 0x01A4, 2, 1}, {0x01A6, 0x01A6, 1, 218},
    {0x01A7, 0x01A7, 1, 1}, {0x01A9, 0x01A9, 1, 218}, {0x01AC, 0x01AC, 1, 1}, {0x01AE, 0x01AE, 1, 218},
    {0x01AF, 0x01AF, 1, 1}, {0x01B1, 0x01B2, 1, 217}, {0x01B3, 0x01B5, 2, 1}, {0x01B7, 0x01B7, 1, 219},
    {0x01B8, 0x01B8, 1, 1}, {0x01BC, 0x01BC, 1, 1}, {0x01C4, 0x01C4, 1, 2}, {0x01C7, 0x01C7, 1, 2},
    {0x01CA, 0x01CA, 1, 2}, {0x01CD, 0x01DB, 2, 1}, {0x01DE, 0x01EE, 2, 1}, {0x01F1, 0x01F1, 1, 2},
    {0x01F4, 0x01F4, 1, 1}, {0x01F6, 0x01F6, 1, -97}, {0x01F7, 0x01F7, 1, -56}, {0x01F8, 0x021E, 2, 1},
    {0x0220, 0x0220, 1, -130}, {0x0222, 0x0232, 2, 1}, {0x023A, 0x023A, 1, 10795}, {0x023B, 0x023B, 1, 1},
    {0x023D, 0x023D, 1, -163}, {0x023E, 0x023E, 1, 10792}, {0x0241, 0x0241, 1, 1}, {0x0243, 0x0243, 1, -195},
    {0x0244, 0x0244, 1, 69}, {0x0245, 0x0245, 1, 71}, {0x0246, 0x024E, 2, 1}, {0x0370, 0x0372, 2, 1},
    {0x0376, 0x0376, 1, 1}, {0x037F, 0x037F, 1, 116}, {0x0386, 0x0386, 1, 38}, {0x0388, 0x038A, 1, 37},
    {0x038C, 0x038C, 1, 64}, {0x038E, 0x038F, 1, 63}, {0x0391, 0x03A1, 1, 32}, {0x03A3, 0x03AB, 1, 32},
    {0x03CF, 0x03CF, 1, 8}, {0x03D8, 0x03EE, 2, 1}, {0x03F7, 0x03F7, 1, 1}, {0x03F9, 0x03F9, 1, -7},
    {0x03FA, 0x03FA, 1, 1}, {0x03FD, 0x03FF, 1, -130}, {0x0400, 0x040F, 1, 80}, {0x0410, 0x042F, 1, 32},
    {0x0460, 0x0480, 2, 1}, {0x048A, 0x04BE, 2, 1}, {0x04C0, 0x04C0, 1, 15}, {0x04C1, 0x04CD, 2, 1},
    {0x04D0, 0x052E, 2, 1}, {0x0531, 0x0556, 1, 48}, {0x10A0, 0x10C5, 1, 7264}, {0x10C7, 0x10C7, 1, 7264},
    {0x10CD, 0x10CD, 1, 7264}, {0x13A0, 0x13EF, 1, 38864}, {0x13F0, 0x13F5, 1, 8}, {0x1C90, 0x1CBA, 1, -3008},
    {0x1CBD, 0x1CBF, 1, -3008}, {0x1E00, 0x1E94, 2, 1}, {0x1EA0, 0x1EFE, 2, 1}, {0x1F08, 0x1F0F, 1, -8},
    {0x1F18, 0x1F1D, 1, -8}, {0x1F28, 0x1F2F, 1, -8}, {0x1F38, 0x1F3F, 1, -8}, {0x1F48, 0x1F4D, 1, -8},
    {0x1F59, 0x1F5F, 2, -8}, {0x1F68, 0x1F6F, 1, -8}, {0x1F88, 0x1F8F, 1, -8}, {0x1F98, 0x1F9F, 1, -8},
    {0x1FA8, 0x1FAF, 1, -8}, {0x1FB8, 0x1FB9, 1, -8}, {0x1FBA, 0x1FBB, 1, -74}, {0x1FBC, 0x1FBC, 1, -9},
    {0x1FC8, 0x1FCB, 1, -86}, {0x1FCC, 0x1FCC, 1, -9}, {0x1FD8, 0x1FD9, 1, -8}, {0x1FDA, 0x1FDB, 1, -100},
    {0x1FE8, 0x1FE9, 1, -8}, {0x1FEA, 0x1FEB, 1, -112}, {0x1FEC, 0x1FEC, 1, -7}, {0x1FF8, 0x1FF9, 1, -128},
    {0x1FFA, 0x1FFB, 1, -126}, {0x1FFC, 0x1FFC, 1, -9}, {0x2132, 0x2132, 1, 28}, {0x2160, 0x216F, 1, 16},
    {0x2183, 0x2183, 1, 1}, {0x24B6, 0x24CF, 1, 26}, {0x2C00, 0x2C2F, 1, 48}, {0x2C60, 0x2C60, 1, 1},
    {0x2C62, 0x2C62, 1, -10743}, {0x2C63, 0x2C63, 1, -3814}, {0x2C64, 0x2C64, 1, -10727}, {0x2C67, 0x2C6B, 2, 1},
    {0x2C6D, 0x2C6D, 1, -10780}, {0x2C6E, 0x2C6E, 1, -10749}, {0x2C6F, 0x2C6F, 1, -10783}, {0x2C70, 0x2C70, 1, -10782},
    {0x2C72, 0x2C72, 1, 1}, {0x2C75, 0x2C75, 1, 1}, {0x2C7E, 0x2C7F, 1, -10815}, {0x2C80, 0x2CE2, 2, 1},
    {0x2CEB, 0x2CED, 2, 1}, {0x2CF2, 0x2CF2, 1, 1}, {0xA640, 0xA66C, 2, 1}, {0xA680, 0xA69A, 2, 1},
    {0xA722, 0xA72E, 2, 1}, {0xA732, 0xA76E, 2, 1}, {0xA779, 0xA77B, 2, 1}, {0xA77D, 0xA77D, 1, -35332},
    {0xA77E, 0xA786, 2, 1}, {0xA78B, 0xA78B, 1, 1}, {0xA78D, 0xA78D, 1, -42280}, {0xA790, 0xA792, 2, 1},
    {0xA796, 0xA7A8, 2, 1}, {0xA7AA, 0xA7AA, 1, -42308}, {0xA7AB, 0xA7AB, 1, -42319}, {0xA7AC, 0xA7AC, 1, -42315},
    {0xA7AD, 0xA7AD, 1, -42305}, {0xA7AE, 0xA7AE, 1, -42308}, {0xA7B0, 0xA7B0, 1, -42258}, {0xA7B1, 0xA7B1, 1, -42282},
    {0xA7B2, 0xA7B2, 1, -42261}, {0xA7B3, 0xA7B3, 1, 928}, {0xA7B4, 0xA7C2, 2, 1}, {0xA7C4, 0xA7C4, 1, -48},
    {0xA7C5, 0xA7C5, 1, -42307}, {0xA7C6, 0xA7C6, 1, -35384}, {0xA7C7, 0xA7C9, 2, 1}, {0xA7D0, 0xA7D0, 1, 1},
    {0xA7D6, 0xA7D8, 2, 1}, {0xA7F5, 0xA7F5, 1, 1}, {0xFF21, 0xFF3A, 1, 32},
};

char16_t lowerLikeWine(char16_t unit) {
  if (unit < 0x80) return (unit >= u'A' && unit <= u'Z') ? static_cast<char16_t>(unit + 32) : unit;
  const auto* after = std::upper_bound(std::begin(kLowerRanges), std::end(kLowerRanges), unit,
                                       [](char16_t u, const LowerRange& range) { return u < range.first; });
  if (after == std::begin(kLowerRanges)) return unit;
  const LowerRange& range = *(after - 1);
  if (unit > range.last || (unit - range.first) % range.step != 0) return unit;
  return static_cast<char16_t>(unit + range.delta);
}

// UTF-8 to UTF-16 as Wine reads host names: a bad sequence becomes one U+FFFD, and the byte
// that showed it bad starts the next sequence unless it was a continuation byte already taken in
// (an overlong form or a surrogate is only seen after its first continuation byte). The hash
// covers these units, so the count of U+FFFD matters.
std::u16string decodeLikeWine(std::string_view text) {
  constexpr char16_t kReplacement = 0xFFFD;
  std::u16string units;
  units.reserve(text.size());
  std::size_t at = 0;
  while (at < text.size()) {
    const auto lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80) {
      units.push_back(lead);
      continue;
    }
    const std::size_t trailing = lead >= 0xC2 && lead <= 0xDF ? 1 : lead >= 0xE0 && lead <= 0xEF ? 2
                               : lead >= 0xF0 && lead <= 0xF4                                    ? 3
                                                                                                  : 0;
    if (trailing == 0) {
      units.push_back(kReplacement);
      continue;
    }
    if (at + trailing > text.size()) {  // cut short by the end of the name: all of it is one bad unit
      units.push_back(kReplacement);
      break;
    }
    char32_t code = lead & (0x7F >> (trailing + 1));
    bool good = true;
    for (std::size_t k = 1; k <= trailing && good; ++k) {
      const auto next = static_cast<unsigned char>(text[at]);
      if ((next & 0xC0) != 0x80) {
        good = false;
        break;
      }
      code = (code << 6) | (next & 0x3F);
      const std::size_t left = trailing - k;
      if (trailing == 3 && k == 2 && code >= (0x110000 >> 6)) {  // beyond U+10FFFF: this byte stays
        good = false;
        break;
      }
      ++at;
      if (k == 1) {
        if (trailing == 3 && code < 0x10) good = false;                  // overlong four bytes
        if (trailing == 2 && code < 0x20) good = false;                  // overlong three bytes
        if (trailing == 2 && code >= (0xD800 >> 6) && code <= (0xDFFF >> 6)) good = false;  // surrogate
      }
      if (left == 0 && code < 0x80) good = false;
    }
    if (!good) {
      units.push_back(kReplacement);
    } else if (code <= 0xFFFF) {
      units.push_back(static_cast<char16_t>(code));
    } else {
      code -= 0x10000;
      units.push_back(static_cast<char16_t>(0xD800 | (code >> 10)));
      units.push_back(static_cast<char16_t>(0xDC00 | (code & 0x3FF)));
    }
  }
  return units;
}

bool isInvalidInShortName(char16_t unit) {
  if (unit > 0x7F) return true;
  return std::u16string_view(u"*?<>|\"+=,;[] ~.").find(unit) != std::u16string_view::npos;
}

// Wine's test of whether a name needs no short name of its own: 1 to 8 characters, optionally a
// dot and 1 to 3 more, plain ASCII without the characters DOS refused and without a leading dot.
bool isPlainEightDotThree(std::u16string_view name) {
  if (name.size() > 12) return false;
  if (!name.empty() && name[0] == u'.') return name == u"." || name == u"..";
  std::size_t dot = std::u16string_view::npos;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const char16_t unit = name[i];
    if (unit > 0x7F || std::u16string_view(u"*?<>|\"+=,;[] :/\\").find(unit) != std::u16string_view::npos) {
      return false;
    }
    if (unit == u'.') {
      if (dot != std::u16string_view::npos) return false;
      dot = i;
    }
  }
  if (dot == std::u16string_view::npos) return name.size() <= 8;
  const std::size_t extension = name.size() - dot - 1;
  return dot <= 8 && extension >= 1 && extension <= 3;
}

std::uint16_t hashLikeWine(std::u16string_view name) {
  std::uint16_t hash = 0xBEEF;
  const auto mix = [&hash](std::uint16_t value) {
    hash = static_cast<std::uint16_t>((hash << 3) ^ (hash >> 5) ^ value);
  };
  for (std::size_t i = 0; i + 1 < name.size(); ++i) {
    mix(static_cast<std::uint16_t>(lowerLikeWine(name[i]) ^ (lowerLikeWine(name[i + 1]) << 8)));
  }
  if (!name.empty()) mix(lowerLikeWine(name.back()));
  return hash;
}

char shortNameChar(char16_t unit) {
  if (isInvalidInShortName(unit)) return '_';
  const char c = static_cast<char>(unit);
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// The two ways Wine has built the readable part. Wine 8 takes the extension after the last dot
// that is neither first nor last, and writes any earlier dot as '_'. Later Wine passes over
// leading dots when looking for the extension and leaves dots out of the leading characters.
enum class DotRule { Wine8, SkipDots };

std::string hashedShortName(std::u16string_view name, std::uint16_t hash, DotRule rule) {
  constexpr char kHashChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345";
  std::size_t searchFrom = 1;
  if (rule == DotRule::SkipDots) {
    std::size_t dots = 0;
    while (dots < name.size() && name[dots] == u'.') ++dots;
    searchFrom = dots + 1;
  }
  std::size_t extension = std::u16string_view::npos;
  for (std::size_t i = searchFrom; i + 1 < name.size(); ++i) {
    if (name[i] == u'.') extension = i;
  }

  std::string out;
  const std::size_t stem = std::min(extension, name.size());
  for (std::size_t i = 0; i < stem && out.size() < 4; ++i) {
    if (rule == DotRule::SkipDots && name[i] == u'.') continue;
    out.push_back(shortNameChar(name[i]));
  }
  out.append(5 - out.size(), '~');
  out.push_back(kHashChars[(hash >> 10) & 0x1F]);
  out.push_back(kHashChars[(hash >> 5) & 0x1F]);
  out.push_back(kHashChars[hash & 0x1F]);
  if (extension != std::u16string_view::npos) {
    out.push_back('.');
    for (std::size_t i = extension + 1; i < name.size() && i <= extension + 3; ++i) out.push_back(shortNameChar(name[i]));
  }
  return out;
}

}  // namespace

std::string wineShortName(std::string_view longName) {
  const std::u16string name = decodeLikeWine(longName);
  if (isPlainEightDotThree(name)) return std::string(longName);
  return hashedShortName(name, hashLikeWine(name), DotRule::Wine8);
}

bool matchesWineShortName(std::string_view listedName, std::string_view component) {
  // Wine only looks for a hashed name when the one asked for has this shape.
  if (component.size() < 8 || component.size() > 12 || component[4] != '~') return false;
  const std::u16string name = decodeLikeWine(listedName);
  if (isPlainEightDotThree(name)) return false;
  const std::uint16_t hash = hashLikeWine(name);
  return platform::equalsIgnoringAsciiCase(hashedShortName(name, hash, DotRule::Wine8), component) ||
         platform::equalsIgnoringAsciiCase(hashedShortName(name, hash, DotRule::SkipDots), component);
}

}  // namespace zendrift::profile
