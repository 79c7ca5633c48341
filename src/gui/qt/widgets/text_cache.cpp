// TextCache: texts a control draws again and again, kept drawn on transparent layers.
#include "gui/qt/widgets/text_cache.h"

namespace zendrift::qt::widgets {

TextCache::Entry* TextCache::find(std::string_view text, const ui::Font& font, ui::Color color, ui::TextFlags flags,
                                  ui::Size size) {
  for (Entry& entry : entries_) {
    if (entry.text == text && entry.color == color && entry.flags == flags && entry.size == size && entry.font == font)
      return &entry;
  }
  return nullptr;
}

TextCache::Entry& TextCache::add(Entry entry) {
  // A button draws a handful of texts (its caption, embossed in two colours); older ones go.
  if (entries_.size() >= 8) entries_.erase(entries_.begin());
  entries_.push_back(std::move(entry));
  return entries_.back();
}

}  // namespace zendrift::qt::widgets
