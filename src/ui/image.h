// A 32-bit image in memory: rows top to bottom, each pixel a Color (0xAARRGGBB).
//
// On a little-endian machine a pixel's bytes are B, G, R, A: the layout of both Qt's
// QImage::Format_ARGB32 and a top-down 32-bit GDI DIB section, so either toolkit takes the
// pixels without converting them. Alpha is straight (not premultiplied): 0 is not drawn, 255 is
// opaque.
#pragma once

#include <cstdint>
#include <vector>

#include "ui/color.h"
#include "ui/geometry.h"

namespace zendrift::ui {

struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // width * height, row after row

  Image() = default;
  Image(int w, int h, Color fill = Color{0}) : width(w > 0 ? w : 0), height(h > 0 ? h : 0) {
    pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill.argb);
  }

  bool empty() const noexcept { return width <= 0 || height <= 0; }
  Size size() const noexcept { return {width, height}; }
  std::uint32_t* row(int y) noexcept { return pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width); }
  const std::uint32_t* row(int y) const noexcept {
    return pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
  }
  Color pixel(int x, int y) const noexcept { return {row(y)[x]}; }
  void setPixel(int x, int y, Color c) noexcept { row(y)[x] = c.argb; }
  friend bool operator==(const Image&, const Image&) = default;
};

}  // namespace zendrift::ui
