// Reader of Wine's text registry format.
#include "profile/wine_registry.h"

#include <cctype>
#include <vector>

namespace zendrift::profile {

namespace {

constexpr std::string_view kHeader = "WINE REGISTRY Version 2";

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

void appendUtf8(std::string& out, std::uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// UTF-16 code units to UTF-8; a lone surrogate becomes U+FFFD.
std::string utf16ToUtf8(const std::vector<std::uint16_t>& units) {
  std::string out;
  for (std::size_t i = 0; i < units.size(); ++i) {
    const std::uint32_t unit = units[i];
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
      appendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (units[i + 1] - 0xDC00u));
      ++i;
    } else if (unit >= 0xD800 && unit <= 0xDFFF) {
      appendUtf8(out, 0xFFFD);
    } else {
      appendUtf8(out, unit);
    }
  }
  return out;
}

// Parses an escaped name or string up to `terminator`; `in` starts just after the opening
// character and ends just after the terminator. False when the terminator never comes.
bool parseEscaped(std::string_view& in, char terminator, std::string& out) {
  std::vector<std::uint16_t> pending;  // \x units, combined into surrogate pairs
  auto flush = [&] {
    if (!pending.empty()) out += utf16ToUtf8(pending);
    pending.clear();
  };
  while (!in.empty()) {
    const char c = in.front();
    in.remove_prefix(1);
    if (c == terminator) {
      flush();
      return true;
    }
    if (c != '\\' || in.empty()) {
      flush();
      out += c;
      continue;
    }
    const char e = in.front();
    in.remove_prefix(1);
    if (e == 'x') {
      std::uint32_t unit = 0;
      int digits = 0;
      while (digits < 4 && !in.empty() && hexDigit(in.front()) >= 0) {
        unit = unit * 16 + static_cast<std::uint32_t>(hexDigit(in.front()));
        in.remove_prefix(1);
        ++digits;
      }
      if (digits == 0) {
        flush();
        out += 'x';
      } else {
        pending.push_back(static_cast<std::uint16_t>(unit));
      }
      continue;
    }
    flush();
    if (e >= '0' && e <= '7') {
      std::uint32_t code = static_cast<std::uint32_t>(e - '0');
      for (int digits = 1; digits < 3 && !in.empty() && in.front() >= '0' && in.front() <= '7'; ++digits) {
        code = code * 8 + static_cast<std::uint32_t>(in.front() - '0');
        in.remove_prefix(1);
      }
      appendUtf8(out, code);
      continue;
    }
    switch (e) {
      case 'n': out += '\n'; break;
      case 't': out += '\t'; break;
      case 'r': out += '\r'; break;
      case 'a': out += '\a'; break;
      case 'b': out += '\b'; break;
      case 'e': out += '\x1b'; break;
      case 'f': out += '\f'; break;
      case 'v': out += '\v'; break;
      default: out += e; break;  // \\, \" and anything else stand for themselves
    }
  }
  return false;
}

bool consume(std::string_view& in, std::string_view prefix) {
  if (in.substr(0, prefix.size()) != prefix) return false;
  in.remove_prefix(prefix.size());
  return true;
}

// "(n):" after "str" or "hex"; n is hexadecimal as Wine writes it.
bool parseTypeSuffix(std::string_view& in, std::uint32_t& type) {
  if (!consume(in, "(")) return false;
  std::uint32_t value = 0;
  int digits = 0;
  while (!in.empty() && hexDigit(in.front()) >= 0 && digits < 8) {
    value = value * 16 + static_cast<std::uint32_t>(hexDigit(in.front()));
    in.remove_prefix(1);
    ++digits;
  }
  if (digits == 0 || !consume(in, "):")) return false;
  type = value;
  return true;
}

// Comma-separated hex bytes; false on anything else.
bool parseHexBytes(std::string_view in, std::string& out) {
  while (true) {
    while (!in.empty() && (in.front() == ' ' || in.front() == '\t')) in.remove_prefix(1);
    if (in.empty()) return true;
    if (in.size() < 2 || hexDigit(in[0]) < 0 || hexDigit(in[1]) < 0) return false;
    out += static_cast<char>(hexDigit(in[0]) * 16 + hexDigit(in[1]));
    in.remove_prefix(2);
    while (!in.empty() && (in.front() == ' ' || in.front() == '\t')) in.remove_prefix(1);
    if (in.empty()) return true;
    if (in.front() != ',') return false;
    in.remove_prefix(1);
  }
}

std::optional<RegistryValue> parseData(std::string_view in) {
  RegistryValue value;
  if (consume(in, "\"")) {
    value.type = kRegSz;
    value.quoted = true;
    if (!parseEscaped(in, '"', value.data)) return std::nullopt;
    return value;
  }
  if (consume(in, "str")) {
    if (!parseTypeSuffix(in, value.type) || !consume(in, "\"")) return std::nullopt;
    value.quoted = true;
    if (!parseEscaped(in, '"', value.data)) return std::nullopt;
    return value;
  }
  if (consume(in, "dword:")) {
    std::uint32_t number = 0;
    int digits = 0;
    while (!in.empty() && hexDigit(in.front()) >= 0) {
      if (++digits > 8) return std::nullopt;
      number = number * 16 + static_cast<std::uint32_t>(hexDigit(in.front()));
      in.remove_prefix(1);
    }
    if (digits == 0) return std::nullopt;
    value.type = kRegDword;
    for (int i = 0; i < 4; ++i) value.data += static_cast<char>((number >> (8 * i)) & 0xFF);
    return value;
  }
  if (consume(in, "hex")) {
    value.type = kRegBinary;
    if (!in.empty() && in.front() == '(') {
      if (!parseTypeSuffix(in, value.type)) return std::nullopt;
    } else if (!consume(in, ":")) {
      return std::nullopt;
    }
    if (!parseHexBytes(in, value.data)) return std::nullopt;
    return value;
  }
  return std::nullopt;
}

std::string_view trimLineEnd(std::string_view line) {
  while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
  return line;
}

// The next physical line of `text`, without its line break.
std::string_view nextLine(std::string_view& text) {
  const std::size_t end = text.find('\n');
  const std::string_view line = text.substr(0, end);
  text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  return line;
}

}  // namespace

