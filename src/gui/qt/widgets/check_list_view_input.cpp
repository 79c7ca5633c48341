// CheckListView: mouse, keys and the context menu.
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>

#include "gui/qt/widgets/check_list_view.h"

namespace zendrift::qt::widgets {

void CheckListView::selectTo(int index, Qt::KeyboardModifiers modifiers) {
  if (index < 0) return;
  if (!multiSelect_) {
    model_->selectOnlyRange(index, index);
    anchor_ = index;
  } else if (!extendedSelect_) {
    model_->setItemSelected(index, !model_->isItemSelected(index));
    anchor_ = index;
  } else if ((modifiers & Qt::ShiftModifier) && anchor_ >= 0) {
    if (modifiers & Qt::ControlModifier) {
      for (int i = std::min(anchor_, index); i <= std::max(anchor_, index); ++i) model_->setItemSelected(i, true);
    } else {
      model_->selectOnlyRange(anchor_, index);
    }
  } else if (modifiers & Qt::ControlModifier) {
    model_->setItemSelected(index, !model_->isItemSelected(index));
    anchor_ = index;
  } else {
    model_->selectOnlyRange(index, index);
    anchor_ = index;
  }
  model_->setItemIndex(index);
  ensureVisible(index);
}

void CheckListView::ensureVisible(int index) {
  flushScrollBars();
  const int top = topIndex();
  const int visible = visibleLineCount();
  if (index < top) {
    setTopIndex(index);
  } else if (index >= top + visible) {
    setTopIndex(index - visible + 1);
  }
}

void CheckListView::moveFocusBy(int delta, Qt::KeyboardModifiers modifiers) {
  const int count = model_->items.count();
  if (count == 0) return;
  const int current = model_->itemIndex();
  const int target = std::clamp(current < 0 ? 0 : current + delta, 0, count - 1);
  if (multiSelect_ && (!extendedSelect_ || (modifiers & Qt::ControlModifier && !(modifiers & Qt::ShiftModifier)))) {
    // Only the focus moves; space marks, it does not select.
    model_->setItemIndex(target);
    ensureVisible(target);
    return;
  }
  selectTo(target, modifiers & Qt::ShiftModifier);
}

void CheckListView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;  // the right button only opens the menu
  setFocus(Qt::MouseFocusReason);
  const int index = itemAtPoint(event->position().toPoint(), true);
  if (index < 0) return;
  selectTo(index, event->modifiers());
  dragSelecting_ = true;
}

void CheckListView::mouseMoveEvent(QMouseEvent* event) {
  if (!dragSelecting_ || !(event->buttons() & Qt::LeftButton)) return;
  const int index = itemAtPoint(event->position().toPoint(), false);
  if (index < 0 || index == model_->itemIndex() || model_->items.count() == 0) return;
  if (multiSelect_ && extendedSelect_ && !(event->modifiers() & Qt::ControlModifier)) {
    model_->selectOnlyRange(anchor_, index);
    model_->setItemIndex(index);
    ensureVisible(index);
  } else if (!multiSelect_) {
    selectTo(index, Qt::NoModifier);
  }
}

void CheckListView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  dragSelecting_ = false;
  const QPoint point = event->position().toPoint();
  const int index = itemAtPoint(point, true);
  if (index < 0) return;
  const QRect line = itemRect(index);
  bool hit = false;
  if (layoutDirection() == Qt::RightToLeft) {
    const int right = line.left() + line.width();
    hit = point.x() > right - checkAreaWidth() && point.x() < right;
  } else {
    hit = point.x() - line.left() < checkAreaWidth();
  }
  if (hit) model_->toggleItemCheck(index);
}

bool CheckListView::searchFirstLetter(const QString& text) {
  const int count = model_->items.count();
  if (text.isEmpty() || count == 0) return false;
  const QString letter = text.left(1);
  const int start = model_->itemIndex();
  for (int step = 1; step <= count; ++step) {
    const int index = (start + step + count) % count;
    if (QString::fromStdString(model_->items.get(index)).startsWith(letter, Qt::CaseInsensitive)) {
      selectTo(index, Qt::NoModifier);
      return true;
    }
  }
  return false;
}

void CheckListView::keyPressEvent(QKeyEvent* event) {
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
      moveFocusBy(-model_->items.count(), event->modifiers());
      return;
    case Qt::Key_End:
      moveFocusBy(model_->items.count(), event->modifiers());
      return;
    default:
      break;
  }
  const QString text = event->text();
  if (text == QLatin1String(" ")) {
    model_->toggleItemCheck(model_->itemIndex());
    event->accept();
    return;
  }
  if (text == QLatin1String("+") || text == QLatin1String("-")) {
    model_->markEnabledLines(text == QLatin1String("+"));
    // Not consumed: the character goes on to the list's own search by first letter.
  }
  if (!text.isEmpty() && text.at(0).isPrint() && searchFirstLetter(text)) {
    event->accept();
    return;
  }
  QAbstractScrollArea::keyPressEvent(event);
}

void CheckListView::contextMenuEvent(QContextMenuEvent* event) {
  contextMenu_->popup(event->globalPos());
  event->accept();
}

}  // namespace zendrift::qt::widgets
