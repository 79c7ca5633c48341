// ImagePainter: the painting interface over an in-memory image.
#include "image_painter.h"

#include <algorithm>

namespace zendrift::testing {

void ImagePainter::put(int x, int y, std::uint32_t argb) {
  if (x < 0 || y < 0 || x >= target_.width || y >= target_.height) return;
  target_.row(y)[x] = argb;
}

void ImagePainter::fillRect(const ui::Rect& rect, ui::Color color) {
  for (int y = rect.top; y < rect.bottom(); ++y)
    for (int x = rect.left; x < rect.right(); ++x) put(x, y, color.argb);
}

void ImagePainter::drawImage(ui::Point at, const ui::Image& image, const ui::Rect& source) {
  for (int y = std::max(source.top, 0); y < std::min(source.bottom(), image.height); ++y) {
    for (int x = std::max(source.left, 0); x < std::min(source.right(), image.width); ++x) {
      const std::uint32_t pixel = image.row(y)[x];
      if ((pixel >> 24) == 0) continue;  // only fully transparent or opaque pixels in these tests
      put(at.x + x - source.left, at.y + y - source.top, pixel);
    }
  }
}

ui::Size ImagePainter::measureText(std::string_view text, const ui::Font&, int width, ui::TextFlags flags) {
  const int full = static_cast<int>(text.size()) * kCharWidth;
  if (!(flags & ui::kTextWordBreak) || full <= width) return {full, kLineHeight};
  const int perLine = std::max(width / kCharWidth, 1);
  const int lines = (static_cast<int>(text.size()) + perLine - 1) / perLine;
  return {perLine * kCharWidth, lines * kLineHeight};
}

void ImagePainter::drawText(const ui::Rect& rect, std::string_view text, const ui::Font& font, ui::Color color,
                            ui::TextFlags flags) {
  texts_.push_back({rect, std::string(text), font, color, flags});
}

void ImagePainter::drawFocusRect(const ui::Rect& rect) {
  const auto invert = [&](int x, int y) {
    if ((x + y) % 2 != 0 || x < 0 || y < 0 || x >= target_.width || y >= target_.height) return;
    target_.row(y)[x] ^= 0x00FFFFFFu;
  };
  for (int x = rect.left; x < rect.right(); ++x) {
    invert(x, rect.top);
    if (rect.height > 1) invert(x, rect.bottom() - 1);
  }
  for (int y = rect.top + 1; y < rect.bottom() - 1; ++y) {
    invert(rect.left, y);
    if (rect.width > 1) invert(rect.right() - 1, y);
  }
}

}  // namespace zendrift::testing
