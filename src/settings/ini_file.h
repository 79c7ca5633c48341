// An INI file that is read key by key and written back with every foreign line kept as it was.
//
// Reading follows the private-profile services: section and key names compare without regard to
// ASCII case, the first matching key wins (also across a repeated section), a value loses its
// surrounding blanks and one pair of enclosing quotes, and is read up to 2047 characters.
// Writing a key replaces that one line; a new key goes after the last entry of its section, and
// a new section at the end of the file. Lines may end in LF, CRLF or CR; each keeps its own end.
// Nothing reaches the disk until save(), which replaces the whole file at once.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <system_error>
#include <string_view>
#include <vector>

namespace zendrift::settings {

inline constexpr std::size_t kMaxIniValueLength = 2047;

class IniFile {
 public:
  // Loads `path`; a missing, unreadable or empty path gives an empty file.
  explicit IniFile(std::string path);

  const std::string& path() const noexcept { return path_; }

  // The value cut to kMaxIniValueLength characters, as the profile services read it.
  std::optional<std::string> readString(std::string_view section, std::string_view key) const;
  std::string readString(std::string_view section, std::string_view key, std::string_view fallback) const;
  // The whole value, for lists that the program itself grows past the read limit.
  std::optional<std::string> readWholeString(std::string_view section, std::string_view key) const;
  void writeString(std::string_view section, std::string_view key, std::string_view value);

  // The file's text as it would be saved.
  std::string content() const;
  // Writes the content to the disk, or says why it could not. Refused when the file exists but
  // could not be read whole: saving would then drop the lines that were not read.
  [[nodiscard]] std::error_code save() const;
  // True when the file exists but could not be read whole (unreadable, not a regular file, too
  // large): what was read is then empty, not the file's content.
  bool unreadable() const noexcept { return unreadable_; }

 private:
  struct Line {
    std::string text;    // without its line end
    std::string_view ending;  // "\n", "\r\n", "\r" or "" for a last line without one (literals)
  };
  std::optional<std::size_t> findKey(std::string_view section, std::string_view key) const;
  // Index of the line after which a new key of `section` goes; empty when no such section.
  std::optional<std::size_t> sectionInsertPoint(std::string_view section) const;

  std::string path_;
  std::vector<Line> lines_;
  std::string_view newline_;
  bool byteOrderMark_ = false;
  bool unreadable_ = false;
};

}  // namespace zendrift::settings
