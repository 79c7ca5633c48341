// StyledButton: properties, gradients, keys, accelerator and click.
#include "gui/qt/widgets/styled_button.h"

#include <QAction>
#include <QKeyEvent>
#include <QShortcutEvent>

#include "gui/qt/widgets/button_caption.h"
#include "gui/qt/widgets/qt_painter.h"

namespace zendrift::qt::widgets {

StyledButton::StyledButton(QWidget* parent) : StyledControl(parent) {
  setFocusPolicy(Qt::StrongFocus);
  resize(73, 21);
  rebuildGradients();
}

StyledButton::~StyledButton() {
  if (watchedWindow_) watchedWindow_->removeEventFilter(this);
}

void StyledButton::setAutoGray(bool value) {
  if (value == autoGray_) return;
  autoGray_ = value;
  changed();
}

void StyledButton::setCancel(bool value) {
  cancel_ = value;
  watchWindow();
}

void StyledButton::setDefault(bool value) {
  if (value == default_) return;
  default_ = value;
  watchWindow();
  if (QWidget* form = window()) {
    for (auto* control : form->findChildren<StyledControl*>()) control->notifyFocusMoved();
  }
  if (window() == this) notifyFocusMoved();
  changed();
}

void StyledButton::setGlyph(const QImage& glyph) {
  glyph_ = glyph;
  changed();
}

void StyledButton::setGlyphLayout(ui::GlyphLayout layout) {
  if (layout == layout_) return;
  layout_ = layout;
  changed();
}

void StyledButton::setShowAccelChar(bool value) {
  if (value == showAccelChar_) return;
  showAccelChar_ = value;
  updateAccelerator();
  changed();
}

void StyledButton::setShowFocusRect(bool value) {
  if (value == showFocusRect_) return;
  showFocusRect_ = value;
  changed();
}

void StyledButton::setSmoothEdges(bool value) {
  if (value == smoothEdges_) return;
  smoothEdges_ = value;
  changed();
}

void StyledButton::setSpacing(quint8 value) {
  if (value == spacing_) return;
  spacing_ = value;
  changed();
}

void StyledButton::setWordWrap(bool value) {
  if (value == wordWrap_) return;
  wordWrap_ = value;
  changed();
}

void StyledButton::setTabStop(bool value) { setFocusPolicy(value ? Qt::StrongFocus : Qt::ClickFocus); }

void StyledButton::setAction(QAction* action) {
  if (action_) disconnect(action_, nullptr, this, nullptr);
  action_ = action;
  if (action_ == nullptr) {
    changed();
    return;
  }
  const auto follow = [this] {
    if (!action_) return;
    setCaption(action_->text());
    setEnabled(action_->isEnabled());
    changed();
  };
  connect(action_, &QAction::changed, this, follow);
  follow();
}

ui::ButtonStatus StyledButton::status() const {
  ui::ButtonStatus status;
  status.enabled = isEnabled();
  status.hot = isHot();
  status.pressed = isPressed();
  status.focused = isFocused();
  status.pointerOver = pointerOver();
  status.isDefault = default_;
  status.canFocus = canFocus();
  status.siblingActive = isSibling();
  return status;
}

bool StyledButton::ringShown(bool ignoreDefault) const { return ui::ringShown(status(), ignoreDefault); }

void StyledButton::rebuildGradients() {
  gradients_ = ui::buttonGradients({width(), height()});
  face_ = imageView(gradients_.face);
  pressedFace_ = imageView(gradients_.pressedFace);
  focusRing_ = imageView(gradients_.focusRing);
  hotRing_ = imageView(gradients_.hotRing);
  canvas_ = QImage(std::max(width(), 1), std::max(height(), 1), QImage::Format_RGB32);
  ++gradientBuilds_;
}

void StyledButton::resizeEvent(QResizeEvent* event) {
  StyledControl::resizeEvent(event);
  rebuildGradients();
  changed();
}

void StyledButton::click() {
  QPointer<QAction> action = action_;
  QPointer<StyledButton> alive(this);
  StyledControl::click();
  if (alive && action) action->trigger();
}

void StyledButton::updateAccelerator() {
  if (shortcutId_ != 0) {
    releaseShortcut(shortcutId_);
    shortcutId_ = 0;
  }
  if (!showAccelChar_) return;
  if (accelChar(caption()).isNull()) return;
  shortcutId_ = grabShortcut(QKeySequence::mnemonic(caption()));
}

void StyledButton::watchWindow() {
  QWidget* form = window();
  if (form == this || form == watchedWindow_) return;
  if (watchedWindow_) watchedWindow_->removeEventFilter(this);
  watchedWindow_ = form;
  if (watchedWindow_) watchedWindow_->installEventFilter(this);
}

bool StyledButton::dialogKey(int key, Qt::KeyboardModifiers modifiers) {
  if (!canFocus()) return false;
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    if (hasFocus() || (default_ && !isSibling())) {
      click();
      return true;
    }
  } else if (key == Qt::Key_Escape) {
    if (cancel_ && !(modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier))) {
      click();
      return true;
    }
  }
  return false;
}

bool StyledButton::eventFilter(QObject* watched, QEvent* event) {
  // Keys the focused control left alone reach the window: Enter for the default button, Escape
  // for the cancel button.
  if (watched == watchedWindow_ && event->type() == QEvent::KeyPress && (default_ || cancel_)) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (dialogKey(key->key(), key->modifiers())) return true;
  }
  return StyledControl::eventFilter(watched, event);
}

bool StyledButton::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::Shortcut: {
      auto* shortcut = static_cast<QShortcutEvent*>(event);
      if (shortcut->shortcutId() == shortcutId_ && canFocus()) {
        click();
        return true;
      }
      break;
    }
    case QEvent::ParentChange:
    case QEvent::Show:
      if (default_ || cancel_) watchWindow();
      break;
    default:
      break;
  }
  return StyledControl::event(event);
}

void StyledButton::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
    if (!event->isAutoRepeat()) {
      setDrawFlag(DrawStateFlag::hot, true);
      pressDown();
    }
    event->accept();
    return;
  }
  if (dialogKey(key, event->modifiers())) {
    event->accept();
    return;
  }
  const QChar accel = showAccelChar_ ? accelChar(caption()) : QChar();
  if (!accel.isNull() && canFocus() && event->text().size() == 1 &&
      event->text().at(0).toUpper() == accel.toUpper() && (hasFocus() || (event->modifiers() & Qt::AltModifier))) {
    click();
    event->accept();
    return;
  }
  StyledControl::keyPressEvent(event);
}

void StyledButton::keyReleaseEvent(QKeyEvent* event) {
  if (event->isAutoRepeat() || !isPressed()) {
    StyledControl::keyReleaseEvent(event);
    return;
  }
  drawStateMachine().keyReleased();
  requestRepaint();
  event->accept();
  click();
}

}  // namespace zendrift::qt::widgets
