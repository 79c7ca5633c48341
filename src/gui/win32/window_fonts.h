// WindowFonts: the window's three fonts (its own, the banner's title, the status line) as GDI
// fonts at the screen's density, deleted with the window. Beside them, what the window asks about
// the density of its screen: per monitor where Windows knows it (Windows 10 and later), else the
// system's.
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
  // A window moving to another screen makes the new fonts while its controls still show the old.
  WindowFonts(WindowFonts&& other) noexcept;
  WindowFonts& operator=(WindowFonts&& other) noexcept;

  HFONT font(ui::FontRole role) const noexcept { return fonts_[static_cast<std::size_t>(role)]; }

 private:
  std::array<HFONT, 3> fonts_{};
};

// A GDI font for `font`, whose character height is in device pixels (a negative lfHeight).
HFONT createFont(const ui::Font& font);

// Gives `control` the font; without repainting unless asked (the controls are new or about to be
// shown).
void setFont(HWND control, HFONT font, bool redraw = false);

// The screen's density in dots per inch (96 at 100 %), as this process sees it: the system's.
int screenDpi();

// The density of the screen `window` is on; the system's where Windows has no per-monitor
// densities.
int windowDpi(HWND window);

// The outer size of a window of `style` whose client area is `client`, with the frame that style
// has at `dpi`.
SIZE frameSizeFor(SIZE client, DWORD style, DWORD exStyle, int dpi);

}  // namespace zendrift::win32
