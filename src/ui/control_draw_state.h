// The draw state of a styled control (hot, pressed, focused) and how pointer, button, key and
// focus notifications change it. The toolkit glue feeds it events and repaints as it says.
#pragma once

namespace zendrift::ui {

enum class DrawStateFlag : unsigned { hot = 1u, pressed = 2u, focused = 4u };
using DrawState = unsigned;

constexpr DrawState operator|(DrawStateFlag a, DrawStateFlag b) noexcept {
  return static_cast<DrawState>(a) | static_cast<DrawState>(b);
}

class ControlDrawState {
 public:
  DrawState flags() const noexcept { return flags_; }
  bool hot() const noexcept { return has(DrawStateFlag::hot); }
  bool pressed() const noexcept { return has(DrawStateFlag::pressed); }
  bool focused() const noexcept { return has(DrawStateFlag::focused); }
  // Whether the pointer was last seen over the control.
  bool pointerOver() const noexcept { return pointerOver_; }
  // True from a left-button press on the control until the next release of a mouse button.
  bool pressing() const noexcept { return pressing_; }
  // True while the window's active control is itself a styled control.
  bool sibling() const noexcept { return sibling_; }

  void set(DrawStateFlag flag, bool on) noexcept;

  // The pointer entered: false (nothing changed) when it was already over or the control is
  // disabled, which takes no pointer input.
  bool pointerEntered(bool enabled) noexcept;
  // The pointer left: false when it was not over.
  bool pointerLeft() noexcept;
  // A left-button press, or the space bar on a button (which also sets hot first). The glue
  // gives the control the focus before, when it can take it.
  void pressDown() noexcept;
  // Any mouse button released; true when the release ends a press of this control (the glue
  // then turns the control under the pointer hot). `click` tells whether it clicks: the left
  // button, released inside over a pressed control.
  struct Release {
    bool ended = false;
    bool click = false;
  };
  Release release(bool leftButton, bool inside) noexcept;
  // Any key released while pressed (the space bar's press): clears pressed, and hot when the
  // pointer is not over; true when it clicks.
  bool keyReleased() noexcept;
  // The focus moved within the window: `focused` whether this control has it, `siblingActive`
  // whether the window's active control is a styled control.
  void focusMoved(bool focused, bool siblingActive) noexcept;
  // Disabled: nothing keeps a disabled control hot or pressed.
  void disabled() noexcept;

 private:
  bool has(DrawStateFlag flag) const noexcept { return (flags_ & static_cast<DrawState>(flag)) != 0; }

  DrawState flags_ = 0;
  bool pointerOver_ = false;
  bool pressing_ = false;
  bool sibling_ = false;
};

}  // namespace zendrift::ui
