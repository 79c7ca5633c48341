// StyledButton: painting through the shared button paint, into the off-screen canvas.
#include <QAction>
#include <QPainter>

#include "gui/qt/widgets/button_caption.h"
#include "gui/qt/widgets/qt_painter.h"
#include "gui/qt/widgets/styled_button.h"

namespace zendrift::qt::widgets {

QImage StyledButton::currentGlyph() const {
  QImage glyph = glyph_;
  if (action_ && !action_->icon().isNull()) {
    const QList<QSize> sizes = action_->icon().availableSizes();
    glyph = action_->icon().pixmap(sizes.isEmpty() ? QSize(16, 16) : sizes.front()).toImage();
  }
  return glyph;
}

StyledButton::CaptionKey StyledButton::captionKey() const {
  CaptionKey key;
  key.caption = caption();
  key.font = font();
  key.size = size();
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

void StyledButton::prepareCaption(const CaptionKey& key, ui::Painter& painter) {
  ++captionLayouts_;
  captionTexts_ = {};  // the font may differ in more than its description
  caption_.text = key.caption.toStdString();
  caption_.font = describeFont(key.font);
  caption_.showAccelChar = key.showAccelChar;
  caption_.wordWrap = key.wordWrap;
  caption_.rightToLeft = key.direction == Qt::RightToLeft;
  ui::Image glyph = toImage(currentGlyph());
  if (!glyph.empty() && key.autoGray && !key.enabled) glyph = ui::grayGlyph(glyph);
  shownGlyph_ = ui::keyedGlyph(glyph);
  const ui::ButtonGlyph place{shownGlyph_.size(), key.layout, key.spacing};
  placement_ = ui::placeCaption(painter, {key.size.width(), key.size.height()}, caption_, place);
  preparedKey_ = key;
}

void StyledButton::paintEvent(QPaintEvent*) {
  if (canvas_.size() != size()) canvas_ = QImage(std::max(width(), 1), std::max(height(), 1), QImage::Format_RGB32);
  {
    QPainter painter(&canvas_);
    const CaptionKey key = captionKey();
    const QFont& shownFont = font();
    // The description of the widget's font is worked out once per caption key.
    QtPainter shared(painter, shownFont, preparedKey_ && *preparedKey_ == key ? caption_.font : describeFont(shownFont),
                     &captionTexts_);
    if (!preparedKey_ || !(*preparedKey_ == key)) prepareCaption(key, shared);
    ui::ButtonPaint button;
    button.size = {width(), height()};
    button.status = status();
    button.showFocusRect = showFocusRect_;
    button.smoothEdges = smoothEdges_;
    button.caption = &caption_;
    button.glyph = &shownGlyph_;
    button.colors = buttonColors(palette());
    ui::paintButton(shared, button, gradients_, placement_);
  }
  QPainter screen(this);
  screen.drawImage(0, 0, canvas_);
}

}  // namespace zendrift::qt::widgets
