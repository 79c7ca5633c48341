// The styled push button's gradients, caption placement and paint, against the painting
// interface.
//
// Gradients are built once per size (buttonGradients) and the caption is placed once per
// caption, font, size and glyph (placeCaption); a paint (paintButton) only copies and draws.
#pragma once

#include <string>
#include <string_view>

#include "ui/button_look.h"
#include "ui/font.h"
#include "ui/image.h"
#include "ui/painter.h"

namespace zendrift::ui {

// The colours a button takes from its toolkit: the parent's face, the font colour, and the
// system's button-highlight and button-shadow colours (the disabled caption's two passes).
struct ButtonColors {
  Color background = Color::rgb(0xF0F0F0);
  Color text = Color::rgb(0x000000);
  Color highlight = Color::rgb(0xFFFFFF);
  Color shadow = Color::rgb(0xA0A0A0);
};

// The four gradients, 64 colours each, top to bottom, dithered: the face (W-2) x (H-2), the
// pressed face, the focus ring and the hot ring, each (W-2) x (H-2).
struct ButtonGradients {
  Image face, pressedFace, focusRing, hotRing;
};
ButtonGradients buttonGradients(Size size);

enum class GlyphLayout { left, right, top, bottom };

struct ButtonCaption {
  std::string text;  // UTF-8; "&" marks the accelerator unless showAccelChar is off
  Font font = windowFont();
  bool showAccelChar = true;
  bool wordWrap = true;
  bool rightToLeft = false;
};

struct ButtonGlyph {
  Size size;  // {0, 0} when the button has none
  GlyphLayout layout = GlyphLayout::left;
  int spacing = 3;
};

// Where the caption and the glyph go on an unpressed button; a pressed one moves both by the
// look's caption offset.
struct CaptionPlacement {
  Rect text;
  Point glyph;
  TextFlags flags = 0;
};
CaptionPlacement placeCaption(Painter& painter, Size size, const ButtonCaption& caption, const ButtonGlyph& glyph);

// The caption's size with `flags` in `width` (DrawText's DT_CALCRECT): an empty caption, or "&"
// with accelerators, measures as itself plus a blank, so it is one line high.
Size measureCaption(Painter& painter, const ButtonCaption& caption, int width, TextFlags flags);
// Draws the caption into `rect`: once in the text colour, or embossed when disabled.
void drawCaption(Painter& painter, const ButtonCaption& caption, const Rect& rect, TextFlags flags, bool enabled,
                 const ButtonColors& colors);

struct ButtonPaint {
  Size size;
  ButtonStatus status;
  bool showFocusRect = false;
  bool smoothEdges = true;
  const ButtonCaption* caption = nullptr;
  const Image* glyph = nullptr;  // as shown: grey when need be, its background transparent
  ButtonColors colors;
};
void paintButton(Painter& painter, const ButtonPaint& button, const ButtonGradients& gradients,
                 const CaptionPlacement& placement);

// A glyph's pixels grey: v = (r + g + b) / 3, then v + 100 below 156, else 255.
Image grayGlyph(const Image& glyph);
// The glyph with its background colour (the bottom-left pixel) transparent.
Image keyedGlyph(const Image& glyph);
// The character after a single "&" in a caption (a doubled "&&" is a literal), or 0.
char32_t accelChar(std::string_view caption);

}  // namespace zendrift::ui
