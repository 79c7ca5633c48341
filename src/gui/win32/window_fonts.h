// WindowFonts: the window's three fonts (its own, the banner's title, the status line) as GDI
// fonts at the screen's density, deleted with the window.
#pragma once

#include <windows.h>

#include <array>

#include "ui/font.h"
#include "ui/window_layout.h"

namespace zendrift::win32 {

class WindowFonts {
 public:
  // The design's fonts scaled to `dpi`.
  explicit WindowFonts(int dpi);
  ~WindowFonts();
  WindowFonts(const WindowFonts&) = delete;
  WindowFonts& operator=(const WindowFonts&) = delete;

  HFONT font(ui::FontRole role) const noexcept { return fonts_[static_cast<std::size_t>(role)]; }

 private:
  std::array<HFONT, 3> fonts_{};
};

// A GDI font for `font`, whose character height is in device pixels (a negative lfHeight).
HFONT createFont(const ui::Font& font);

// Gives `control` the font, without repainting (the controls are new or about to be shown).
void setFont(HWND control, HFONT font);

// The screen's density in dots per inch (96 at 100 %), as this process sees it.
int screenDpi();

}  // namespace zendrift::win32
