// Turning the link's stored strings (UTF-16LE or an ANSI code page) into UTF-8.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace zendrift::shortcut {

inline constexpr unsigned kCodePageWestern = 1252;

// Appends UTF-16LE text; unpaired surrogates become U+FFFD, an odd last byte is ignored.
void appendUtf16(std::string& out, std::span<const std::uint8_t> utf16le);

// Appends text in a Windows ANSI code page. Windows-1252 is decoded by our own table; other code
// pages go through the system's converter, and text it cannot convert is read as Windows-1252,
// so no name is ever dropped.
void appendAnsi(std::string& out, std::span<const std::uint8_t> bytes, unsigned codePage);

// The ANSI code page of the user's system: the one Windows reports, else the one Windows (and
// Wine) pick for the locale (LC_ALL, LC_CTYPE, LANG); Windows-1252 when the locale names
// nothing more specific.
unsigned localeAnsiCodePage();

// The code page for a POSIX locale name such as "ru_RU.UTF-8".
unsigned ansiCodePageForLocale(std::string_view locale);

}  // namespace zendrift::shortcut
