// QtPainter: the painting interface of our controls over a QPainter.
#include "gui/qt/widgets/qt_painter.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <algorithm>

#include "gui/qt/widgets/focus_rect.h"

namespace zendrift::qt::widgets {

namespace {

QRect toQRect(const ui::Rect& rect) { return {rect.left, rect.top, rect.width, rect.height}; }

QString toQString(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

bool opaque(const ui::Image& image, const ui::Rect& source) {
  for (int y = source.top; y < source.bottom(); ++y) {
    const std::uint32_t* row = image.row(y);
    for (int x = source.left; x < source.right(); ++x) {
      if ((row[x] >> 24) != 0xFF) return false;
    }
  }
  return true;
}

}  // namespace

QColor toQColor(ui::Color color) { return QColor::fromRgba(color.argb); }
ui::Color toColor(const QColor& color) { return {color.rgba()}; }

QImage imageView(const ui::Image& image) {
  if (image.empty()) return {};
  return QImage(reinterpret_cast<const uchar*>(image.pixels.data()), image.width, image.height, image.width * 4,
                QImage::Format_ARGB32);
}

ui::Image toImage(const QImage& image) {
  if (image.isNull()) return {};
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  ui::Image result(argb.width(), argb.height());
  for (int y = 0; y < argb.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
    std::copy_n(line, argb.width(), result.row(y));
  }
  return result;
}

ui::Font describeFont(const QFont& font) {
  const int pixels = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
  return {font.family().toStdString(), pixels, font.bold()};
}

QFont toQFont(const ui::Font& font) {
  QFont result(toQString(font.face));
  result.setStyleHint(QFont::SansSerif);
  result.setPixelSize(std::max(font.pixelHeight, 1));
  result.setBold(font.bold);
  return result;
}

int qtTextFlags(ui::TextFlags flags) {
  bool right = (flags & ui::kTextRight) != 0;
  bool left = !right && (flags & ui::kTextCenter) == 0;
  if (flags & ui::kTextRtlReading) std::swap(left, right);
  int result = right ? Qt::AlignRight : left ? Qt::AlignLeft : Qt::AlignHCenter;
  result |= (flags & ui::kTextVCenter) && (flags & ui::kTextSingleLine) ? Qt::AlignVCenter : Qt::AlignTop;
  if (flags & ui::kTextSingleLine) result |= Qt::TextSingleLine;
  if (flags & ui::kTextWordBreak) result |= Qt::TextWordWrap;
  if (!(flags & ui::kTextNoPrefix)) result |= Qt::TextShowMnemonic;
  return result;
}

QtPainter::QtPainter(QPainter& painter, const QFont& base, const ui::Font& baseDescription, TextCache* texts)
    : painter_(painter), texts_(texts), base_(base), baseDescription_(baseDescription) {
  painter_.setRenderHint(QPainter::Antialiasing, false);
}

const QFont& QtPainter::qtFont(const ui::Font& font) {
  if (font == baseDescription_) return base_;
  if (!(font == lastDescription_) || lastDescription_.face.empty()) {
    lastDescription_ = font;
    lastFont_ = toQFont(font);
  }
  return lastFont_;
}

void QtPainter::fillRect(const ui::Rect& rect, ui::Color color) {
  if (rect.empty()) return;
  painter_.fillRect(toQRect(rect), toQColor(color));
}

void QtPainter::drawImage(ui::Point at, const ui::Image& image, const ui::Rect& source) {
  const ui::Rect cut{std::max(source.left, 0), std::max(source.top, 0),
                     std::min(source.right(), image.width) - std::max(source.left, 0),
                     std::min(source.bottom(), image.height) - std::max(source.top, 0)};
  if (cut.empty()) return;
  // Opaque pixels are copied as they are, which Qt does faster than blending them.
  const QImage view(reinterpret_cast<const uchar*>(image.pixels.data()), image.width, image.height, image.width * 4,
                    opaque(image, cut) ? QImage::Format_RGB32 : QImage::Format_ARGB32);
  painter_.drawImage(QPoint(at.x + cut.left - source.left, at.y + cut.top - source.top), view, toQRect(cut));
}

ui::Size QtPainter::measureText(std::string_view text, const ui::Font& font, int width, ui::TextFlags flags) {
  const QFontMetrics metrics(qtFont(font));
  const QRect bounds = metrics.boundingRect(QRect(0, 0, std::max(width, 1), 1 << 20), qtTextFlags(flags), toQString(text));
  return {bounds.width(), bounds.height()};
}

void QtPainter::drawText(const ui::Rect& rect, std::string_view text, const ui::Font& font, ui::Color color,
                         ui::TextFlags flags) {
  if (texts_ == nullptr || rect.empty()) {
    drawTextNow(painter_, toQRect(rect), text, font, color, flags);
    return;
  }
  // The text is clipped to its rectangle, so a layer of that size holds all of it.
  TextCache::Entry* entry = texts_->find(text, font, color, flags, rect.size());
  if (entry == nullptr) {
    QImage layer(rect.width, rect.height, QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    QPainter painter(&layer);
    drawTextNow(painter, QRect(0, 0, rect.width, rect.height), text, font, color, flags);
    painter.end();
    entry = &texts_->add({std::string(text), font, color, flags, rect.size(), std::move(layer)});
  }
  painter_.drawImage(rect.left, rect.top, entry->layer);
}

void QtPainter::drawTextNow(QPainter& painter, const QRect& rect, std::string_view text, const ui::Font& font,
                            ui::Color color, ui::TextFlags flags) {
  const int qtFlags = qtTextFlags(flags);
  QString shown = toQString(text);
  painter.setFont(qtFont(font));
  if ((flags & ui::kTextEndEllipsis) && !(flags & ui::kTextWordBreak)) {
    shown = painter.fontMetrics().elidedText(shown, Qt::ElideRight, rect.width(), qtFlags & Qt::TextShowMnemonic);
  }
  painter.setBackgroundMode(Qt::TransparentMode);
  painter.setPen(toQColor(color));
  painter.drawText(rect, qtFlags, shown);
}

void QtPainter::drawFocusRect(const ui::Rect& rect) { widgets::drawFocusRect(painter_, toQRect(rect)); }

}  // namespace zendrift::qt::widgets
