// TextCache: texts a control draws again and again, kept drawn on transparent layers.
#pragma once

#include <QImage>
#include <string>
#include <string_view>
#include <vector>

#include "ui/font.h"
#include "ui/geometry.h"
#include "ui/painter.h"

namespace zendrift::qt::widgets {

// Texts a control draws again and again, kept laid out and drawn: a widget owns one and hands it
// to the QtPainter of each paint, so a repaint copies its caption instead of laying it out.
class TextCache {
 public:
  struct Entry {
    std::string text;
    ui::Font font;
    ui::Color color;
    ui::TextFlags flags = 0;
    ui::Size size;
    QImage layer;  // the text as drawn into a rectangle of `size` at (0, 0), on transparent
  };
  Entry* find(std::string_view text, const ui::Font& font, ui::Color color, ui::TextFlags flags, ui::Size size);
  Entry& add(Entry entry);

 private:
  std::vector<Entry> entries_;
};

}  // namespace zendrift::qt::widgets
