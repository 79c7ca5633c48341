// A font as the window's design names it: face, character height and weight.
#pragma once

#include <string>

namespace zendrift::ui {

struct Font {
  std::string face;
  // The character height in pixels (no internal leading): 11 is 8 point at 96 dpi. Qt takes it
  // as the pixel size, GDI as a negative lfHeight. The design's fonts are for 96 dpi; a window on
  // another screen hands the painter scaledBy(dpi / 96), since a painter works in device pixels.
  int pixelHeight = 11;
  bool bold = false;

  // The point size at 96 dpi, rounded: 11 pixels is 8 point.
  constexpr int pointSize() const noexcept { return (pixelHeight * 72 + 48) / 96; }
  Font scaledBy(double scale) const {
    return {face, static_cast<int>(pixelHeight * scale + 0.5), bold};
  }
  friend bool operator==(const Font&, const Font&) = default;
};

// The window's font and the two variants the design uses.
inline Font windowFont() { return {"MS Sans Serif", 11, false}; }
inline Font statusFont() { return {"MS Sans Serif", 11, true}; }
inline Font titleFont() { return {"Tahoma", 11, true}; }

}  // namespace zendrift::ui
