// The styled push button's gradients, caption placement and paint.
#include "ui/button_paint.h"

#include <algorithm>

#include "ui/gradient.h"

namespace zendrift::ui {

namespace {
constexpr int kGradientColors = 64;
constexpr int kTopToBottom = 1;

TextFlags captionFlags(const ButtonCaption& caption, TextFlags flags) {
  if (!caption.showAccelChar) flags |= kTextNoPrefix;
  if (caption.rightToLeft) flags |= kTextRtlReading;
  return flags;
}

// The outline of a rectangle with 5 x 5 rounded corners: each corner pixel is left out.
void drawRoundBorder(Painter& painter, int w, int h, Color color) {
  painter.fillRect({1, 0, w - 2, 1}, color);
  painter.fillRect({1, h - 1, w - 2, 1}, color);
  painter.fillRect({0, 1, 1, h - 2}, color);
  painter.fillRect({w - 1, 1, 1, h - 2}, color);
}
}  // namespace

ButtonGradients buttonGradients(Size size) {
  const int w = size.width - 2;
  const int h = size.height - 2;
  // The face is always built one pixel inside the border. Sizing it to the ring's inside when
  // the ring happens to show would leave a strip unpainted once the ring goes; painting with the
  // ring copies only its top-left part anyway.
  return {gradientBitmap(w, h, kFaceTop, kFaceBottom, kGradientColors, kTopToBottom, true),
          gradientBitmap(w, h, kPressedTop, kPressedBottom, kGradientColors, kTopToBottom, true),
          gradientBitmap(w, h, kFocusTop, kFocusBottom, kGradientColors, kTopToBottom, true),
          gradientBitmap(w, h, kHotTop, kHotBottom, kGradientColors, kTopToBottom, true)};
}

Size measureCaption(Painter& painter, const ButtonCaption& caption, int width, TextFlags flags) {
  std::string text = caption.text;
  if (text.empty() || (caption.showAccelChar && text == "&")) text += ' ';  // one line high
  return painter.measureText(text, caption.font, std::max(width, 1), captionFlags(caption, flags));
}

void drawCaption(Painter& painter, const ButtonCaption& caption, const Rect& rect, TextFlags flags, bool enabled,
                 const ButtonColors& colors) {
  flags = captionFlags(caption, flags);
  if (enabled) {
    painter.drawText(rect, caption.text, caption.font, colors.text, flags);
    return;
  }
  painter.drawText(rect.translated(1, 1), caption.text, caption.font, colors.highlight, flags);
  painter.drawText(rect, caption.text, caption.font, colors.shadow, flags);
}

CaptionPlacement placeCaption(Painter& painter, Size size, const ButtonCaption& caption, const ButtonGlyph& glyph) {
  const int w = size.width;
  const int h = size.height;
  TextFlags flags = kTextEndEllipsis | (caption.wordWrap ? kTextWordBreak : 0u);
  const bool hasGlyph = glyph.size.width > 0 && glyph.size.height > 0;
  const int gw = glyph.size.width;
  const int gh = glyph.size.height;
  const int sp = glyph.spacing;
  int left = 0, top = 0, right = w, bottom = h;
  if (hasGlyph) {
    switch (glyph.layout) {
      case GlyphLayout::left:
        left += gw + sp;
        break;
      case GlyphLayout::right:
        left -= gw + sp;
        right -= 2 * (gw + sp);
        flags |= kTextRight;
        break;
      case GlyphLayout::top:
        top += gh + sp;
        break;
      case GlyphLayout::bottom:
        top -= gh + sp;
        break;
    }
  }
  // Measured from the rectangle's top-left, then centred in the button.
  const Size measured = measureCaption(painter, caption, right - left, flags);
  right = left + measured.width;
  bottom = top + measured.height;
  const int dx = (w - right) / 2;
  const int dy = (h - bottom) / 2;
  left += dx;
  right += dx;
  top += dy;
  bottom += dy;

  CaptionPlacement placement;
  placement.text = {left, top, right - left, bottom - top};
  placement.flags = flags;
  if (hasGlyph) {
    switch (glyph.layout) {
      case GlyphLayout::left:
        placement.glyph = {left - gw - sp, (h - gh) / 2};
        break;
      case GlyphLayout::right:
        placement.glyph = {right + sp, (h - gh) / 2};
        break;
      case GlyphLayout::top:
        placement.glyph = {(w - gw) / 2, top - gh - sp};
        break;
      case GlyphLayout::bottom:
        placement.glyph = {(w - gw) / 2, bottom + sp};
        break;
    }
  }
  return placement;
}

void paintButton(Painter& painter, const ButtonPaint& button, const ButtonGradients& gradients,
                 const CaptionPlacement& placement) {
  const int w = button.size.width;
  const int h = button.size.height;
  const ButtonLook look = buttonLook(button.status);

  // Background, ring, face.
  painter.fillRect({0, 0, w, h}, button.colors.background);
  if (look.ring != Ring::none) painter.drawImage({1, 1}, look.ring == Ring::hot ? gradients.hotRing : gradients.focusRing);
  if (look.pressedFace) {
    painter.drawImage({1, 1}, gradients.pressedFace);
  } else {
    const int inset = look.faceInset;
    painter.drawImage({inset, inset}, gradients.face, {0, 0, w - 2 * inset, h - 2 * inset});
  }

  // The border, its corners softened.
  drawRoundBorder(painter, w, h, look.border);
  if (button.smoothEdges) {
    painter.drawLine({0, 1}, {2, 0}, look.corner);
    painter.drawLine({w - 2, 0}, {w, 2}, look.corner);
    painter.drawLine({0, h - 2}, {2, h}, look.corner);
    painter.drawLine({w - 3, h}, {w, h - 3}, look.corner);
  }

  // Glyph, focus rectangle, caption; a hot and pressed button shows them one pixel down-right.
  const int p = look.captionOffset;
  if (button.glyph != nullptr && !button.glyph->empty()) {
    painter.drawImage({placement.glyph.x + p, placement.glyph.y + p}, *button.glyph);
  }
  if (button.status.focused && button.showFocusRect) painter.drawFocusRect({3, 3, w - 6, h - 6});
  if (button.caption != nullptr) {
    // In colours that read on the face drawn, whatever the palette gave.
    const Face face = look.pressedFace ? kPressedFace : kFace;
    ButtonColors inks = button.colors;
    inks.text = captionInk(inks.text, face);
    inks.shadow = disabledShadowInk(inks.shadow, face);
    inks.highlight = disabledHighlightInk(inks.highlight, face);
    drawCaption(painter, *button.caption, placement.text.translated(p, p), placement.flags, button.status.enabled,
                inks);
  }
}

Image grayGlyph(const Image& glyph) {
  Image gray = glyph;
  for (std::uint32_t& pixel : gray.pixels) {
    const Color c{pixel};
    int v = (c.red() + c.green() + c.blue()) / 3;
    v = v < 156 ? v + 100 : 255;
    pixel = (pixel & 0xFF000000u) | (Color::rgb(v, v, v).argb & 0xFFFFFFu);
  }
  return gray;
}

Image keyedGlyph(const Image& glyph) {
  Image keyed = glyph;
  if (keyed.empty()) return keyed;
  const std::uint32_t key = keyed.row(keyed.height - 1)[0];
  for (std::uint32_t& pixel : keyed.pixels) {
    if (pixel == key) pixel = 0;
  }
  return keyed;
}

char32_t accelChar(std::string_view caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    // The next character, decoded from UTF-8.
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(caption[k]); };
    const unsigned char lead = byte(i + 1);
    std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    if (i + 1 + length > caption.size()) return U'\uFFFD';
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) c = (c << 6) | (byte(i + 1 + k) & 0x3F);
    return c;
  }
  return 0;
}

}  // namespace zendrift::ui
