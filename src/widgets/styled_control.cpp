// TJvXPCustomControl: the base of the styled controls; draw state, notifications and click.
#include "widgets/xp_control.h"

#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPointer>

namespace zendrift::widgets {

TJvXPCustomControl::TJvXPCustomControl(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  connect(qApp, &QApplication::focusChanged, this, [this] { NotifyFocusMoved(); });
}

TJvXPCustomControl::~TJvXPCustomControl() = default;

void TJvXPCustomControl::notify(TJvXPNotification notification) {
  if ((redrawSet_ & redrawBit(notification)) != 0) requestRepaint();
}

void TJvXPCustomControl::requestRepaint() {
  if (!lockUpdate_) update();
}

void TJvXPCustomControl::SetLockUpdate(bool lock) {
  if (lock == lockUpdate_) return;
  lockUpdate_ = lock;
  if (!lock) update();
}

void TJvXPCustomControl::setDrawFlag(TJvXPDrawStateFlag flag, bool on) {
  if (on) {
    drawState_ |= flag;
  } else {
    drawState_ &= ~static_cast<unsigned>(flag);
  }
}

void TJvXPCustomControl::SetCaption(const QString& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  captionChanged();
  notify(TJvXPNotification::CaptionChanged);
}

bool TJvXPCustomControl::CanFocus() const {
  return isEnabled() && isVisible() && focusPolicy() != Qt::NoFocus;
}

void TJvXPCustomControl::Click() {
  if (QWidget* form = window(); form != nullptr && form != this) {
    form->setProperty("ModalResult", modalResult_);
  }
  QPointer<TJvXPCustomControl> alive(this);
  if (OnClick) OnClick(*this);
  if (alive) Q_EMIT clicked();
}

void TJvXPCustomControl::NotifyMouseEnter() {
  // A disabled control takes no pointer input; Qt repeats an enter a release already reported.
  if (pointerOver_ || !isEnabled()) return;
  pointerOver_ = true;
  setDrawFlag(dsHot, true);
  if (OnMouseEnter) OnMouseEnter(*this);
  notify(TJvXPNotification::MouseEnter);
}

void TJvXPCustomControl::NotifyMouseLeave() {
  if (!pointerOver_) return;
  pointerOver_ = false;
  setDrawFlag(dsHot, false);
  if (OnMouseLeave) OnMouseLeave(*this);
  notify(TJvXPNotification::MouseLeave);
}

void TJvXPCustomControl::NotifyFocusMoved() {
  const bool focused = hasFocus();
  setDrawFlag(dsFocused, focused);
  if (!focused) setDrawFlag(dsPressed, false);
  const QWidget* active = window() != nullptr ? window()->focusWidget() : nullptr;
  sibling_ = qobject_cast<const TJvXPCustomControl*>(active) != nullptr;
  notify(TJvXPNotification::FocusChanged);
}

void TJvXPCustomControl::pressDown() {
  pressing_ = true;
  if (!hasFocus() && CanFocus()) setFocus(Qt::MouseFocusReason);
  setDrawFlag(dsPressed, true);
  notify(TJvXPNotification::MouseDown);
}

void TJvXPCustomControl::enterEvent(QEnterEvent* event) {
  QWidget::enterEvent(event);
  NotifyMouseEnter();
}

void TJvXPCustomControl::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  NotifyMouseLeave();
}

void TJvXPCustomControl::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) pressDown();
}

// The second press of a double click is a press like any other, so it clicks again.
void TJvXPCustomControl::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void TJvXPCustomControl::mouseMoveEvent(QMouseEvent* event) {
  // While a button holds the pointer Qt reports no leave or enter; the position tells.
  const bool inside = rect().contains(event->position().toPoint());
  if (inside && !pointerOver_) {
    NotifyMouseEnter();
  } else if (!inside && pointerOver_) {
    NotifyMouseLeave();
  }
  notify(TJvXPNotification::MouseMove);
}

void TJvXPCustomControl::mouseReleaseEvent(QMouseEvent* event) {
  if (!pressing_) return;
  pressing_ = false;
  const bool wasPressed = IsPressed();
  setDrawFlag(dsPressed, false);
  notify(TJvXPNotification::MouseUp);
  QWidget* under = QApplication::widgetAt(event->globalPosition().toPoint());
  if (auto* other = qobject_cast<TJvXPCustomControl*>(under); other != nullptr && other != this) {
    other->NotifyMouseEnter();
  }
  if (event->button() == Qt::LeftButton && wasPressed && rect().contains(event->position().toPoint())) Click();
}

void TJvXPCustomControl::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  NotifyFocusMoved();
}

void TJvXPCustomControl::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  NotifyFocusMoved();
}

void TJvXPCustomControl::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  switch (event->type()) {
    case QEvent::EnabledChange:
      if (!isEnabled()) {
        // A disabled control takes no input, so nothing keeps it hot or pressed.
        pointerOver_ = false;
        pressing_ = false;
        setDrawFlag(dsHot, false);
        setDrawFlag(dsPressed, false);
      }
      notify(TJvXPNotification::EnabledChanged);
      break;
    case QEvent::PaletteChange:
      notify(TJvXPNotification::ParentColorChanged);
      break;
    case QEvent::FontChange:
      notify(TJvXPNotification::ParentFontChanged);
      break;
    default:
      break;
  }
}

void TJvXPCustomControl::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  notify(TJvXPNotification::PositionChanged);
}

void TJvXPCustomControl::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  notify(TJvXPNotification::SizeChanged);
}

}  // namespace zendrift::widgets
