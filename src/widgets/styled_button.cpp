// TJvXPCustomButton: properties, gradients, keys, accelerator and click.
#include "widgets/xp_button.h"

#include <QAction>
#include <QKeyEvent>
#include <QShortcutEvent>

#include "widgets/xp_caption.h"
#include "widgets/xp_gradient.h"

namespace zendrift::widgets {

namespace {
constexpr int kGradientColors = 64;
constexpr int kTopToBottom = 1;
}  // namespace

TJvXPCustomButton::TJvXPCustomButton(QWidget* parent) : TJvXPCustomStyleControl(parent) {
  setFocusPolicy(Qt::StrongFocus);
  resize(73, 21);
  rebuildGradients();
}

TJvXPCustomButton::~TJvXPCustomButton() {
  if (watchedForm_) watchedForm_->removeEventFilter(this);
}

void TJvXPCustomButton::SetAutoGray(bool value) {
  if (value == autoGray_) return;
  autoGray_ = value;
  changed();
}

void TJvXPCustomButton::SetCancel(bool value) {
  cancel_ = value;
  watchForm();
}

void TJvXPCustomButton::SetDefault(bool value) {
  if (value == default_) return;
  default_ = value;
  watchForm();
  if (QWidget* form = window()) {
    for (auto* control : form->findChildren<TJvXPCustomControl*>()) control->NotifyFocusMoved();
  }
  if (window() == this) NotifyFocusMoved();
  changed();
}

void TJvXPCustomButton::SetGlyph(const QImage& glyph) {
  glyph_ = glyph;
  changed();
}

void TJvXPCustomButton::SetLayout(TJvXPLayout layout) {
  if (layout == layout_) return;
  layout_ = layout;
  changed();
}

void TJvXPCustomButton::SetShowAccelChar(bool value) {
  if (value == showAccelChar_) return;
  showAccelChar_ = value;
  updateAccelerator();
  changed();
}

void TJvXPCustomButton::SetShowFocusRect(bool value) {
  if (value == showFocusRect_) return;
  showFocusRect_ = value;
  changed();
}

void TJvXPCustomButton::SetSmoothEdges(bool value) {
  if (value == smoothEdges_) return;
  smoothEdges_ = value;
  changed();
}

void TJvXPCustomButton::SetSpacing(quint8 value) {
  if (value == spacing_) return;
  spacing_ = value;
  changed();
}

void TJvXPCustomButton::SetWordWrap(bool value) {
  if (value == wordWrap_) return;
  wordWrap_ = value;
  changed();
}

void TJvXPCustomButton::SetTabStop(bool value) { setFocusPolicy(value ? Qt::StrongFocus : Qt::ClickFocus); }

void TJvXPCustomButton::SetAction(QAction* action) {
  if (action_) disconnect(action_, nullptr, this, nullptr);
  action_ = action;
  if (action_ == nullptr) {
    changed();
    return;
  }
  const auto follow = [this] {
    if (!action_) return;
    SetCaption(action_->text());
    setEnabled(action_->isEnabled());
    changed();
  };
  connect(action_, &QAction::changed, this, follow);
  follow();
}

bool TJvXPCustomButton::RingShown(bool ignoreDefault) const {
  bool ring = IsPressed() ? !PointerOver() : (IsHot() || IsFocused());
  if (!ignoreDefault && default_ && CanFocus() && !IsSibling()) ring = true;
  return ring;
}

void TJvXPCustomButton::rebuildGradients() {
  const int w = width();
  const int h = height();
  // The face is always built one pixel inside the border. Sizing it to the ring's inside when
  // the ring happens to show would leave a strip unpainted once the ring goes; painting with the
  // ring copies only its top-left part anyway.
  const int d = 2;
  CreateGradientBitmap(w - d, h - d, QColor::fromRgb(kFaceTop), QColor::fromRgb(kFaceBottom), kGradientColors,
                       kTopToBottom, true, face_);
  CreateGradientBitmap(w - 2, h - 2, QColor::fromRgb(kPressedTop), QColor::fromRgb(kPressedBottom), kGradientColors,
                       kTopToBottom, true, pressedFace_);
  CreateGradientBitmap(w - 2, h - 2, QColor::fromRgb(kFocusTop), QColor::fromRgb(kFocusBottom), kGradientColors,
                       kTopToBottom, true, focusRing_);
  CreateGradientBitmap(w - 2, h - 2, QColor::fromRgb(kHotTop), QColor::fromRgb(kHotBottom), kGradientColors,
                       kTopToBottom, true, hotRing_);
  canvas_ = QImage(std::max(w, 1), std::max(h, 1), QImage::Format_RGB32);
  ++gradientBuilds_;
}

void TJvXPCustomButton::resizeEvent(QResizeEvent* event) {
  TJvXPCustomStyleControl::resizeEvent(event);
  rebuildGradients();
  changed();
}

void TJvXPCustomButton::Click() {
  QPointer<QAction> action = action_;
  QPointer<TJvXPCustomButton> alive(this);
  TJvXPCustomStyleControl::Click();
  if (alive && action) action->trigger();
}

void TJvXPCustomButton::updateAccelerator() {
  if (shortcutId_ != 0) {
    releaseShortcut(shortcutId_);
    shortcutId_ = 0;
  }
  if (!showAccelChar_) return;
  if (accelChar(Caption()).isNull()) return;
  shortcutId_ = grabShortcut(QKeySequence::mnemonic(Caption()));
}

void TJvXPCustomButton::watchForm() {
  QWidget* form = window();
  if (form == this || form == watchedForm_) return;
  if (watchedForm_) watchedForm_->removeEventFilter(this);
  watchedForm_ = form;
  if (watchedForm_) watchedForm_->installEventFilter(this);
}

bool TJvXPCustomButton::dialogKey(int key, Qt::KeyboardModifiers modifiers) {
  if (!CanFocus()) return false;
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    if (hasFocus() || (default_ && !IsSibling())) {
      Click();
      return true;
    }
  } else if (key == Qt::Key_Escape) {
    if (cancel_ && !(modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier))) {
      Click();
      return true;
    }
  }
  return false;
}

