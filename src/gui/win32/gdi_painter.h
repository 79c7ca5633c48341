// GdiPainter: the shared painting interface over a GDI device context, for our own controls on
// Windows. Images go through 32-bit DIBs, text through DrawTextW with the window's GDI fonts.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <tuple>

#include "ui/painter.h"

namespace zendrift::win32 {

// The GDI fonts a control's painters use, made once per font. Heights are device pixels, as
// everywhere in the painting interface: a control scales the design's fonts for its screen.
class GdiFontCache {
 public:
  GdiFontCache() = default;
  ~GdiFontCache();
  GdiFontCache(const GdiFontCache&) = delete;
  GdiFontCache& operator=(const GdiFontCache&) = delete;

  HFONT font(const ui::Font& font);

 private:
  std::map<std::tuple<std::string, int, bool>, HFONT> fonts_;
};

class GdiPainter final : public ui::Painter {
 public:
  // Paints on `dc`, which must outlive the painter; the DC's state is restored when it goes.
  GdiPainter(HDC dc, GdiFontCache& fonts);
  ~GdiPainter() override;

  using ui::Painter::drawImage;
  void fillRect(const ui::Rect& rect, ui::Color color) override;
  void drawImage(ui::Point at, const ui::Image& image, const ui::Rect& source) override;
  ui::Size measureText(std::string_view text, const ui::Font& font, int width, ui::TextFlags flags) override;
  void drawText(const ui::Rect& rect, std::string_view text, const ui::Font& font, ui::Color color,
                ui::TextFlags flags) override;
  void drawFocusRect(const ui::Rect& rect) override;

 private:
  HDC dc_;
  GdiFontCache& fonts_;
  int savedState_;
};

// Double buffering for a control's paint: an off-screen 32-bit DIB section of the client size,
// copied to the window's DC in one piece when it goes.
class PaintBuffer {
 public:
  PaintBuffer(HDC target, const RECT& client);
  ~PaintBuffer();
  PaintBuffer(const PaintBuffer&) = delete;
  PaintBuffer& operator=(const PaintBuffer&) = delete;

  HDC dc() const noexcept { return memory_; }

 private:
  HDC target_;
  RECT client_;
  HDC memory_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

}  // namespace zendrift::win32
