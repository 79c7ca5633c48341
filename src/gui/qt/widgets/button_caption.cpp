// Caption text and glyph helpers of the styled controls in Qt's terms.
#include "gui/qt/widgets/button_caption.h"

#include "gui/qt/widgets/qt_painter.h"
#include "gui/qt/widgets/styled_control.h"

namespace zendrift::qt::widgets {

void drawCaptionText(const StyledControl& control, QPainter& painter, const QString& caption, const QFont& font,
                     bool enabled, bool showAccelChar, QRect& rect, unsigned flags) {
  ui::ButtonCaption text;
  text.text = caption.toStdString();
  text.font = describeFont(font);
  text.showAccelChar = showAccelChar;
  text.rightToLeft = control.layoutDirection() == Qt::RightToLeft;
  QtPainter shared(painter, font, text.font);
  const ui::TextFlags sharedFlags = flags & ~static_cast<unsigned>(DT_CALCRECT);
  if (flags & DT_CALCRECT) {
    const ui::Size size = ui::measureCaption(shared, text, rect.width(), sharedFlags);
    rect.setSize(QSize(size.width, size.height));
    return;
  }
  ui::drawCaption(shared, text, {rect.left(), rect.top(), rect.width(), rect.height()}, sharedFlags, enabled,
                  buttonColors(control.palette()));
}

// The system's button colours do not change with a control's state; Qt's disabled group greys
// them further, which would wash the embossed caption out. The active group holds them as they are.
QColor buttonHighlightColor(const QPalette& palette) { return palette.color(QPalette::Active, QPalette::Light); }
QColor buttonShadowColor(const QPalette& palette) { return palette.color(QPalette::Active, QPalette::Dark); }

ui::ButtonColors buttonColors(const QPalette& palette) {
  return {toColor(palette.color(QPalette::Window)), toColor(palette.color(QPalette::WindowText)),
          toColor(buttonHighlightColor(palette)), toColor(buttonShadowColor(palette))};
}

QImage convertToGray(const QImage& glyph) { return imageView(ui::grayGlyph(toImage(glyph))).copy(); }

QChar accelChar(const QString& caption) {
  const char32_t c = ui::accelChar(caption.toStdString());
  return c == 0 || c > 0xFFFF ? QChar() : QChar(static_cast<char16_t>(c));
}

}  // namespace zendrift::qt::widgets
