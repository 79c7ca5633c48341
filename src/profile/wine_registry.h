// Wine's text registry files (user.reg, system.reg), read into memory for look-ups.
//
// The reader only reads. A malformed line is skipped, never fatal; a file without the
// "WINE REGISTRY Version 2" header holds nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace zendrift::profile {

inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiSz = 7;

struct RegistryValue {
  std::uint32_t type = 0;
  // UTF-8 text when the file wrote the value as a quoted string; otherwise the raw bytes
  // (hex forms; a dword as four little-endian bytes).
  std::string data;
  bool quoted = false;
};

// The text of a value the way Windows reads a string out of the registry: REG_SZ and
// REG_EXPAND_SZ without the terminating NUL (UTF-16 hex data decoded), REG_BINARY as its bytes
// less the last one. Any other kind has no text.
std::optional<std::string> registryText(const RegistryValue& value);

class RegistryFile {
 public:
  // Values of one key, by lower-case name; the default value is the empty name.
  using Values = std::unordered_map<std::string, RegistryValue>;

  static RegistryFile parse(std::string_view text);

  // `key` is a backslash-separated path relative to the file's root; names are matched
  // without regard to ASCII letter case.
  const Values* key(std::string_view key) const;
  const RegistryValue* value(std::string_view key, std::string_view name) const;
  std::size_t keyCount() const noexcept { return keys_.size(); }

 private:
  std::unordered_map<std::string, Values> keys_;
};

// ASCII lower case, the folding that registry names and Windows file names share here.
std::string asciiLower(std::string_view text);

}  // namespace zendrift::profile
