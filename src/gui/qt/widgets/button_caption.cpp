// Caption text and glyph helpers of the styled controls: drawCaptionText and convertToGray.
#include "gui/qt/widgets/button_caption.h"

#include <QFontMetrics>

#include "gui/qt/widgets/styled_control.h"

namespace zendrift::widgets {

namespace {

int qtFlags(unsigned flags, bool rightToLeft) {
  int result = Qt::AlignTop;
  const bool right = ((flags & DT_RIGHT) != 0) != rightToLeft;
  result |= right ? Qt::AlignRight : Qt::AlignLeft;
  if (flags & DT_WORDBREAK) result |= Qt::TextWordWrap;
  if (!(flags & DT_NOPREFIX)) result |= Qt::TextShowMnemonic;
  return result;
}

void drawOnce(QPainter& painter, const QRect& rect, const QString& text, int flags, unsigned dtFlags) {
  QString shown = text;
  if ((dtFlags & DT_END_ELLIPSIS) && !(dtFlags & DT_WORDBREAK)) {
    shown = painter.fontMetrics().elidedText(text, Qt::ElideRight, rect.width(), flags & Qt::TextShowMnemonic);
  }
  painter.drawText(rect, flags, shown);
}

}  // namespace

void drawCaptionText(const StyledControl& control, QPainter& painter, const QString& caption, const QFont& font,
                     bool enabled, bool showAccelChar, QRect& rect, unsigned flags) {
  QString text = caption;
  if ((flags & DT_CALCRECT) && (text.isEmpty() || (showAccelChar && text == QLatin1String("&")))) {
    text += QLatin1Char(' ');  // so the rectangle is one line high
  }
  if (!showAccelChar) flags |= DT_NOPREFIX;
  const int alignment = qtFlags(flags, control.layoutDirection() == Qt::RightToLeft);
  painter.setFont(font);
  if (flags & DT_CALCRECT) {
    const QFontMetrics metrics(font);
    const QRect bounds = metrics.boundingRect(QRect(rect.topLeft(), QSize(std::max(rect.width(), 1), 1 << 20)),
                                              alignment, text);
    rect.setSize(bounds.size());
    return;
  }
  const QPalette& palette = control.palette();
  painter.setBackgroundMode(Qt::TransparentMode);
  if (enabled) {
    painter.setPen(palette.color(QPalette::WindowText));
    drawOnce(painter, rect, text, alignment, flags);
    return;
  }
  painter.setPen(buttonHighlightColor(palette));
  drawOnce(painter, rect.translated(1, 1), text, alignment, flags);
  painter.setPen(buttonShadowColor(palette));
  drawOnce(painter, rect, text, alignment, flags);
}

// The system's button colours do not change with a control's state; Qt's disabled group greys
// them further, which would wash the embossed caption out. The active group holds them as they are.
QColor buttonHighlightColor(const QPalette& palette) { return palette.color(QPalette::Active, QPalette::Light); }
QColor buttonShadowColor(const QPalette& palette) { return palette.color(QPalette::Active, QPalette::Dark); }

QImage convertToGray(const QImage& glyph) {
  QImage gray = glyph.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < gray.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(gray.scanLine(y));
    for (int x = 0; x < gray.width(); ++x) {
      int v = (qRed(line[x]) + qGreen(line[x]) + qBlue(line[x])) / 3;
      v = v < 156 ? v + 100 : 255;
      line[x] = qRgba(v, v, v, qAlpha(line[x]));
    }
  }
  return gray;
}

QChar accelChar(const QString& caption) {
  for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != QLatin1Char('&')) continue;
    if (caption[i + 1] == QLatin1Char('&')) {
      ++i;
      continue;
    }
    return caption[i + 1];
  }
  return QChar();
}

}  // namespace zendrift::widgets
