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

// How far apart two colours stand for the eye: the ratio of their relative luminances (each plus
// 0.05), from 1 (the same) to 21 (black on white), as the accessibility guidelines measure it.
double contrastRatio(Color a, Color b) noexcept;

// The face a caption is drawn on: its gradient's two ends.
struct Face {
  Color top, bottom;
};
inline constexpr Face kFace{kFaceTop, kFaceBottom}, kPressedFace{kPressedTop, kPressedBottom};

// The button draws its own light face whatever the desktop's colours, so a colour from the
// palette (white text of a dark theme) may vanish on it. Each of these keeps `ink` where it
// reads on `face` and otherwise gives what does:
// - the caption: a contrast of 4.5 or more, else black or white, whichever stands out more;
// - the disabled caption's shadow: a contrast of 2 or more (greyed, but legible), else the
//   classic grey #A0A0A0;
// - the disabled caption's highlight, an emboss one pixel behind: close to the face (a contrast
//   of 1.5 at most), else white.
Color captionInk(Color ink, Face face) noexcept;
Color disabledShadowInk(Color ink, Face face) noexcept;
Color disabledHighlightInk(Color ink, Face face) noexcept;

}  // namespace zendrift::ui
