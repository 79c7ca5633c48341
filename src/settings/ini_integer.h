// Reading an integer from a settings value, as the profile services' callers read them.
#pragma once

#include <cstdint>
#include <string_view>

namespace zendrift::settings {

// Optional leading spaces, an optional sign, then decimal digits, or hexadecimal digits after
// "$", "x", "X", "0x" or "0X"; nothing after the digits; within the signed 32-bit range.
// Anything else gives `fallback`.
std::int32_t parseIniInteger(std::string_view text, std::int32_t fallback);

}  // namespace zendrift::settings
