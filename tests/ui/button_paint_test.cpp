// The styled button shared by both windows: its look per state, its draw state under pointer,
// keys and focus, and its pixels painted into memory.
#include <gtest/gtest.h>

#include "image_painter.h"
#include "ui/button_paint.h"
#include "ui/check_cells.h"
#include "ui/control_draw_state.h"

namespace zendrift::ui {
namespace {

using testing::ImagePainter;

constexpr Color kBackground = Color::rgb(0xD4D0C8);
// The face of a 73 x 21 button, rows 1 to 19, and the focus ring's rows.
constexpr std::uint32_t kFaceRows[] = {0xFFFFFF, 0xFEFEFD, 0xFDFDFC, 0xFCFCFB, 0xFBFBFA, 0xFBFAF9, 0xFAF9F7,
                                       0xF9F7F6, 0xF8F6F5, 0xF7F5F4, 0xF6F4F2, 0xF6F3F1, 0xF5F2EF, 0xF4F1EE,
                                       0xF3F0ED, 0xF2EFEC, 0xF1EEEA, 0xF1EDE9, 0xF0ECE8};
constexpr std::uint32_t kFocusRows[] = {0xCEE7FF, 0xC8E1FE, 0xC3DCFD, 0xBFD7FC, 0xB8D1FB, 0xB4CCFB, 0xAFC8FA,
                                        0xA9C1F9, 0xA4BDF8, 0xA0B8F7, 0x9AB2F6, 0x95ADF6, 0x8FA7F5, 0x8AA2F4,
                                        0x869DF3, 0x7F97F2, 0x7B92F1, 0x768DF1, 0x7087F0};

std::uint32_t rgb(const Image& image, int x, int y) { return image.row(y)[x] & 0xFFFFFFu; }

// A "Start Scan" button painted into memory in the given state.
struct Painted {
  Image image{73, 21};
  std::vector<ImagePainter::TextCall> texts;
};
Painted paint(const ButtonStatus& status, bool showFocusRect = false) {
  Painted result;
  ImagePainter painter(result.image);
  const ButtonCaption caption{"&Start Scan"};
  ButtonPaint button;
  button.size = {73, 21};
  button.status = status;
  button.showFocusRect = showFocusRect;
  button.caption = &caption;
  button.colors = {kBackground, Color::rgb(0x000000), Color::rgb(0xFFFFFF), Color::rgb(0x9F9F9F)};
  const ButtonGradients gradients = buttonGradients(button.size);
  paintButton(painter, button, gradients, placeCaption(painter, button.size, caption, {}));
  result.texts = painter.texts();
  return result;
}

TEST(ButtonPaint, NormalButtonHasTheFaceARoundedBorderAndACentredCaption) {
  const Painted p = paint({});
  for (int y = 1; y < 20; ++y) EXPECT_EQ(rgb(p.image, 36, y), kFaceRows[y - 1]) << y;
  EXPECT_EQ(rgb(p.image, 0, 0), 0xD4D0C8u);  // the corner pixel stays background
  EXPECT_EQ(rgb(p.image, 1, 0), 0x7B9EADu);  // softened corner
  EXPECT_EQ(rgb(p.image, 0, 1), 0x7B9EADu);
  EXPECT_EQ(rgb(p.image, 2, 0), 0x003873u);
  EXPECT_EQ(rgb(p.image, 72, 10), 0x003873u);
  EXPECT_EQ(rgb(p.image, 71, 20), 0x7B9EADu);  // (W - 3, H) to (W, H - 3)
  ASSERT_EQ(p.texts.size(), 1u);
  // 11 characters of 6 pixels, one 13-pixel line, centred in 73 x 21.
  EXPECT_EQ(p.texts[0].rect, (Rect{3, 4, 66, 13}));
  EXPECT_EQ(p.texts[0].color, Color::rgb(0x000000));
  EXPECT_EQ(p.texts[0].flags & kTextNoPrefix, 0u);  // "&" underlines the S
}

TEST(ButtonPaint, FocusShowsATwoPixelRingAroundTheSmallerFace) {
  ButtonStatus status;
  status.focused = true;
  const Painted p = paint(status, true);
  for (int y = 1; y < 3; ++y) EXPECT_EQ(rgb(p.image, 36, y), kFocusRows[y - 1]) << y;
  for (int y = 18; y < 20; ++y) EXPECT_EQ(rgb(p.image, 36, y), kFocusRows[y - 1]) << y;
  EXPECT_EQ(rgb(p.image, 36, 4), kFaceRows[1]);   // the face at (3, 3), its top-left part
  // The dotted focus rectangle at (3, 3): pixels where x + y is even are inverted.
  EXPECT_EQ(rgb(p.image, 3, 3), kFaceRows[0] ^ 0xFFFFFFu);
  EXPECT_EQ(rgb(p.image, 4, 3), kFaceRows[0]);
}

TEST(ButtonPaint, HotAndPressedShowsThePressedFaceAndMovesTheCaption) {
  ButtonStatus status;
  status.hot = status.pressed = status.pointerOver = status.focused = true;
  const Painted p = paint(status);
  EXPECT_EQ(rgb(p.image, 36, 1), 0xD6CFC6u);
  EXPECT_EQ(rgb(p.image, 2, 2), rgb(p.image, 36, 2));  // no ring around it
  ASSERT_EQ(p.texts.size(), 1u);
  EXPECT_EQ(p.texts[0].rect, (Rect{4, 5, 66, 13}));
}

TEST(ButtonPaint, DisabledButtonHasAGreyBorderAndAnEmbossedCaption) {
  ButtonStatus status;
  status.enabled = false;
  status.canFocus = false;
  status.isDefault = true;  // a disabled default button shows no ring either
  const Painted p = paint(status);
  EXPECT_EQ(rgb(p.image, 2, 0), 0xCEC7BDu);
  EXPECT_EQ(rgb(p.image, 1, 0), 0xCEC7BDu);
  EXPECT_EQ(rgb(p.image, 36, 1), kFaceRows[0]);
  ASSERT_EQ(p.texts.size(), 2u);
  EXPECT_EQ(p.texts[0].rect, (Rect{4, 5, 66, 13}));
  EXPECT_EQ(p.texts[0].color, Color::rgb(0xFFFFFF));
  EXPECT_EQ(p.texts[1].rect, (Rect{3, 4, 66, 13}));
  EXPECT_EQ(p.texts[1].color, Color::rgb(0x9F9F9F));
}

TEST(ButtonLook, RingFaceAndBorderPerState) {
  struct Case {
    const char* name;
    ButtonStatus status;
    Ring ring;
    bool pressedFace;
    int faceInset;
  };
  ButtonStatus hot, focused, pressedOff, pressedOver, defaultIdle, defaultBesideStyled;
  hot.hot = hot.pointerOver = true;
  focused.focused = true;
  pressedOff.pressed = pressedOff.focused = true;  // pressed, then the pointer left
  pressedOver.pressed = pressedOver.hot = pressedOver.pointerOver = true;
  defaultIdle.isDefault = true;
  defaultBesideStyled.isDefault = defaultBesideStyled.siblingActive = true;
  const Case cases[] = {
      {"idle", {}, Ring::none, false, 1},
      {"hot", hot, Ring::hot, false, 3},
      {"focused", focused, Ring::focus, false, 3},
      {"pressed and dragged off", pressedOff, Ring::focus, false, 3},
      {"pressed under the pointer", pressedOver, Ring::none, true, 1},
      {"default, no styled control active", defaultIdle, Ring::focus, false, 3},
      {"default beside an active styled control", defaultBesideStyled, Ring::none, false, 1},
  };
  for (const Case& c : cases) {
    const ButtonLook look = buttonLook(c.status);
    EXPECT_EQ(look.ring, c.ring) << c.name;
    EXPECT_EQ(look.pressedFace, c.pressedFace) << c.name;
    EXPECT_EQ(look.faceInset, c.faceInset) << c.name;
    EXPECT_EQ(look.captionOffset, c.pressedFace ? 1 : 0) << c.name;
    EXPECT_EQ(look.border, kBorder) << c.name;
  }
  EXPECT_FALSE(ringShown(defaultIdle, true));  // the gradients' size ignores the default
}

TEST(ControlDrawState, PointerButtonKeysAndFocus) {
  ControlDrawState state;
  EXPECT_FALSE(state.pointerEntered(false));  // a disabled control takes no pointer input
  EXPECT_TRUE(state.pointerEntered(true));
  EXPECT_FALSE(state.pointerEntered(true));
  state.pressDown();
  EXPECT_EQ(state.flags(), DrawStateFlag::hot | DrawStateFlag::pressed);
  EXPECT_TRUE(state.pointerLeft());
  // Released outside: the press ends without a click.
  auto release = state.release(true, false);
  EXPECT_TRUE(release.ended);
  EXPECT_FALSE(release.click);
  EXPECT_FALSE(state.release(true, true).ended);  // no press to end
  state.pointerEntered(true);
  state.pressDown();
  EXPECT_TRUE(state.release(true, true).click);
  state.pressDown();
  EXPECT_FALSE(state.release(false, true).click);  // only the left button clicks

  // The space bar: hot and pressed; its release clicks and, with the pointer away, clears hot.
  state.pointerLeft();
  state.set(DrawStateFlag::hot, true);
  state.pressDown();
  EXPECT_TRUE(state.keyReleased());
  EXPECT_EQ(state.flags(), 0u);
  EXPECT_FALSE(state.keyReleased());

  state.focusMoved(true, true);
  state.pressDown();
  EXPECT_TRUE(state.focused());
  EXPECT_TRUE(state.sibling());
  state.focusMoved(false, false);  // losing the focus drops a press
  EXPECT_EQ(state.flags(), 0u);
  state.pointerEntered(true);
  state.pressDown();
  state.disabled();
  EXPECT_FALSE(state.pointerOver());
  EXPECT_FALSE(state.pressing());
  EXPECT_EQ(state.flags(), 0u);
}

TEST(CheckCells, BoxesSitCentredAndMagentaTakesTheBackground) {
  const Image& images = checkImages();
  ASSERT_EQ(images.size(), (Size{96, 39}));
  for (int column = 0; column < 6; ++column) {
    int minX = 99, minY = 99, maxX = -1, maxY = -1;
    for (int y = 0; y < kCheckCellHeight; ++y) {
      for (int x = 0; x < kCheckCellWidth; ++x) {
        if (images.pixel(column * kCheckCellWidth + x, y) == kCheckTransparent) continue;
        minX = std::min(minX, x), minY = std::min(minY, y), maxX = std::max(maxX, x), maxY = std::max(maxY, y);
      }
    }
    EXPECT_EQ((Rect{minX, minY, maxX - minX + 1, maxY - minY + 1}), kCheckBoxRect) << column;
  }
  const Image cell = checkCell(ui::CheckKind::checkBoxes, ui::CheckState::checked, true, Color::rgb(0x00FFFF));
  EXPECT_EQ(cell.pixel(15, 12), Color::rgb(0x00FFFF));
  EXPECT_EQ(cell.pixel(4, 6), Color::rgb(0x000000));  // on the tick
  EXPECT_EQ(checkCellRect({0, 0, kCheckAreaWidth, 13}), (Rect{1, 0, 16, 13}));
}

}  // namespace
}  // namespace zendrift::ui
