// Which look a styled push button has in each state: ring, face, border, corners and caption.
#pragma once

#include "ui/color.h"

namespace zendrift::ui {

// The button's own colours.
inline constexpr Color kFaceTop = Color::rgb(0xFFFFFF), kFaceBottom = Color::rgb(0xEFEBE7);
inline constexpr Color kPressedTop = Color::rgb(0xD6CFC6), kPressedBottom = Color::rgb(0xF7F3EB);
inline constexpr Color kFocusTop = Color::rgb(0xCEE7FF), kFocusBottom = Color::rgb(0x6D84EF);
inline constexpr Color kHotTop = Color::rgb(0xFFF3CE), kHotBottom = Color::rgb(0xE79600);
inline constexpr Color kBorder = Color::rgb(0x003873), kBorderDisabled = Color::rgb(0xCEC7BD);
inline constexpr Color kCorner = Color::rgb(0x7B9EAD), kCornerDisabled = Color::rgb(0xCEC7BD);

// What a paint reads of the button's state.
struct ButtonStatus {
  bool enabled = true;
  bool hot = false;
  bool pressed = false;
  bool focused = false;
  bool pointerOver = false;
  bool isDefault = false;      // the Default property
  bool canFocus = true;        // enabled, visible and a tab stop or click-focusable
  bool siblingActive = false;  // the window's active control is a styled control
};

// The coloured ring: pressed and dragged off, or hot, or focused; unless the default is ignored,
// also for a default button while no styled control is active.
bool ringShown(const ButtonStatus& status, bool ignoreDefault) noexcept;

enum class Ring { none, hot, focus };

struct ButtonLook {
  Ring ring = Ring::none;
  bool pressedFace = false;  // hot and pressed: the darker face, the caption one pixel down-right
  int faceInset = 1;         // where the face goes: 1, or 3 inside a ring
  Color border = kBorder;
  Color corner = kCorner;
  bool embossed = false;     // disabled caption: highlight one pixel down-right, then shadow
  int captionOffset = 0;     // 1 with the pressed face
};

ButtonLook buttonLook(const ButtonStatus& status) noexcept;

}  // namespace zendrift::ui
