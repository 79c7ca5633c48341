// A font as the window's design names it: face, character height and weight.
#pragma once

#include <string>

namespace zendrift::ui {

struct Font {
  std::string face;
  // The character height in pixels at 96 dpi (no internal leading): 11 is 8 point. Qt takes it
  // as the pixel size; GDI as a negative lfHeight, scaled by the screen's dpi / 96.
  int pixelHeight = 11;
  bool bold = false;

  // The point size at 96 dpi, rounded: 11 pixels is 8 point.
  constexpr int pointSize() const noexcept { return (pixelHeight * 72 + 48) / 96; }
  friend bool operator==(const Font&, const Font&) = default;
};

// The window's font and the two variants the design uses.
inline Font windowFont() { return {"MS Sans Serif", 11, false}; }
inline Font statusFont() { return {"MS Sans Serif", 11, true}; }
inline Font titleFont() { return {"Tahoma", 11, true}; }

}  // namespace zendrift::ui
