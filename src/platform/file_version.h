// The file version that an executable carries: four 16-bit numbers (major, minor, release, build).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace zendrift::platform {

using FileVersion = std::array<std::uint16_t, 4>;

// Reads the version record of an executable file: on Windows its version resource, on Linux
// the ELF note "Zendrift" (type 1) whose descriptor holds the two 32-bit halves of the version
// as Windows stores them (most significant half first). Empty when the file has none.
std::optional<FileVersion> readFileVersion(std::string_view path);

// The note layout, shared with the code that embeds it.
inline constexpr std::string_view kVersionNoteName = "Zendrift";
inline constexpr std::uint32_t kVersionNoteType = 1;

}  // namespace zendrift::platform
