// The styled push button's look per state.
#include "ui/button_look.h"

namespace zendrift::ui {

bool ringShown(const ButtonStatus& status, bool ignoreDefault) noexcept {
  bool ring = status.pressed ? !status.pointerOver : (status.hot || status.focused);
  if (!ignoreDefault && status.isDefault && status.canFocus && !status.siblingActive) ring = true;
  return ring;
}

ButtonLook buttonLook(const ButtonStatus& status) noexcept {
  ButtonLook look;
  if (ringShown(status, false)) {
    look.ring = status.hot ? Ring::hot : Ring::focus;
    look.faceInset = 3;
  }
  look.pressedFace = status.hot && status.pressed;
  look.captionOffset = look.pressedFace ? 1 : 0;
  look.border = status.enabled ? kBorder : kBorderDisabled;
  look.corner = status.enabled ? kCorner : kCornerDisabled;
  look.embossed = !status.enabled;
  return look;
}

}  // namespace zendrift::ui
