// TJvXPCustomButton: painting from the prepared gradients, border, glyph and caption.
#include <QAction>
#include <QPainter>

#include "widgets/focus_rect.h"
#include "widgets/xp_button.h"
#include "widgets/xp_caption.h"

namespace zendrift::widgets {

namespace {

// The pixels of a line from (x0, y0) up to but excluding (x1, y1); halfway pixels go toward the end.
void drawLineExcludingEnd(QPainter& painter, int x0, int y0, int x1, int y1) {
  const int dx = x1 - x0;
  const int dy = y1 - y0;
  const int steps = std::max(std::abs(dx), std::abs(dy));
  const auto offset = [steps](int k, int d) {
    const int magnitude = (2 * std::abs(k * d) + steps) / (2 * steps);
    return d < 0 ? -magnitude : magnitude;
  };
  for (int k = 0; k < steps; ++k) painter.drawPoint(x0 + offset(k, dx), y0 + offset(k, dy));
}

// The outline of a rectangle with 5 x 5 rounded corners: each corner pixel is left out.
void drawRoundBorder(QPainter& painter, int w, int h, QColor color) {
  painter.fillRect(1, 0, w - 2, 1, color);
  painter.fillRect(1, h - 1, w - 2, 1, color);
  painter.fillRect(0, 1, 1, h - 2, color);
  painter.fillRect(w - 1, 1, 1, h - 2, color);
}

// The glyph with its background colour (the bottom-left pixel) made transparent.
QImage transparentGlyph(const QImage& glyph) {
  QImage image = glyph.convertToFormat(QImage::Format_ARGB32);
  if (image.isNull()) return image;
  const QRgb key = image.pixel(0, image.height() - 1);
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (line[x] == key) line[x] = 0;
    }
  }
  return image;
}

}  // namespace

QImage TJvXPCustomButton::currentGlyph() const {
  QImage glyph = glyph_;
  if (action_ && !action_->icon().isNull()) {
    const QList<QSize> sizes = action_->icon().availableSizes();
    glyph = action_->icon().pixmap(sizes.isEmpty() ? QSize(16, 16) : sizes.front()).toImage();
  }
  if (!glyph.isNull() && autoGray_ && !isEnabled()) glyph = ConvertToGray(glyph);
  return glyph;
}

void TJvXPCustomButton::paintEvent(QPaintEvent*) {
  if (canvas_.size() != size()) canvas_ = QImage(std::max(width(), 1), std::max(height(), 1), QImage::Format_RGB32);
  {
    QPainter painter(&canvas_);
    paintButton(painter);
  }
  QPainter screen(this);
  screen.drawImage(0, 0, canvas_);
}

void TJvXPCustomButton::paintButton(QPainter& painter) {
  const int w = width();
  const int h = height();
  const bool enabled = isEnabled();
  const bool hotPressed = IsHot() && IsPressed();
  const int s = RingShown(false) ? 1 : 0;
  painter.setRenderHint(QPainter::Antialiasing, false);

  // 1-3: background, ring, face.
  painter.fillRect(0, 0, w, h, palette().color(QPalette::Window));
  if (s == 1) painter.drawImage(1, 1, IsHot() ? hotRing_ : focusRing_);
  if (hotPressed) {
    painter.drawImage(1, 1, pressedFace_);
  } else {
    painter.drawImage(1 + 2 * s, 1 + 2 * s, face_, 0, 0, w - 6 * s, h - 6 * s);
  }

  // 4-5: the border, its corners softened.
  drawRoundBorder(painter, w, h, QColor::fromRgb(enabled ? kBorder : kBorderDisabled));
  if (smoothEdges_) {
    painter.setPen(QColor::fromRgb(enabled ? kCorner : kCornerDisabled));
    drawLineExcludingEnd(painter, 0, 1, 2, 0);
    drawLineExcludingEnd(painter, w - 2, 0, w, 2);
    drawLineExcludingEnd(painter, 0, h - 2, 2, h);
    drawLineExcludingEnd(painter, w - 3, h, w, h - 3);
  }

  // 6-8: flags, glyph and the text rectangle beside it.
  unsigned flags = DT_END_ELLIPSIS | (wordWrap_ ? DT_WORDBREAK : 0u);
  const QImage glyph = currentGlyph();
  const int gw = glyph.isNull() ? 0 : glyph.width();
  const int gh = glyph.isNull() ? 0 : glyph.height();
  const int sp = spacing_;
  int left = 0, top = 0, right = w, bottom = h;
  if (!glyph.isNull()) {
    switch (layout_) {
      case blGlyphLeft:
        left += gw + sp;
        break;
      case blGlyphRight:
        left -= gw + sp;
        right -= 2 * (gw + sp);
        flags |= DT_RIGHT;
        break;
      case blGlyphTop:
        top += gh + sp;
        break;
      case blGlyphBottom:
        top -= gh + sp;
        break;
    }
  }

  // 9: measure, then centre; a pressed button's content moves one pixel right and down.
  const QFont captionFont = font();
  QRect measured(left, top, right - left, bottom - top);
  DrawCaptionText(*this, painter, Caption(), captionFont, enabled, showAccelChar_, measured, flags | DT_CALCRECT);
  right = measured.left() + measured.width();
  bottom = measured.top() + measured.height();
  const int p = hotPressed ? 1 : 0;
  const int dx = (w - right) / 2 + p;
  const int dy = (h - bottom) / 2 + p;
  left += dx;
  right += dx;
  top += dy;
  bottom += dy;

  // 10: the glyph, its background transparent.
  if (!glyph.isNull()) {
    const QImage shown = transparentGlyph(glyph);
    switch (layout_) {
      case blGlyphLeft:
        painter.drawImage(left - gw - sp, (h - gh) / 2 + p, shown);
        break;
      case blGlyphRight:
        painter.drawImage(right + sp, (h - gh) / 2 + p, shown);
        break;
      case blGlyphTop:
        painter.drawImage((w - gw) / 2 + p, top - gh - sp, shown);
        break;
      case blGlyphBottom:
        painter.drawImage((w - gw) / 2 + p, bottom + sp, shown);
        break;
    }
  }

  // 11-12: focus rectangle, caption.
  if (IsFocused() && showFocusRect_) drawFocusRect(painter, QRect(3, 3, w - 6, h - 6));
  QRect textRect(left, top, right - left, bottom - top);
  DrawCaptionText(*this, painter, Caption(), captionFont, enabled, showAccelChar_, textRect, flags);
}

}  // namespace zendrift::widgets
