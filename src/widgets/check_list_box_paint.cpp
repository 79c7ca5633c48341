// TJvxCheckListBox: drawing each line (check cell, text, selection, focus).
#include <QFontMetrics>
#include <QPainter>
#include <QPaintEvent>
#include <QStyle>
#include <QStyleOptionButton>
#include <algorithm>

#include "widgets/check_images.h"
#include "widgets/check_list_box.h"
#include "widgets/focus_rect.h"

namespace zendrift::widgets {

namespace {
// The text of a disabled line on the highlight: the classic inactive-caption text colour.
constexpr QRgb kInactiveCaptionText = 0xFFC0C0C0;
}  // namespace

void TJvxCheckListBox::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  painter.setFont(font());
  const QColor background = palette().color(QPalette::Base);
  painter.fillRect(event->rect(), background);
  const int count = model_->Items.Count();
  const int height = viewport()->height();
  for (int index = TopIndex(); index < count; ++index) {
    const QRect line = ItemRect(index);
    if (line.top() >= height) break;
    if (line.intersects(event->rect())) drawItem(painter, index, line);
  }
}

void TJvxCheckListBox::drawItem(QPainter& painter, int index, const QRect& line) {
  const QRect checkArea = CheckAreaRect(index);
  const QRect text = textPart(line);
  const QColor background = palette().color(QPalette::Base);

  // The check area is never highlighted.
  painter.fillRect(checkArea, background);
  const QRect cell(checkArea.left() + (checkArea.width() - kCheckCellWidth) / 2,
                   checkArea.top() + (checkArea.height() - kCheckCellHeight) / 2, kCheckCellWidth, kCheckCellHeight);
  drawCheck(painter, index, cell);

  const bool selected = model_->IsItemSelected(index);
  const bool enabled = model_->IsItemEnabled(index);
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
  painter.drawText(text.left() + 2, top + metrics.ascent(), QString::fromStdString(model_->Items.Get(index)));
  painter.setClipping(false);

  if (index == model_->ItemIndex() && hasFocus()) drawFocusRect(painter, text);
}

void TJvxCheckListBox::drawCheck(QPainter& painter, int index, const QRect& cell) {
  const scan::TCheckKind kind = model_->CheckKind();
  const scan::TCheckBoxState state = model_->ItemState(index);
  const bool enabled = model_->IsItemEnabled(index);
  if (themedChecks_ && kind != scan::ckCheckMarks) {
    QStyleOptionButton option;
    option.initFrom(this);
    option.rect = cell;
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
    return;
  }
  painter.drawImage(cell.topLeft(), checkCell(kind, state, enabled, palette().color(QPalette::Base)));
}

}  // namespace zendrift::widgets
