// The system's ANSI code pages: which one the user's Windows uses, and converting text from one.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace zendrift::platform {

// The ANSI code page the system itself reports (GetACP on Windows); on POSIX Windows-1252 when
// the environment names a locale the C library cannot load (Wine then stays in the C locale),
// else empty: the locale's name decides.
std::optional<unsigned> systemAnsiCodePage();

// Appends `bytes`, text in the Windows code page `codePage`, to `out` as UTF-8. False, with
// nothing appended, when the system cannot convert it (unknown code page, invalid bytes).
bool appendFromCodePage(std::string& out, std::span<const std::uint8_t> bytes, unsigned codePage);

}  // namespace zendrift::platform
