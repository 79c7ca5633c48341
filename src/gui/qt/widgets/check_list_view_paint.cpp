// CheckListView: drawing each line (check cell, text, selection, focus) with the shared line
// geometry and colours; the text is drawn from Qt's laid-out texts, the dearest part of a paint.
#include <QFontMetrics>
#include <QPainter>
#include <QPaintEvent>
#include <QStyle>
#include <QStyleOptionButton>
#include <algorithm>

#include "gui/qt/widgets/check_images.h"
#include "gui/qt/widgets/check_list_view.h"
#include "gui/qt/widgets/focus_rect.h"
#include "gui/qt/widgets/qt_painter.h"
#include "ui/check_list_paint.h"
#include "ui/path_elision.h"

namespace zendrift::qt::widgets {

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
  const auto qrect = [](const ui::Rect& r) { return QRect(r.left, r.top, r.width, r.height); };
  const ui::Rect shared{line.left(), line.top(), line.width(), line.height()};
  const ui::LineParts parts = ui::lineParts(shared, layoutDirection() == Qt::RightToLeft);
  const QRect text = qrect(parts.text);

  // The check area is never highlighted.
  painter.fillRect(qrect(parts.checkArea), palette().color(QPalette::Base));
  drawCheck(painter, index, qrect(parts.cell));

  const ui::ListColors colors{toColor(palette().color(QPalette::Base)),
                              toColor(palette().color(QPalette::Text)),
                              toColor(palette().color(QPalette::Highlight)),
                              toColor(palette().color(QPalette::HighlightedText)),
                              toColor(palette().color(QPalette::Button)),
                              toColor(palette().color(QPalette::ButtonText)),
                              toColor(palette().color(QPalette::Disabled, QPalette::Text)),
                              ui::Color{kInactiveCaptionText}};
  const ui::LineInk ink =
      ui::lineInk(model_->isItemSelected(index), model_->isItemEnabled(index), hasFocus(), graySelection_, colors);
  painter.fillRect(text, toQColor(ink.fill));

  // The text as the shared line places it, from a laid-out text kept for the next paint.
  const ui::Point at = ui::textOrigin(shared, parts.text, QFontMetrics(font()).height());
  painter.setPen(toQColor(ink.ink));
  painter.setClipRect(text);
  painter.drawStaticText(at.x, at.y, cachedText(index, text.right() + 1 - at.x));
  painter.setClipping(false);

  if (index == model_->itemIndex() && hasFocus()) drawFocusRect(painter, text);
}

const QStaticText& CheckListView::cachedText(int index, int width) {
  // Without horizontal scrolling a path too long for the line loses its middle, not its file name.
  const std::string& line = model_->items.get(index);
  const QFontMetrics metrics(font());
  const QString text = QString::fromStdString(
      autoScroll_ ? line : ui::middleElidedPath(line, width, [&metrics](std::string_view part) {
        return metrics.horizontalAdvance(QString::fromUtf8(part.data(), static_cast<qsizetype>(part.size())));
      }));
  // Laying text out is the dearest part of a paint; a scan repaints the same lines many times.
  auto found = texts_.find(text);
  if (found != texts_.end()) return *found;
  if (texts_.size() > 512) texts_.clear();
  QStaticText laidOut(text);
  laidOut.setTextFormat(Qt::PlainText);
  laidOut.setPerformanceHint(QStaticText::AggressiveCaching);
  laidOut.prepare(QTransform(), font());
  return *texts_.insert(text, laidOut);
}

const QImage& CheckListView::cachedCell(ui::CheckKind kind, ui::CheckState state, bool enabled) {
  const unsigned key = static_cast<unsigned>(kind) | static_cast<unsigned>(state) << 2 | (enabled ? 16u : 0u);
  auto found = cells_.find(key);
  if (found != cells_.end()) return *found;
  const QColor background = palette().color(QPalette::Base);
  QImage cell;
  if (themedChecks_ && kind != ui::CheckKind::checkMarks) {
    cell = QImage(kCheckCellWidth, kCheckCellHeight, QImage::Format_ARGB32_Premultiplied);
    cell.fill(background);
    QPainter painter(&cell);
    QStyleOptionButton option;
    option.initFrom(this);
    // The style would stretch its box over the whole cell; it gets the bitmap's square instead.
    option.rect = kCheckBoxRect;
    option.state = enabled ? QStyle::State_Enabled : QStyle::State_None;
    option.state |= state == ui::CheckState::checked ? QStyle::State_On : QStyle::State_Off;
    style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter, this);
  } else {
    cell = checkCell(kind, state, enabled, background);
  }
  return *cells_.insert(key, cell);
}

void CheckListView::drawCheck(QPainter& painter, int index, const QRect& cell) {
  painter.drawImage(cell.topLeft(), cachedCell(model_->checkKind(), model_->itemState(index), model_->isItemEnabled(index)));
}

}  // namespace zendrift::qt::widgets
