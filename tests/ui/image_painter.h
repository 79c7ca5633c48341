// ImagePainter: the painting interface over an in-memory ui::Image, for tests of the shared
// drawing on every platform. Rectangles, images and focus rectangles become real pixels; text
// has no font here, so each drawText call is recorded (with a fixed advance per character for
// measuring) instead of rasterised.
#pragma once

#include <string>
#include <vector>

#include "ui/painter.h"

namespace zendrift::testing {

class ImagePainter final : public ui::Painter {
 public:
  static constexpr int kCharWidth = 6;
  static constexpr int kLineHeight = 13;

  struct TextCall {
    ui::Rect rect;
    std::string text;
    ui::Font font;
    ui::Color color;
    ui::TextFlags flags;
  };

  explicit ImagePainter(ui::Image& target) : target_(target) {}

  void fillRect(const ui::Rect& rect, ui::Color color) override;
  void drawImage(ui::Point at, const ui::Image& image, const ui::Rect& source) override;
  ui::Size measureText(std::string_view text, const ui::Font& font, int width, ui::TextFlags flags) override;
  void drawText(const ui::Rect& rect, std::string_view text, const ui::Font& font, ui::Color color,
                ui::TextFlags flags) override;
  void drawFocusRect(const ui::Rect& rect) override;

  const std::vector<TextCall>& texts() const noexcept { return texts_; }

 private:
  void put(int x, int y, std::uint32_t argb);

  ui::Image& target_;
  std::vector<TextCall> texts_;
};

}  // namespace zendrift::testing