bool TJvXPCustomButton::eventFilter(QObject* watched, QEvent* event) {
  // Keys the focused control left alone reach the form: Enter for the default button, Escape
  // for the cancel button.
  if (watched == watchedForm_ && event->type() == QEvent::KeyPress && (default_ || cancel_)) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (dialogKey(key->key(), key->modifiers())) return true;
  }
  return TJvXPCustomStyleControl::eventFilter(watched, event);
}

bool TJvXPCustomButton::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::Shortcut: {
      auto* shortcut = static_cast<QShortcutEvent*>(event);
      if (shortcut->shortcutId() == shortcutId_ && CanFocus()) {
        Click();
        return true;
      }
      break;
    }
    case QEvent::ParentChange:
    case QEvent::Show:
      if (default_ || cancel_) watchForm();
      break;
    default:
      break;
  }
  return TJvXPCustomStyleControl::event(event);
}

void TJvXPCustomButton::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
    if (!event->isAutoRepeat()) {
      setDrawFlag(dsHot, true);
      pressDown();
    }
    event->accept();
    return;
  }
  if (dialogKey(key, event->modifiers())) {
    event->accept();
    return;
  }
  const QChar accel = showAccelChar_ ? accelChar(Caption()) : QChar();
  if (!accel.isNull() && CanFocus() && event->text().size() == 1 &&
      event->text().at(0).toUpper() == accel.toUpper() && (hasFocus() || (event->modifiers() & Qt::AltModifier))) {
    Click();
    event->accept();
    return;
  }
  TJvXPCustomStyleControl::keyPressEvent(event);
}

void TJvXPCustomButton::keyReleaseEvent(QKeyEvent* event) {
  if (event->isAutoRepeat() || !IsPressed()) {
    TJvXPCustomStyleControl::keyReleaseEvent(event);
    return;
  }
  if (!PointerOver()) setDrawFlag(dsHot, false);
  setDrawFlag(dsPressed, false);
  requestRepaint();
  event->accept();
  Click();
}

}  // namespace zendrift::widgets