std::string asciiLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

std::optional<std::string> registryText(const RegistryValue& value) {
  if (value.type == kRegBinary) {
    if (value.data.empty()) return std::string();
    return value.data.substr(0, value.data.size() - 1);
  }
  if (value.type != kRegSz && value.type != kRegExpandSz) return std::nullopt;
  if (value.quoted) return value.data;
  std::vector<std::uint16_t> units;
  for (std::size_t i = 0; i + 1 < value.data.size(); i += 2) {
    const auto unit = static_cast<std::uint16_t>(static_cast<unsigned char>(value.data[i]) |
                                                 (static_cast<unsigned char>(value.data[i + 1]) << 8));
    if (unit == 0) break;
    units.push_back(unit);
  }
  return utf16ToUtf8(units);
}

RegistryFile RegistryFile::parse(std::string_view text) {
  RegistryFile file;
  if (consume(text, "\xEF\xBB\xBF"); !consume(text, kHeader)) return file;
  nextLine(text);

  Values* current = nullptr;
  while (!text.empty()) {
    std::string_view line = trimLineEnd(nextLine(text));
    std::string joined;
    if (!line.empty() && line.back() == '\\' && line.find("=hex") != std::string_view::npos) {
      // A hex value goes on over the following lines, each ending in a backslash but the last.
      joined.assign(line.substr(0, line.size() - 1));
      while (!text.empty()) {
        std::string_view more = trimLineEnd(nextLine(text));
        while (!more.empty() && (more.front() == ' ' || more.front() == '\t')) more.remove_prefix(1);
        const bool goesOn = !more.empty() && more.back() == '\\';
        joined.append(goesOn ? more.substr(0, more.size() - 1) : more);
        if (!goesOn) break;
      }
      line = joined;
    }
    if (line.empty() || line.front() == ';' || line.front() == '#') continue;
    if (line.front() == '[') {
      line.remove_prefix(1);
      std::string name;
      current = nullptr;
      if (!parseEscaped(line, ']', name)) continue;
      current = &file.keys_[asciiLower(name)];
      continue;
    }
    if (!current) continue;
    std::string name;
    if (line.front() == '@') {
      line.remove_prefix(1);
    } else if (line.front() == '"') {
      line.remove_prefix(1);
      if (!parseEscaped(line, '"', name)) continue;
    } else {
      continue;
    }
    if (!consume(line, "=")) continue;
    if (auto value = parseData(line)) (*current)[asciiLower(name)] = std::move(*value);
  }
  return file;
}

const RegistryFile::Values* RegistryFile::key(std::string_view key) const {
  const auto found = keys_.find(asciiLower(key));
  return found == keys_.end() ? nullptr : &found->second;
}

const RegistryValue* RegistryFile::value(std::string_view keyPath, std::string_view name) const {
  const Values* values = key(keyPath);
  if (!values) return nullptr;
  const auto found = values->find(asciiLower(name));
  return found == values->end() ? nullptr : &found->second;
}

}  // namespace zendrift::profile
