// Valve's key-value text, the format of Steam's libraryfolders.vdf and appmanifest_*.acf files:
// quoted keys, each followed by a quoted value or a braced block of more pairs.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zendrift::profile::wine {

struct KeyValues {
  std::string key;
  std::string value;  // a leaf's text; empty for a block
  std::vector<KeyValues> children;
  bool block = false;

  // The first child named `name`, letter case ignored as Steam ignores it; null when none.
  const KeyValues* child(std::string_view name) const;
};

// The pairs of `text` as the children of one unnamed block. Empty when the text is malformed
// (an unclosed block or string, a key without a value, nesting deeper than any Steam file).
std::optional<KeyValues> parseKeyValues(std::string_view text);

}  // namespace zendrift::profile::wine
