// StyledButton: painting from the prepared gradients, border, glyph and caption.
#include <QAction>
#include <QPainter>

#include "gui/qt/widgets/focus_rect.h"
#include "gui/qt/widgets/styled_button.h"
#include "gui/qt/widgets/button_caption.h"

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

QImage StyledButton::currentGlyph() const {
  QImage glyph = glyph_;
  if (action_ && !action_->icon().isNull()) {
    const QList<QSize> sizes = action_->icon().availableSizes();
    glyph = action_->icon().pixmap(sizes.isEmpty() ? QSize(16, 16) : sizes.front()).toImage();
  }
  if (!glyph.isNull() && autoGray_ && !isEnabled()) glyph = convertToGray(glyph);
  return glyph;
}

void StyledButton::paintEvent(QPaintEvent*) {
  if (canvas_.size() != size()) canvas_ = QImage(std::max(width(), 1), std::max(height(), 1), QImage::Format_RGB32);
  {
    QPainter painter(&canvas_);
    paintButton(painter);
  }
  QPainter screen(this);
  screen.drawImage(0, 0, canvas_);
}

StyledButton::CaptionKey StyledButton::captionKey() const {
  CaptionKey key;
  key.caption = caption();
  key.font = font();
  key.size = size();
  key.text = palette().color(QPalette::WindowText).rgba();
  key.light = buttonHighlightColor(palette()).rgba();
  key.dark = buttonShadowColor(palette()).rgba();
  key.glyph = glyph_.cacheKey();
  if (action_ && !action_->icon().isNull()) key.glyph = action_->icon().cacheKey();
  key.enabled = isEnabled();
  key.wordWrap = wordWrap_;
  key.showAccelChar = showAccelChar_;
  key.autoGray = autoGray_;
  key.layout = layout_;
  key.spacing = spacing_;
  key.direction = layoutDirection();
  return key;
}

// Steps 6 to 10 and 12 of a paint for an unpressed button; the pressed offset moves the result.
void StyledButton::prepareCaption(const CaptionKey& key) {
  ++captionLayouts_;
  const int w = key.size.width();
  const int h = key.size.height();
  unsigned flags = DT_END_ELLIPSIS | (key.wordWrap ? DT_WORDBREAK : 0u);
  const QImage glyph = currentGlyph();
  const int gw = glyph.isNull() ? 0 : glyph.width();
  const int gh = glyph.isNull() ? 0 : glyph.height();
  const int sp = key.spacing;
  int left = 0, top = 0, right = w, bottom = h;
  if (!glyph.isNull()) {
    switch (key.layout) {
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

  captionLayer_ = QImage(std::max(w, 1), std::max(h, 1), QImage::Format_ARGB32_Premultiplied);
  captionLayer_.fill(Qt::transparent);
  QPainter painter(&captionLayer_);
  QRect measured(left, top, right - left, bottom - top);
  drawCaptionText(*this, painter, key.caption, key.font, key.enabled, key.showAccelChar, measured, flags | DT_CALCRECT);
  right = measured.left() + measured.width();
  bottom = measured.top() + measured.height();
  const int dx = (w - right) / 2;
  const int dy = (h - bottom) / 2;
  left += dx;
  right += dx;
  top += dy;
  bottom += dy;

  shownGlyph_ = glyph.isNull() ? QImage() : transparentGlyph(glyph);
  switch (key.layout) {
    case blGlyphLeft:
      glyphAt_ = QPoint(left - gw - sp, (h - gh) / 2);
      break;
    case blGlyphRight:
      glyphAt_ = QPoint(right + sp, (h - gh) / 2);
      break;
    case blGlyphTop:
      glyphAt_ = QPoint((w - gw) / 2, top - gh - sp);
      break;
    case blGlyphBottom:
      glyphAt_ = QPoint((w - gw) / 2, bottom + sp);
      break;
  }
  QRect textRect(left, top, right - left, bottom - top);
  drawCaptionText(*this, painter, key.caption, key.font, key.enabled, key.showAccelChar, textRect, flags);
  preparedKey_ = key;
}

void StyledButton::paintButton(QPainter& painter) {
  const int w = width();
  const int h = height();
  const bool enabled = isEnabled();
  const bool hotPressed = isHot() && isPressed();
  const int s = ringShown(false) ? 1 : 0;
  painter.setRenderHint(QPainter::Antialiasing, false);

  // 1-3: background, ring, face.
  painter.fillRect(0, 0, w, h, palette().color(QPalette::Window));
  if (s == 1) painter.drawImage(1, 1, isHot() ? hotRing_ : focusRing_);
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

  // 6-10 and 12 are prepared once per caption, font, size and look; a hot and pressed button
  // shows them one pixel right and down.
  const CaptionKey key = captionKey();
  if (!preparedKey_ || !(*preparedKey_ == key)) prepareCaption(key);
  const int p = hotPressed ? 1 : 0;
  if (!shownGlyph_.isNull()) painter.drawImage(glyphAt_ + QPoint(p, p), shownGlyph_);
  // 11: the focus rectangle comes between the glyph and the caption.
  if (isFocused() && showFocusRect_) drawFocusRect(painter, QRect(3, 3, w - 6, h - 6));
  painter.drawImage(p, p, captionLayer_);
}

}  // namespace zendrift::widgets
