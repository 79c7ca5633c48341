// The small painting interface our own controls draw through, whatever the toolkit.
//
// Qt implements it over a QPainter (gui/qt/widgets/qt_painter.h), Win32 over a GDI device context. Every
// call works in device pixels with no anti-aliasing; the controls' drawing code (button paint,
// check cells, list lines) is written once against it.
#pragma once

#include <string_view>

#include "ui/color.h"
#include "ui/font.h"
#include "ui/geometry.h"
#include "ui/image.h"

namespace zendrift::ui {

// Text layout flags. The values are those of the system's DrawText flags (DT_RIGHT, ...), so a
// GDI painter passes them on as they are; the names avoid <windows.h>'s macros.
enum TextFlag : unsigned {
  kTextLeft = 0x0000,
  kTextCenter = 0x0001,        // horizontally
  kTextRight = 0x0002,
  kTextVCenter = 0x0004,       // with kTextSingleLine only
  kTextWordBreak = 0x0010,     // break lines at blanks to fit the width
  kTextSingleLine = 0x0020,
  kTextNoPrefix = 0x0800,      // "&" is shown as itself; otherwise it underlines the next letter
  kTextEndEllipsis = 0x8000,   // a line too wide ends in "..."
  kTextRtlReading = 0x20000,   // right-to-left reading: the horizontal alignment flips
};
using TextFlags = unsigned;

class Painter {
 public:
  Painter() = default;
  Painter(const Painter&) = delete;
  Painter& operator=(const Painter&) = delete;
  virtual ~Painter() = default;

  // Fills `rect` with an opaque colour.
  virtual void fillRect(const Rect& rect, Color color) = 0;
  // Draws `source` (a part of `image`, cut to the image) with its top-left corner at `at`.
  // Pixels of alpha 0 are left out, alpha 255 replace what is there, others are blended.
  virtual void drawImage(Point at, const Image& image, const Rect& source) = 0;
  void drawImage(Point at, const Image& image) { drawImage(at, image, {0, 0, image.width, image.height}); }

  // The size `text` (UTF-8) takes with `flags`: one line, or with kTextWordBreak as many lines
  // as `width` makes it take (DrawText's DT_CALCRECT). An empty text measures 0 wide.
  virtual Size measureText(std::string_view text, const Font& font, int width, TextFlags flags) = 0;
  // Draws `text` into `rect` in `color` on a transparent background, from its top edge unless
  // kTextVCenter, clipped to `rect` as DrawText without DT_NOCLIP clips.
  virtual void drawText(const Rect& rect, std::string_view text, const Font& font, Color color, TextFlags flags) = 0;

  // The dotted focus rectangle: every other pixel of the outline inverted, starting where x + y
  // is even, so drawing it twice removes it (DrawFocusRect).
  virtual void drawFocusRect(const Rect& rect) = 0;

  // A one-pixel outline of `rect` (FrameRect).
  void frameRect(const Rect& rect, Color color);
  // The pixels of a line from `from` up to but excluding `to`, as LineTo draws a one-pixel pen;
  // halfway pixels go toward the end. The same pixels on every toolkit.
  void drawLine(Point from, Point to, Color color);
};

}  // namespace zendrift::ui
