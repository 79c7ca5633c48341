// UTF-16LE and ANSI code page decoding to UTF-8.
#include "shortcut/text_decoding.h"

#include <array>
#include <string_view>

#include "platform/code_page.h"
#include "platform/process.h"

namespace zendrift::shortcut {

namespace {

void appendCodePoint(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

// Windows-1252 bytes 0x80-0x9F; the five bytes it leaves undefined map to the same C1 code
// point, as Windows' own conversion does. 0xA0-0xFF are Latin-1.
constexpr std::array<char16_t, 32> kWestern80 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendWestern(std::string& out, std::span<const std::uint8_t> bytes) {
  for (const std::uint8_t b : bytes) {
    if (b < 0x80) {
      out.push_back(static_cast<char>(b));
    } else if (b < 0xA0) {
      appendCodePoint(out, kWestern80[b - 0x80]);
    } else {
      appendCodePoint(out, b);
    }
  }
}

bool isAscii(std::span<const std::uint8_t> bytes) {
  for (const std::uint8_t b : bytes) {
    if (b >= 0x80) return false;
  }
  return true;
}

}  // namespace

void appendUtf16(std::string& out, std::span<const std::uint8_t> utf16le) {
  const std::size_t units = utf16le.size() / 2;
  for (std::size_t i = 0; i < units; ++i) {
    const char32_t unit = static_cast<char32_t>(utf16le[2 * i] | (utf16le[2 * i + 1] << 8));
    if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < units) {
      const char32_t low = static_cast<char32_t>(utf16le[2 * i + 2] | (utf16le[2 * i + 3] << 8));
      if (low >= 0xDC00 && low < 0xE000) {
        appendCodePoint(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        ++i;
        continue;
      }
    }
    appendCodePoint(out, unit >= 0xD800 && unit < 0xE000 ? char32_t{0xFFFD} : unit);
  }
}

void appendAnsi(std::string& out, std::span<const std::uint8_t> bytes, unsigned codePage) {
  if (codePage != kCodePageWestern && !isAscii(bytes) && platform::appendFromCodePage(out, bytes, codePage)) return;
  appendWestern(out, bytes);
}

unsigned ansiCodePageForLocale(std::string_view locale) {
  const std::size_t end = locale.find_first_of(".@");
  if (end != std::string_view::npos) locale = locale.substr(0, end);
  const std::string_view language = locale.substr(0, locale.find('_'));
  struct Entry {
    std::string_view language;
    unsigned codePage;
  };
  static constexpr Entry kTable[] = {
      {"ru", 1251}, {"uk", 1251}, {"be", 1251}, {"bg", 1251}, {"mk", 1251}, {"sr", 1251}, {"kk", 1251},
      {"pl", 1250}, {"cs", 1250}, {"sk", 1250}, {"hu", 1250}, {"hr", 1250}, {"sl", 1250}, {"ro", 1250},
      {"bs", 1250}, {"sq", 1250}, {"el", 1253}, {"tr", 1254}, {"az", 1254}, {"he", 1255}, {"ar", 1256},
      {"fa", 1256}, {"ur", 1256}, {"lt", 1257}, {"lv", 1257}, {"et", 1257}, {"vi", 1258}, {"th", 874},
      {"ja", 932},  {"ko", 949}};
  for (const Entry& entry : kTable) {
    if (entry.language == language) return entry.codePage;
  }
  if (language == "zh") {
    return locale == "zh_TW" || locale == "zh_HK" || locale == "zh_MO" ? 950 : 936;
  }
  return kCodePageWestern;
}

unsigned localeAnsiCodePage() {
  if (const auto system = platform::systemAnsiCodePage()) return *system;
  for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const auto value = platform::environmentVariable(name);
    if (value && !value->empty()) return ansiCodePageForLocale(*value);
  }
  return kCodePageWestern;
}

}  // namespace zendrift::shortcut
