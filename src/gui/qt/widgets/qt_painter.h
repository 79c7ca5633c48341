// QtPainter: the painting interface of our controls over a QPainter, and the conversions
// between the shared image, colour and font types and Qt's.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>

#include "gui/qt/widgets/text_cache.h"
#include "ui/painter.h"

namespace zendrift::qt::widgets {

QColor toQColor(ui::Color color);
ui::Color toColor(const QColor& color);
// A QImage that shares `image`'s pixels (no copy): valid while `image` lives unchanged.
QImage imageView(const ui::Image& image);
ui::Image toImage(const QImage& image);
// The shared description of a Qt font: family, pixel height, weight.
ui::Font describeFont(const QFont& font);
QFont toQFont(const ui::Font& font);

class QtPainter final : public ui::Painter {
 public:
  // `base` is the widget's own font and `baseDescription` its description: text in a font equal
  // to that description is drawn with `base` itself, so nothing of it is lost.
  QtPainter(QPainter& painter, const QFont& base, const ui::Font& baseDescription, TextCache* texts = nullptr);

  void fillRect(const ui::Rect& rect, ui::Color color) override;
  void drawImage(ui::Point at, const ui::Image& image, const ui::Rect& source) override;
  ui::Size measureText(std::string_view text, const ui::Font& font, int width, ui::TextFlags flags) override;
  void drawText(const ui::Rect& rect, std::string_view text, const ui::Font& font, ui::Color color,
                ui::TextFlags flags) override;
  void drawFocusRect(const ui::Rect& rect) override;

 private:
  const QFont& qtFont(const ui::Font& font);
  void drawTextNow(QPainter& painter, const QRect& rect, std::string_view text, const ui::Font& font, ui::Color color,
                   ui::TextFlags flags);

  QPainter& painter_;
  TextCache* texts_;
  QFont base_;
  ui::Font baseDescription_;
  ui::Font lastDescription_;
  QFont lastFont_;
};

// Qt's alignment and text flags for the shared ones.
int qtTextFlags(ui::TextFlags flags);

}  // namespace zendrift::qt::widgets
