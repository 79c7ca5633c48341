// TJvxCheckListBox: mouse, keys and the context menu.
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>

#include "widgets/check_list_box.h"

namespace zendrift::widgets {

void TJvxCheckListBox::selectTo(int index, Qt::KeyboardModifiers modifiers) {
  if (index < 0) return;
  if (!multiSelect_) {
    model_->SelectOnlyRange(index, index);
    anchor_ = index;
  } else if (!extendedSelect_) {
    model_->SetItemSelected(index, !model_->IsItemSelected(index));
    anchor_ = index;
  } else if ((modifiers & Qt::ShiftModifier) && anchor_ >= 0) {
    if (modifiers & Qt::ControlModifier) {
      for (int i = std::min(anchor_, index); i <= std::max(anchor_, index); ++i) model_->SetItemSelected(i, true);
    } else {
      model_->SelectOnlyRange(anchor_, index);
    }
  } else if (modifiers & Qt::ControlModifier) {
    model_->SetItemSelected(index, !model_->IsItemSelected(index));
    anchor_ = index;
  } else {
    model_->SelectOnlyRange(index, index);
    anchor_ = index;
  }
  model_->SetItemIndex(index);
  ensureVisible(index);
}

void TJvxCheckListBox::ensureVisible(int index) {
  flushScrollBars();
  const int top = TopIndex();
  const int visible = visibleLineCount();
  if (index < top) {
    SetTopIndex(index);
  } else if (index >= top + visible) {
    SetTopIndex(index - visible + 1);
  }
}

void TJvxCheckListBox::moveFocusBy(int delta, Qt::KeyboardModifiers modifiers) {
  const int count = model_->Items.Count();
  if (count == 0) return;
  const int current = model_->ItemIndex();
  const int target = std::clamp(current < 0 ? 0 : current + delta, 0, count - 1);
  if (multiSelect_ && (!extendedSelect_ || (modifiers & Qt::ControlModifier && !(modifiers & Qt::ShiftModifier)))) {
    // Only the focus moves; space marks, it does not select.
    model_->SetItemIndex(target);
    ensureVisible(target);
    return;
  }
  selectTo(target, modifiers & Qt::ShiftModifier);
}

void TJvxCheckListBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;  // the right button only opens the menu
  setFocus(Qt::MouseFocusReason);
  const int index = ItemAtPoint(event->position().toPoint(), true);
  if (index < 0) return;
  selectTo(index, event->modifiers());
  dragSelecting_ = true;
}

void TJvxCheckListBox::mouseMoveEvent(QMouseEvent* event) {
  if (!dragSelecting_ || !(event->buttons() & Qt::LeftButton)) return;
  const int index = ItemAtPoint(event->position().toPoint(), false);
  if (index < 0 || index == model_->ItemIndex() || model_->Items.Count() == 0) return;
  if (multiSelect_ && extendedSelect_ && !(event->modifiers() & Qt::ControlModifier)) {
    model_->SelectOnlyRange(anchor_, index);
    model_->SetItemIndex(index);
    ensureVisible(index);
  } else if (!multiSelect_) {
    selectTo(index, Qt::NoModifier);
  }
}

void TJvxCheckListBox::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  dragSelecting_ = false;
  const QPoint point = event->position().toPoint();
  const int index = ItemAtPoint(point, true);
  if (index < 0) return;
  const QRect line = ItemRect(index);
  bool hit = false;
  if (layoutDirection() == Qt::RightToLeft) {
    const int right = line.left() + line.width();
    hit = point.x() > right - CheckAreaWidth() && point.x() < right;
  } else {
    hit = point.x() - line.left() < CheckAreaWidth();
  }
  if (hit) model_->ToggleItemCheck(index);
}

bool TJvxCheckListBox::searchFirstLetter(const QString& text) {
  const int count = model_->Items.Count();
  if (text.isEmpty() || count == 0) return false;
  const QString letter = text.left(1);
  const int start = model_->ItemIndex();
  for (int step = 1; step <= count; ++step) {
    const int index = (start + step + count) % count;
    if (QString::fromStdString(model_->Items.Get(index)).startsWith(letter, Qt::CaseInsensitive)) {
      selectTo(index, Qt::NoModifier);
      return true;
    }
  }
  return false;
}

void TJvxCheckListBox::keyPressEvent(QKeyEvent* event) {
  const int visible = visibleLineCount();
  switch (event->key()) {
    case Qt::Key_Up:
      moveFocusBy(-1, event->modifiers());
      return;
    case Qt::Key_Down:
      moveFocusBy(1, event->modifiers());
      return;
    case Qt::Key_PageUp:
      moveFocusBy(-std::max(1, visible - 1), event->modifiers());
      return;
    case Qt::Key_PageDown:
      moveFocusBy(std::max(1, visible - 1), event->modifiers());
      return;
    case Qt::Key_Home:
      moveFocusBy(-model_->Items.Count(), event->modifiers());
      return;
    case Qt::Key_End:
      moveFocusBy(model_->Items.Count(), event->modifiers());
      return;
    default:
      break;
  }
  const QString text = event->text();
  if (text == QLatin1String(" ")) {
    model_->ToggleItemCheck(model_->ItemIndex());
    event->accept();
    return;
  }
  if (text == QLatin1String("+") || text == QLatin1String("-")) {
    model_->SetAllItemStates(text == QLatin1String("+") ? scan::cbChecked : scan::cbUnchecked, true);
    if (model_->OnClickCheck) model_->OnClickCheck(*model_);
    // Not consumed: the character goes on to the list's own search by first letter.
  }
  if (!text.isEmpty() && text.at(0).isPrint() && searchFirstLetter(text)) {
    event->accept();
    return;
  }
  QAbstractScrollArea::keyPressEvent(event);
}

void TJvxCheckListBox::contextMenuEvent(QContextMenuEvent* event) {
  popupMenu1_->popup(event->globalPos());
  event->accept();
}

}  // namespace zendrift::widgets
