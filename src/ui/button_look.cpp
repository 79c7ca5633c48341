// The styled push button's look per state.
#include "ui/button_look.h"

#include <algorithm>
#include <cmath>

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

namespace {

double channel(int value) {
  const double c = value / 255.0;
  return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(Color c) { return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue()); }

// The contrast of `ink` with the face where it is weakest.
double leastContrast(Color ink, Face face) { return std::min(contrastRatio(ink, face.top), contrastRatio(ink, face.bottom)); }

constexpr Color kBlack = Color::rgb(0x000000), kWhite = Color::rgb(0xFFFFFF), kClassicShadow = Color::rgb(0xA0A0A0);

}  // namespace

double contrastRatio(Color a, Color b) noexcept {
  const double la = luminance(a);
  const double lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Color captionInk(Color ink, Face face) noexcept {
  if (leastContrast(ink, face) >= 4.5) return ink;
  return leastContrast(kBlack, face) >= leastContrast(kWhite, face) ? kBlack : kWhite;
}

Color disabledShadowInk(Color ink, Face face) noexcept {
  return leastContrast(ink, face) >= 2.0 ? ink : kClassicShadow;
}

Color disabledHighlightInk(Color ink, Face face) noexcept {
  const double far = std::max(contrastRatio(ink, face.top), contrastRatio(ink, face.bottom));
  return far <= 1.5 ? ink : kWhite;
}

}  // namespace zendrift::ui
