// Right and left-right anchors of the window's controls.
#include "gui/qt/anchor_layout.h"

#include <QEvent>
#include <algorithm>

namespace zendrift::app {

void AnchorLayout::anchor(QWidget* control, Anchor anchor) {
  QWidget* parent = control->parentWidget();
  const bool watched = std::any_of(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.parent == parent; });
  entries_.push_back({control, parent, anchor, parent->width() - control->geometry().right() - 1});
  if (!watched) parent->installEventFilter(this);
}

bool AnchorLayout::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize) apply(static_cast<const QWidget*>(watched));
  return false;
}

void AnchorLayout::apply(const QWidget* parent) {
  for (const Entry& entry : entries_) {
    if (entry.parent != parent || !entry.control) continue;
    QRect bounds = entry.control->geometry();
    const int right = parent->width() - entry.rightMargin;  // one past the right edge
    if (entry.anchor == Anchor::Right) {
      bounds.moveLeft(right - bounds.width());
    } else {
      bounds.setWidth(std::max(0, right - bounds.left()));
    }
    entry.control->setGeometry(bounds);
  }
}

}  // namespace zendrift::app
