// Points, sizes and rectangles in pixels, shared by the layout and the painting interface.
#pragma once

namespace zendrift::ui {

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  int width = 0;
  int height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

// A rectangle by its top-left corner and size; right() and bottom() are one past the last pixel,
// as in a Win32 RECT.
struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  constexpr int right() const noexcept { return left + width; }
  constexpr int bottom() const noexcept { return top + height; }
  constexpr bool empty() const noexcept { return width <= 0 || height <= 0; }
  constexpr bool contains(Point p) const noexcept { return p.x >= left && p.x < right() && p.y >= top && p.y < bottom(); }
  constexpr Rect translated(int dx, int dy) const noexcept { return {left + dx, top + dy, width, height}; }
  constexpr Point topLeft() const noexcept { return {left, top}; }
  constexpr Size size() const noexcept { return {width, height}; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace zendrift::ui
