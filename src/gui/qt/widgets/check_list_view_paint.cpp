// CheckListView: drawing each line (check cell, text, selection, focus).
#include <QFontMetrics>
#include <QPainter>
#include <QPaintEvent>
#include <QStyle>
#include <QStyleOptionButton>
#include <algorithm>

#include "gui/qt/widgets/check_images.h"
#include "gui/qt/widgets/check_list_view.h"
#include "gui/qt/widgets/focus_rect.h"

namespace zendrift::widgets {

namespace {
// The text of a disabled line on the highlight: the classic inactive-caption text colour.
constexpr QRgb kInactiveCaptionText = 0xFFC0C0C0;
}  // namespace

void CheckListView::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  if (modelLifetime_.expired()) return;
  painter.setFont(font());
  const QColor background = palette().color(QPalette::Base);
  painter.fillRect(event->rect(), background);
  const int count = model_->items.count();
  const int height = viewport()->height();
  for (int index = topIndex(); index < count; ++index) {
    const QRect line = itemRect(index);
    if (line.top() >= height) break;
    if (line.intersects(event->rect())) drawItem(painter, index, line);
  }
}

void CheckListView::drawItem(QPainter& painter, int index, const QRect& line) {
  const QRect checkArea = checkAreaRect(index);
  const QRect text = textPart(line);
  const QColor background = palette().color(QPalette::Base);

  // The check area is never highlighted.
  painter.fillRect(checkArea, background);
  const ui::Rect cell = ui::checkCellRect({checkArea.left(), checkArea.top(), checkArea.width(), checkArea.height()});
  drawCheck(painter, index, QRect(cell.left, cell.top, cell.width, cell.height));

  const bool selected = model_->isItemSelected(index);
  const bool enabled = model_->isItemEnabled(index);
  QColor fill = background;
  QColor ink = palette().color(QPalette::Text);
  if (selected) {
    if (graySelection_ && !hasFocus()) {
      fill = palette().color(QPalette::Button);
      ink = palette().color(QPalette::ButtonText);
    } else {
      fill = palette().color(QPalette::Highlight);
      ink = palette().color(QPalette::HighlightedText);
    }
  }
  if (!enabled) ink = selected ? QColor::fromRgb(kInactiveCaptionText) : palette().color(QPalette::Disabled, QPalette::Text);
  painter.fillRect(text, fill);

  const QFontMetrics metrics(font());
  const int bottom = line.top() + line.height();
  const int top = std::max(line.top(), (line.top() + bottom - metrics.height()) / 2);
  painter.setPen(ink);
  painter.setClipRect(text);
  painter.drawStaticText(text.left() + 2, top, cachedText(index));
  painter.setClipping(false);

  if (index == model_->itemIndex() && hasFocus()) drawFocusRect(painter, text);
}

const QStaticText& CheckListView::cachedText(int index) {
  // Laying text out is the dearest part of a paint; a scan repaints the same lines many times.
  const QString text = QString::fromStdString(model_->items.get(index));
  auto found = texts_.find(text);
  if (found != texts_.end()) return *found;
  if (texts_.size() > 512) texts_.clear();
  QStaticText laidOut(text);
  laidOut.setTextFormat(Qt::PlainText);
  laidOut.setPerformanceHint(QStaticText::AggressiveCaching);
  laidOut.prepare(QTransform(), font());
  return *texts_.insert(text, laidOut);
}

const QImage& CheckListView::cachedCell(scan::CheckKind kind, scan::CheckState state, bool enabled) {
  const unsigned key = static_cast<unsigned>(kind) | static_cast<unsigned>(state) << 2 | (enabled ? 16u : 0u);
  auto found = cells_.find(key);
  if (found != cells_.end()) return *found;
  const QColor background = palette().color(QPalette::Base);
  QImage cell;
  if (themedChecks_ && kind != scan::ckCheckMarks) {
    cell = QImage(kCheckCellWidth, kCheckCellHeight, QImage::Format_ARGB32_Premultiplied);
    cell.fill(background);
    QPainter painter(&cell);
    QStyleOptionButton option;
    option.initFrom(this);
    // The style would stretch its box over the whole cell; it gets the bitmap's square instead.
    option.rect = kCheckBoxRect;
    option.state = enabled ? QStyle::State_Enabled : QStyle::State_None;
    if (state == scan::cbChecked) {
      option.state |= QStyle::State_On;
    } else if (state == scan::cbGrayed && kind == scan::ckCheckBoxes) {
      option.state |= QStyle::State_NoChange;
    } else {
      option.state |= QStyle::State_Off;
    }
    const auto element = kind == scan::ckRadioButtons ? QStyle::PE_IndicatorRadioButton : QStyle::PE_IndicatorCheckBox;
    style()->drawPrimitive(element, &option, &painter, this);
  } else {
    cell = checkCell(kind, state, enabled, background);
  }
  return *cells_.insert(key, cell);
}

void CheckListView::drawCheck(QPainter& painter, int index, const QRect& cell) {
  painter.drawImage(cell.topLeft(), cachedCell(model_->checkKind(), model_->itemState(index), model_->isItemEnabled(index)));
}

}  // namespace zendrift::widgets
