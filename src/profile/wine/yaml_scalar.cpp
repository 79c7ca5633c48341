// Finding one value in a simple YAML file, line by line.
#include "profile/wine/yaml_scalar.h"

namespace zendrift::profile::wine {

namespace {

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

// The value part of one line as text: quoted forms unquoted, plain forms without a comment.
std::optional<std::string> scalar(std::string_view raw) {
  raw = trimmed(raw);
  if (raw.empty()) return std::nullopt;
  std::string out;
  if (raw.front() == '\'') {
    // '' stands for one quote; nothing else is escaped.
    for (std::size_t i = 1; i < raw.size(); ++i) {
      if (raw[i] != '\'') {
        out += raw[i];
      } else if (i + 1 < raw.size() && raw[i + 1] == '\'') {
        out += '\'';
        ++i;
      } else {
        return out;
      }
    }
    return std::nullopt;
  }
  if (raw.front() == '"') {
    for (std::size_t i = 1; i < raw.size(); ++i) {
      char c = raw[i];
      if (c == '"') return out;
      if (c == '\\' && i + 1 < raw.size()) {
        c = raw[++i];
        if (c == 'n') c = '\n';
        else if (c == 't') c = '\t';
      }
      out += c;
    }
    return std::nullopt;
  }
  if (const std::size_t comment = raw.find(" #"); comment != std::string_view::npos) raw = trimmed(raw.substr(0, comment));
  if (raw == "~" || raw == "null" || raw.front() == '[' || raw.front() == '{' || raw.front() == '|' ||
      raw.front() == '>' || raw.front() == '&' || raw.front() == '*') {
    return std::nullopt;
  }
  return std::string(raw);
}

}  // namespace

std::optional<std::string> yamlScalar(std::string_view text, std::string_view section, std::string_view key) {
  bool inSection = section.empty();
  std::size_t childIndent = 0;  // the indentation of the section's own keys, once seen
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);

    const std::size_t indent = line.find_first_not_of(' ');
    if (indent == std::string_view::npos) continue;
    line = trimmed(line);
    if (line.empty() || line.front() == '#' || line == "---") continue;
    const std::size_t colon = line.find(':');
    // "key:" ends the key at the colon; a colon inside a value ("C:\x") comes after a blank.
    if (colon == std::string_view::npos || (colon + 1 < line.size() && line[colon + 1] != ' ' && line[colon + 1] != '\t')) {
      continue;
    }
    const std::string_view name = trimmed(line.substr(0, colon));
    if (indent == 0) {
      if (section.empty()) {
        if (name == key) return scalar(line.substr(colon + 1));
        continue;
      }
      inSection = name == section;
      childIndent = 0;
      continue;
    }
    if (section.empty() || !inSection) continue;
    if (childIndent == 0) childIndent = indent;
    if (indent == childIndent && name == key) return scalar(line.substr(colon + 1));
  }
  return std::nullopt;
}

}  // namespace zendrift::profile::wine
