// The draw state of a styled control and its notifications.
#include "ui/control_draw_state.h"

namespace zendrift::ui {

void ControlDrawState::set(DrawStateFlag flag, bool on) noexcept {
  if (on) {
    flags_ |= static_cast<DrawState>(flag);
  } else {
    flags_ &= ~static_cast<DrawState>(flag);
  }
}

bool ControlDrawState::pointerEntered(bool enabled) noexcept {
  if (pointerOver_ || !enabled) return false;
  pointerOver_ = true;
  set(DrawStateFlag::hot, true);
  return true;
}

bool ControlDrawState::pointerLeft() noexcept {
  if (!pointerOver_) return false;
  pointerOver_ = false;
  set(DrawStateFlag::hot, false);
  return true;
}

void ControlDrawState::pressDown() noexcept {
  pressing_ = true;
  set(DrawStateFlag::pressed, true);
}

ControlDrawState::Release ControlDrawState::release(bool leftButton, bool inside) noexcept {
  if (!pressing_) return {};
  pressing_ = false;
  const bool wasPressed = pressed();
  set(DrawStateFlag::pressed, false);
  return {true, leftButton && wasPressed && inside};
}

bool ControlDrawState::keyReleased() noexcept {
  if (!pressed()) return false;
  if (!pointerOver_) set(DrawStateFlag::hot, false);
  set(DrawStateFlag::pressed, false);
  return true;
}

void ControlDrawState::focusMoved(bool focused, bool siblingActive) noexcept {
  set(DrawStateFlag::focused, focused);
  if (!focused) set(DrawStateFlag::pressed, false);
  sibling_ = siblingActive;
}

void ControlDrawState::disabled() noexcept {
  pointerOver_ = false;
  pressing_ = false;
  set(DrawStateFlag::hot, false);
  set(DrawStateFlag::pressed, false);
}

}  // namespace zendrift::ui
