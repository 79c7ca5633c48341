// The window's fonts and the screen's density.
#include "gui/win32/window_fonts.h"

#include <utility>

#include "platform/win32/win32_text.h"

namespace zendrift::win32 {
namespace {

// A function of user32 that older Windows lacks (the per-monitor density came with Windows 10),
// or null there: the program still starts on Windows 7.
template <typename Function>
Function user32Function(const char* name) {
  const FARPROC found = GetProcAddress(GetModuleHandleW(L"user32.dll"), name);
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

}  // namespace

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

WindowFonts::WindowFonts(WindowFonts&& other) noexcept : fonts_(std::exchange(other.fonts_, {})) {}

WindowFonts& WindowFonts::operator=(WindowFonts&& other) noexcept {
  std::swap(fonts_, other.fonts_);
  return *this;
}

void setFont(HWND control, HFONT font, bool redraw) {
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw ? TRUE : FALSE);
}

int screenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

int windowDpi(HWND window) {
  static const auto getDpiForWindow = user32Function<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
  const UINT dpi = getDpiForWindow && window ? getDpiForWindow(window) : 0;
  return dpi > 0 ? static_cast<int>(dpi) : screenDpi();
}

SIZE frameSizeFor(SIZE client, DWORD style, DWORD exStyle, int dpi) {
  static const auto adjustForDpi =
      user32Function<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
  RECT frame{0, 0, client.cx, client.cy};
  if (!adjustForDpi || !adjustForDpi(&frame, style, FALSE, exStyle, static_cast<UINT>(dpi)))
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

}  // namespace zendrift::win32
