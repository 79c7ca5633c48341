// The wildcard matcher: a literal phase and a star phase, retrying only the last star.
#include "search/mask_match.h"

#include <utility>

#include "search/search_error.h"

namespace zendrift::search {

namespace {

constexpr std::size_t kUnset = std::string_view::npos;

template <typename Fold>
bool matchMask(std::string_view mask, std::string_view name, Fold fold) {
  if (mask.empty()) throw SearchError(kBlankMaskMessage);
  if (mask == "*") return true;
  if (name.empty()) return false;

  std::size_t m = 0;
  std::size_t n = 0;
  std::size_t maskMark = kUnset;
  std::size_t nameMark = kUnset;
  bool starPhase = false;
  const auto retry = [&] {
    if (maskMark == kUnset || nameMark == kUnset) return false;
    m = maskMark;
    n = nameMark;
    starPhase = true;
    return true;
  };

  for (;;) {
    if (!starPhase) {
      if (m == mask.size()) {
        if (n == name.size()) return true;
        if (!retry()) return false;
        continue;
      }
      const char c = mask[m];
      if (c == '*') {
        maskMark = ++m;
        starPhase = true;
      } else if (n == name.size()) {
        return false;
      } else if (c == '?' || fold(name[n]) == c) {
        ++m;
        ++n;
      } else if (!retry()) {
        return false;
      }
    } else {
      if (m == mask.size()) return true;
      const char c = mask[m];
      if (c == '*') {
        maskMark = ++m;
      } else if (c == '?') {
        if (n == name.size()) return false;
        ++m;
        ++n;
      } else {
        while (n < name.size() && fold(name[n]) != c) ++n;
        if (n == name.size()) return false;
        nameMark = ++n;
        ++m;
        starPhase = false;
      }
    }
  }
}

}  // namespace

std::string upperCase(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = upperCaseAscii(c);
  return result;
}

bool maskMatch(std::string_view mask, std::string_view name) {
  return matchMask(mask, name, [](char c) { return c; });
}

bool maskMatchUpperName(std::string_view mask, std::string_view name) {
  return matchMask(mask, name, upperCaseAscii);
}

UpperNameMask::UpperNameMask(std::string upperMask) : mask_(std::move(upperMask)) {
  if (mask_.empty()) throw SearchError(kBlankMaskMessage);
  starThenPlain_ = mask_.size() > 1 && mask_[0] == '*' && mask_.find_first_of("*?", 1) == std::string::npos;
}

bool UpperNameMask::matches(std::string_view name) const {
  if (!starThenPlain_) return maskMatchUpperName(mask_, name);
  // What the matcher finds by trying every place of the one star: whether the name ends so.
  const std::string_view tail = std::string_view(mask_).substr(1);
  if (name.size() < tail.size()) return false;
  const std::string_view end = name.substr(name.size() - tail.size());
  for (std::size_t i = 0; i < tail.size(); ++i) {
    if (upperCaseAscii(end[i]) != tail[i]) return false;
  }
  return true;
}

}  // namespace zendrift::search
