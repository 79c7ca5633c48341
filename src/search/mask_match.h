// The wildcard matcher of the walk's mask, and the upper-case folding it is used with.
//
// Names are bytes. Only ASCII letters are folded, so the bytes of a multi-byte UTF-8 character
// (all 0x80 or above) are never changed or split, and a name that is not valid UTF-8 matches
// byte for byte.
#pragma once

#include <string>
#include <string_view>

namespace zendrift::search {

constexpr char upperCaseAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
std::string upperCase(std::string_view text);

// "*" stands for any run of characters (none included), "?" for exactly one; every other
// character for itself, compared exactly. Only the last star is retried. Throws SearchError
// "Search string cannot be blank" for an empty mask.
bool maskMatch(std::string_view mask, std::string_view name);

// The same match against the upper-case form of `name`, without building that form.
bool maskMatchUpperName(std::string_view mask, std::string_view name);

// An upper-case mask set up once for matching many names: maskMatchUpperName's answers, the
// scan's kind of mask ("*.LNK": one star, then plain characters) told by the name's end alone.
// Throws SearchError for a blank mask.
class UpperNameMask {
 public:
  explicit UpperNameMask(std::string upperMask);
  bool matches(std::string_view name) const;

 private:
  std::string mask_;
  bool starThenPlain_ = false;
};

}  // namespace zendrift::search
