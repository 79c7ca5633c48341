// The painting interface on GDI.
#include "gui/win32/gdi_painter.h"

#include <algorithm>
#include <vector>

#include "gui/win32/window_fonts.h"
#include "platform/win32/win32_text.h"

namespace zendrift::win32 {
namespace {

RECT toRect(const ui::Rect& rect) { return {rect.left, rect.top, rect.right(), rect.bottom()}; }

BITMAPINFO topDownInfo(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // rows top to bottom, as ui::Image keeps them
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

}  // namespace

GdiFontCache::~GdiFontCache() {
  for (const auto& [key, font] : fonts_) DeleteObject(font);
}

HFONT GdiFontCache::font(const ui::Font& font) {
  const auto key = std::make_tuple(font.face, font.pixelHeight, font.bold);
  const auto found = fonts_.find(key);
  if (found != fonts_.end()) return found->second;
  HFONT made = createFont(font);
  fonts_.emplace(key, made);
  return made;
}

GdiPainter::GdiPainter(HDC dc, GdiFontCache& fonts) : dc_(dc), fonts_(fonts), savedState_(SaveDC(dc)) {
  SetBkMode(dc_, TRANSPARENT);
}

GdiPainter::~GdiPainter() { RestoreDC(dc_, savedState_); }

void GdiPainter::fillRect(const ui::Rect& rect, ui::Color color) {
  if (rect.empty()) return;
  const RECT area = toRect(rect);
  SetDCBrushColor(dc_, color.colorRef());
  FillRect(dc_, &area, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void GdiPainter::drawImage(ui::Point at, const ui::Image& image, const ui::Rect& source) {
  // The part of the image that exists.
  const int left = std::max(0, source.left), top = std::max(0, source.top);
  const int right = std::min(image.width, source.right()), bottom = std::min(image.height, source.bottom());
  if (right <= left || bottom <= top) return;
  const int width = right - left, height = bottom - top;
  at.x += left - source.left;
  at.y += top - source.top;

  bool opaque = true;
  for (int y = top; y < bottom && opaque; ++y) {
    const std::uint32_t* row = image.row(y);
    opaque = std::all_of(row + left, row + right, [](std::uint32_t p) { return (p >> 24) == 0xFF; });
  }
  if (opaque) {
    // The image's rows are already a top-down 32-bit DIB: straight to the device.
    const BITMAPINFO info = topDownInfo(image.width, image.height);
    SetDIBitsToDevice(dc_, at.x, at.y, static_cast<DWORD>(width), static_cast<DWORD>(height), left,
                      image.height - bottom, 0, static_cast<UINT>(image.height), image.pixels.data(), &info,
                      DIB_RGB_COLORS);
    return;
  }
  // Transparent pixels: a DIB section of premultiplied pixels, blended by GDI.
  BITMAPINFO info = topDownInfo(width, height);
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!section) return;
  auto* out = static_cast<std::uint32_t*>(bits);
  for (int y = 0; y < height; ++y) {
    const std::uint32_t* row = image.row(top + y) + left;
    for (int x = 0; x < width; ++x) {
      const std::uint32_t p = row[x];
      const std::uint32_t a = p >> 24;
      const auto premultiply = [a](std::uint32_t c) { return (c * a + 127) / 255; };
      out[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] =
          a << 24 | premultiply((p >> 16) & 0xFF) << 16 | premultiply((p >> 8) & 0xFF) << 8 | premultiply(p & 0xFF);
    }
  }
  HDC memory = CreateCompatibleDC(dc_);
  HGDIOBJ old = SelectObject(memory, section);
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  GdiAlphaBlend(dc_, at.x, at.y, width, height, memory, 0, 0, width, height, blend);
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(section);
}

ui::Size GdiPainter::measureText(std::string_view text, const ui::Font& font, int width, ui::TextFlags flags) {
  if (text.empty()) return {0, 0};
  const std::wstring wide = platform::win32::toWide(text);
  SelectObject(dc_, fonts_.font(font));
  RECT rect{0, 0, width, 0};
  DrawTextW(dc_, wide.c_str(), static_cast<int>(wide.size()), &rect, flags | DT_CALCRECT);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

void GdiPainter::drawText(const ui::Rect& rect, std::string_view text, const ui::Font& font, ui::Color color,
                          ui::TextFlags flags) {
  if (text.empty()) return;
  const std::wstring wide = platform::win32::toWide(text);
  SelectObject(dc_, fonts_.font(font));
  SetTextColor(dc_, color.colorRef());
  RECT area = toRect(rect);
  DrawTextW(dc_, wide.c_str(), static_cast<int>(wide.size()), &area, flags);
}

void GdiPainter::drawFocusRect(const ui::Rect& rect) {
  const RECT area = toRect(rect);
  // DrawFocusRect inverts with the text and background colours of the DC: black on white.
  SetTextColor(dc_, RGB(0, 0, 0));
  SetBkColor(dc_, RGB(255, 255, 255));
  DrawFocusRect(dc_, &area);
}

PaintBuffer::PaintBuffer(HDC target, const RECT& client) : target_(target), client_(client) {
  const int width = std::max<int>(1, client.right - client.left), height = std::max<int>(1, client.bottom - client.top);
  BITMAPINFO info = topDownInfo(width, height);
  void* bits = nullptr;
  memory_ = CreateCompatibleDC(target);
  bitmap_ = CreateDIBSection(target, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  old_ = SelectObject(memory_, bitmap_);
}

PaintBuffer::~PaintBuffer() {
  BitBlt(target_, client_.left, client_.top, client_.right - client_.left, client_.bottom - client_.top, memory_, 0, 0,
         SRCCOPY);
  SelectObject(memory_, old_);
  DeleteObject(bitmap_);
  DeleteDC(memory_);
}

}  // namespace zendrift::win32
