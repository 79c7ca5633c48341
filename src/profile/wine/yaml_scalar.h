// One plain value from a YAML file of the simple shape that Lutris and Bottles write: top-level
// keys, some opening a block of indented keys. Not a YAML reader; just enough to find a value.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zendrift::profile::wine {

// The text of `key` in the block under the top-level key `section`, or of the top-level `key`
// when `section` is empty. Quotes are taken off; a comment after a plain value is dropped. Empty
// when the key is missing, null, or not a plain value (a block, a list).
std::optional<std::string> yamlScalar(std::string_view text, std::string_view section, std::string_view key);

}  // namespace zendrift::profile::wine
