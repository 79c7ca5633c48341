// The INI file of the settings.
#include "settings/ini_file.h"
#include "settings/settings_file.h"

#include "platform/ascii_case.h"
#include "platform/file_system.h"
#include "platform/host_conventions.h"

namespace zendrift::settings {

namespace {

using platform::equalsIgnoringAsciiCase;

constexpr std::size_t kMaxSettingsFileSize = 64 * 1024 * 1024;

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view text) {
  while (!text.empty() && (isBlank(text.front()) || text.front() == '\r')) text.remove_prefix(1);
  while (!text.empty() && (isBlank(text.back()) || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

// The name of a section header line, or empty when the line is not one.
std::optional<std::string_view> sectionName(std::string_view line) {
  line = trim(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  const std::size_t close = line.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return trim(line.substr(1, close - 1));
}

struct Entry {
  std::string_view key;
  std::string_view value;
};

std::optional<Entry> entryOf(std::string_view line) {
  const std::string_view trimmed = trim(line);
  if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '[') return std::nullopt;
  const std::size_t equals = trimmed.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return Entry{trim(trimmed.substr(0, equals)), trim(trimmed.substr(equals + 1))};
}

// Cuts a value to the read limit without splitting a multi-byte UTF-8 character.
std::string_view cutToLimit(std::string_view value) {
  if (value.size() <= kMaxIniValueLength) return value;
  std::size_t end = kMaxIniValueLength;
  while (end > 0 && (static_cast<unsigned char>(value[end]) & 0xC0) == 0x80) --end;
  return value.substr(0, end);
}

// A value must stay on its line: line breaks inside it would start new lines of the file.
std::string singleLine(std::string_view value) {
  std::string result(value);
  for (char& c : result) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return result;
}

}  // namespace

IniFile::IniFile(std::string path) : path_(std::move(path)) {
  newline_ = platform::kLineBreak;
  if (path_.empty()) return;
  // One byte more than the limit tells a file that is too large from one that just fits.
  const auto text = platform::readFile(path_, kMaxSettingsFileSize + 1);
  if (!text) {
    unreadable_ = platform::fileExists(path_);
    return;
  }
  if (text->size() > kMaxSettingsFileSize) {
    unreadable_ = true;
    return;
  }
  std::string_view rest = *text;
  // A byte-order mark is kept for writing but is no part of the first line.
  constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
  if (rest.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark) {
    byteOrderMark_ = true;
    rest.remove_prefix(kUtf8ByteOrderMark.size());
  }
  // A line ends at LF, CRLF or a lone CR (old Mac editors); each line keeps its own ending, and
  // keys added later take the ending most lines have.
  std::size_t lf = 0, crLf = 0, cr = 0;
  while (!rest.empty()) {
    const std::size_t end = rest.find_first_of("\r\n");
    Line line;
    if (end == std::string_view::npos) {
      line.text = std::string(rest);
      rest = {};
    } else {
      line.text = std::string(rest.substr(0, end));
      if (rest[end] == '\n') {
        line.ending = "\n";
        ++lf;
        rest.remove_prefix(end + 1);
      } else if (end + 1 < rest.size() && rest[end + 1] == '\n') {
        line.ending = "\r\n";
        ++crLf;
        rest.remove_prefix(end + 2);
      } else {
        line.ending = "\r";
        ++cr;
        rest.remove_prefix(end + 1);
      }
    }
    lines_.push_back(std::move(line));
  }
  if (crLf > 0 && crLf >= lf && crLf >= cr) {
    newline_ = "\r\n";
  } else if (cr > lf && cr > crLf) {
    newline_ = "\r";
  } else if (lf > 0) {
    newline_ = "\n";
  }
}

std::optional<std::size_t> IniFile::findKey(std::string_view section, std::string_view key) const {
  bool inSection = false;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (const auto name = sectionName(lines_[i].text)) {
      inSection = equalsIgnoringAsciiCase(*name, section);
      continue;
    }
    if (!inSection) continue;
    if (const auto entry = entryOf(lines_[i].text); entry && equalsIgnoringAsciiCase(entry->key, key)) return i;
  }
  return std::nullopt;
}

std::optional<std::size_t> IniFile::sectionInsertPoint(std::string_view section) const {
  std::optional<std::size_t> header;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (const auto name = sectionName(lines_[i].text); name && equalsIgnoringAsciiCase(*name, section)) {
      header = i;
      break;
    }
  }
  if (!header) return std::nullopt;
  std::size_t last = *header;
  for (std::size_t i = *header + 1; i < lines_.size() && !sectionName(lines_[i].text); ++i) {
    if (!trim(lines_[i].text).empty()) last = i;
  }
  return last;
}

std::optional<std::string> IniFile::readWholeString(std::string_view section, std::string_view key) const {
  const auto index = findKey(section, key);
  if (!index) return std::nullopt;
  std::string_view value = entryOf(lines_[*index].text)->value;
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value);
}

std::optional<std::string> IniFile::readString(std::string_view section, std::string_view key) const {
  auto value = readWholeString(section, key);
  if (value) value->resize(cutToLimit(*value).size());
  return value;
}

std::string IniFile::readString(std::string_view section, std::string_view key, std::string_view fallback) const {
  return readString(section, key).value_or(std::string(fallback));
}

void IniFile::writeString(std::string_view section, std::string_view key, std::string_view value) {
  const std::string newValue = singleLine(value);
  if (const auto index = findKey(section, key)) {
    Line& line = lines_[*index];
    const std::string storedKey(entryOf(line.text)->key);
    line.text = storedKey + "=" + newValue;
    return;
  }
  Line entry{std::string(key) + "=" + newValue, newline_};
  if (const auto after = sectionInsertPoint(section)) {
    Line& previous = lines_[*after];
    if (previous.ending.empty()) previous.ending = newline_;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(*after + 1), std::move(entry));
    return;
  }
  if (!lines_.empty()) {
    if (lines_.back().ending.empty()) lines_.back().ending = newline_;
    if (!trim(lines_.back().text).empty()) lines_.push_back(Line{"", newline_});
  }
  std::string header;
  header.reserve(section.size() + 2);
  header.append(1, '[').append(section).append(1, ']');
  lines_.push_back(Line{std::move(header), newline_});
  lines_.push_back(std::move(entry));
}

std::string IniFile::content() const {
  std::string text = byteOrderMark_ ? "\xEF\xBB\xBF" : "";
  for (const Line& line : lines_) {
    text += line.text;
    text += line.ending;
  }
  return text;
}

std::error_code IniFile::save() const {
  if (path_.empty()) return std::make_error_code(std::errc::no_such_file_or_directory);
  // Writing back what could not be read would throw away the user's settings.
  if (unreadable_) return SettingsError::unreadable;
  return platform::replaceFile(path_, content());
}

}  // namespace zendrift::settings
