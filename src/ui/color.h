// A 32-bit colour, 0xAARRGGBB: the layout of a pixel of ui::Image.
#pragma once

#include <cstdint>

namespace zendrift::ui {

struct Color {
  std::uint32_t argb = 0xFF000000u;

  // An opaque colour from 0xRRGGBB.
  static constexpr Color rgb(std::uint32_t rrggbb) noexcept { return {0xFF000000u | (rrggbb & 0xFFFFFFu)}; }
  static constexpr Color rgb(int r, int g, int b) noexcept {
    return {0xFF000000u | (static_cast<std::uint32_t>(r & 0xFF) << 16) | (static_cast<std::uint32_t>(g & 0xFF) << 8) |
            static_cast<std::uint32_t>(b & 0xFF)};
  }
  constexpr int alpha() const noexcept { return static_cast<int>(argb >> 24); }
  constexpr int red() const noexcept { return static_cast<int>((argb >> 16) & 0xFF); }
  constexpr int green() const noexcept { return static_cast<int>((argb >> 8) & 0xFF); }
  constexpr int blue() const noexcept { return static_cast<int>(argb & 0xFF); }
  // 0x00BBGGRR, what GDI calls a COLORREF.
  constexpr std::uint32_t colorRef() const noexcept {
    return static_cast<std::uint32_t>(red()) | static_cast<std::uint32_t>(green()) << 8 |
           static_cast<std::uint32_t>(blue()) << 16;
  }
  friend bool operator==(const Color&, const Color&) = default;
};

}  // namespace zendrift::ui
