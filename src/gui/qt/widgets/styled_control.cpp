// StyledControl: the base of the styled controls; draw state, notifications and click.
#include "gui/qt/widgets/styled_control.h"

#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPointer>

namespace zendrift::qt::widgets {

StyledControl::StyledControl(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  connect(qApp, &QApplication::focusChanged, this, [this] { notifyFocusMoved(); });
}

StyledControl::~StyledControl() = default;

void StyledControl::notify(ControlNotification notification) {
  if ((redrawSet_ & redrawBit(notification)) != 0) requestRepaint();
}

void StyledControl::requestRepaint() { update(); }

void StyledControl::setCaption(const QString& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  captionChanged();
  notify(ControlNotification::CaptionChanged);
}

bool StyledControl::canFocus() const {
  return isEnabled() && isVisible() && focusPolicy() != Qt::NoFocus;
}

void StyledControl::click() {
  QPointer<StyledControl> alive(this);
  if (onClick) onClick(*this);
  if (alive) Q_EMIT clicked();
}

void StyledControl::notifyMouseEnter() {
  // A disabled control takes no pointer input; Qt repeats an enter a release already reported.
  if (!state_.pointerEntered(isEnabled())) return;
  if (onMouseEnter) onMouseEnter(*this);
  notify(ControlNotification::MouseEnter);
}

void StyledControl::notifyMouseLeave() {
  if (!state_.pointerLeft()) return;
  if (onMouseLeave) onMouseLeave(*this);
  notify(ControlNotification::MouseLeave);
}

void StyledControl::notifyFocusMoved() {
  const QWidget* active = window() != nullptr ? window()->focusWidget() : nullptr;
  state_.focusMoved(hasFocus(), qobject_cast<const StyledControl*>(active) != nullptr);
  notify(ControlNotification::FocusChanged);
}

void StyledControl::pressDown() {
  if (!hasFocus() && canFocus()) setFocus(Qt::MouseFocusReason);
  state_.pressDown();
  notify(ControlNotification::MouseDown);
}

void StyledControl::enterEvent(QEnterEvent* event) {
  QWidget::enterEvent(event);
  notifyMouseEnter();
}

void StyledControl::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  notifyMouseLeave();
}

void StyledControl::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) pressDown();
}

// The second press of a double click is a press like any other, so it clicks again.
void StyledControl::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void StyledControl::mouseMoveEvent(QMouseEvent* event) {
  // While a button holds the pointer Qt reports no leave or enter; the position tells.
  const bool inside = rect().contains(event->position().toPoint());
  if (inside && !pointerOver()) {
    notifyMouseEnter();
  } else if (!inside && pointerOver()) {
    notifyMouseLeave();
  }
  notify(ControlNotification::MouseMove);
}

void StyledControl::mouseReleaseEvent(QMouseEvent* event) {
  const ui::ControlDrawState::Release release =
      state_.release(event->button() == Qt::LeftButton, rect().contains(event->position().toPoint()));
  if (!release.ended) return;
  notify(ControlNotification::MouseUp);
  QWidget* under = QApplication::widgetAt(event->globalPosition().toPoint());
  if (auto* other = qobject_cast<StyledControl*>(under); other != nullptr && other != this) {
    other->notifyMouseEnter();
  }
  if (release.click) click();
}

void StyledControl::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  notifyFocusMoved();
}

void StyledControl::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  notifyFocusMoved();
}

void StyledControl::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  switch (event->type()) {
    case QEvent::EnabledChange:
      if (!isEnabled()) {
        // A disabled control takes no input, so nothing keeps it hot or pressed.
        state_.disabled();
      }
      notify(ControlNotification::EnabledChanged);
      break;
    case QEvent::PaletteChange:
      notify(ControlNotification::ParentColorChanged);
      break;
    case QEvent::FontChange:
      notify(ControlNotification::ParentFontChanged);
      break;
    default:
      break;
  }
}

void StyledControl::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  notify(ControlNotification::PositionChanged);
}

void StyledControl::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  notify(ControlNotification::SizeChanged);
}

}  // namespace zendrift::qt::widgets
