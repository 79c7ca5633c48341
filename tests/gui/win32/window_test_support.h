// What the Win32 window tests share: a DIB to paint on and read back, the window classes, and
// finding a control among a window's descendants.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string_view>

namespace zendrift::win32::testing {

// A 32-bit DIB section to paint on with GDI, read back pixel by pixel.
class DibTarget {
 public:
  DibTarget(int width, int height);
  ~DibTarget();
  DibTarget(const DibTarget&) = delete;
  DibTarget& operator=(const DibTarget&) = delete;

  HDC dc() const { return dc_; }
  int width() const { return width_; }
  int height() const { return height_; }
  // 0xRRGGBB.
  std::uint32_t rgb(int x, int y) const;

 private:
  int width_, height_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
  void* bits_ = nullptr;
};

// Registers the program's window classes, once per process.
void registerWindowClasses();

// The first descendant of `window` of class `className` (and with the text `text`, when given).
HWND findControl(HWND window, std::wstring_view className, std::wstring_view text = {});

// The character height of the font `control` shows (a GDI font's lfHeight, negative).
int fontHeight(HWND control);

}  // namespace zendrift::win32::testing
