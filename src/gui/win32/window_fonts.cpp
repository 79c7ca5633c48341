// The window's fonts and the screen's density.
#include "gui/win32/window_fonts.h"

#include "platform/win32/win32_text.h"

namespace zendrift::win32 {

HFONT createFont(const ui::Font& font) {
  // "Tahoma" is asked for in the ANSI character set, as the design has it; the others take the
  // default set.
  const BYTE charset = font.face == "Tahoma" ? ANSI_CHARSET : DEFAULT_CHARSET;
  return CreateFontW(-font.pixelHeight, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                     charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                     platform::win32::toWide(font.face).c_str());
}

WindowFonts::WindowFonts(int dpi) {
  for (const ui::FontRole role : {ui::FontRole::window, ui::FontRole::title, ui::FontRole::status})
    fonts_[static_cast<std::size_t>(role)] = createFont(ui::fontFor(role).scaledBy(dpi / 96.0));
}

WindowFonts::~WindowFonts() {
  for (HFONT font : fonts_) {
    if (font) DeleteObject(font);
  }
}

void setFont(HWND control, HFONT font) { SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE); }

int screenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

}  // namespace zendrift::win32
