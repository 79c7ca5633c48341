// The system's ANSI code pages: which one the user's Windows uses, and converting text from one.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace zendrift::platform {

// The ANSI code page the system itself reports (GetACP on Windows); empty where the system has
// none and the user's locale decides (POSIX).
std::optional<unsigned> systemAnsiCodePage();

// Appends `bytes`, text in the Windows code page `codePage`, to `out` as UTF-8. False, with
// nothing appended, when the system cannot convert it (unknown code page, invalid bytes).
bool appendFromCodePage(std::string& out, std::span<const std::uint8_t> bytes, unsigned codePage);

}  // namespace zendrift::platform
