// The state image's picture-by-state machine: which of its five pictures shows as the pointer
// enters, leaves, presses and clicks.
//
// It knows only which pictures hold a graphic; the glue shows the picture of the state passed
// to `show` and raises its own events.
#pragma once

#include <array>
#include <cstddef>
#include <functional>

namespace zendrift::ui {

enum class PictureState { normal, entered, clicked1, clicked2, down };

class StateImageMachine {
 public:
  // Called with the state whose picture is now to be shown.
  std::function<void(PictureState)> show;
  // Raised after every attempt to show a state, shown or not.
  std::function<void()> onStateChanged;

  PictureState state() const noexcept { return state_; }
  int clickCount() const noexcept { return clickCount_; }
  bool pointerOver() const noexcept { return pointerOver_; }

  // Which pictures hold a graphic, by state (the default picture's first).
  void setHeld(const std::array<bool, 5>& held) noexcept { held_ = held; }
  // A state picture changed: shows the current state again, when any state picture is set.
  void statePicturesChanged();
  // True when any of the four state pictures holds a graphic; only then does the state change.
  bool anyStatePicture() const noexcept;

  // Shows `state` when its picture holds a graphic; raises onStateChanged in every case.
  void setState(PictureState state);

  // Pointer events. pointerEntered and pointerLeft return false when ignored (already over, or
  // not over); the glue raises its enter and leave events only otherwise.
  bool pointerEntered();
  bool pointerLeft();
  void pressed();
  // A left-button release inside the image: the click comes before the release.
  void clicked();
  // Any button released at (x, y) on an image of `width` x `height`.
  void released(int x, int y, int width, int height);

 private:
  void stateByClickCount();
  bool holds(PictureState state) const noexcept { return held_[static_cast<std::size_t>(state)]; }

  std::array<bool, 5> held_{};
  PictureState state_ = PictureState::normal;
  int clickCount_ = 0;
  bool pointerOver_ = false;
};

}  // namespace zendrift::ui
