// The state image's picture-by-state machine.
#include "ui/state_image_machine.h"

namespace zendrift::ui {

void StateImageMachine::statePicturesChanged() {
  if (anyStatePicture()) setState(state_);
}

bool StateImageMachine::anyStatePicture() const noexcept {
  return holds(PictureState::entered) || holds(PictureState::clicked1) || holds(PictureState::clicked2) || holds(PictureState::down);
}

void StateImageMachine::setState(PictureState state) {
  if (holds(state)) {
    state_ = state;
    if (show) show(state);
  }
  if (onStateChanged) onStateChanged();
}

void StateImageMachine::stateByClickCount() {
  switch (clickCount_) {
    case 1:
    case 2: {
      const PictureState wanted = clickCount_ == 1 ? PictureState::clicked1 : PictureState::clicked2;
      setState(wanted);
      if (state_ != wanted) {
        clickCount_ = 0;
        setState(PictureState::normal);
      }
      break;
    }
    default:
      setState(PictureState::normal);
      clickCount_ = 0;
      break;
  }
}

bool StateImageMachine::pointerEntered() {
  if (pointerOver_) return false;
  if (anyStatePicture()) setState(PictureState::entered);
  pointerOver_ = true;
  return true;
}

bool StateImageMachine::pointerLeft() {
  if (!pointerOver_) return false;
  if (anyStatePicture()) stateByClickCount();
  pointerOver_ = false;
  return true;
}

void StateImageMachine::pressed() {
  if (anyStatePicture()) setState(PictureState::down);
}

void StateImageMachine::clicked() {
  if (!anyStatePicture()) return;
  ++clickCount_;
  stateByClickCount();
}

void StateImageMachine::released(int x, int y, int width, int height) {
  if (!anyStatePicture() || state_ == PictureState::clicked1 || state_ == PictureState::clicked2) return;
  if (x > 0 && x < width && y > 0 && y < height) {
    setState(PictureState::entered);
    if (state_ != PictureState::entered) stateByClickCount();
  } else {
    stateByClickCount();
  }
}

}  // namespace zendrift::ui
