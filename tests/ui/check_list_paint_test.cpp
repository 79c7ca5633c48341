// One result-list line drawn into memory: cell, selection, ink, focus, right-to-left.
#include <gtest/gtest.h>

#include "image_painter.h"
#include "ui/check_list_paint.h"

namespace zendrift::ui {
namespace {

using testing::ImagePainter;

CheckListLook look() {
  CheckListLook l;
  l.colors = {Color::rgb(0xFFFFFF), Color::rgb(0x000000), Color::rgb(0x000080), Color::rgb(0xFFFFF0),
              Color::rgb(0xD4D0C8), Color::rgb(0x101010), Color::rgb(0x808080), Color::rgb(0xC0C0C0)};
  l.listFocused = true;
  return l;
}

TEST(CheckListPaint, ASelectedFocusedCheckedLine) {
  Image image(200, 13, Color::rgb(0x123456));
  ImagePainter painter(image);
  paintCheckLine(painter, {0, 0, 200, 13}, {"/home/ann/Desktop/Game.lnk", ui::CheckKind::checkBoxes, ui::CheckState::checked, true, true, true},
                 look());
  EXPECT_EQ(image.pixel(0, 6), Color::rgb(0xFFFFFF));   // the check area is never highlighted
  EXPECT_EQ(image.pixel(1 + 4, 6), Color::rgb(0x000000));  // the tick of the cell centred at (1, 0)
  EXPECT_EQ(image.pixel(100, 6), Color::rgb(0x000080));
  EXPECT_EQ(image.pixel(18, 0), Color{Color::rgb(0x000080).argb ^ 0xFFFFFFu});  // focus rectangle, x + y even
  EXPECT_EQ(image.pixel(19, 0), Color::rgb(0x000080));
  ASSERT_EQ(painter.texts().size(), 1u);
  EXPECT_EQ(painter.texts()[0].rect, (Rect{20, 0, 180, 13}));
  EXPECT_EQ(painter.texts()[0].color, Color::rgb(0xFFFFF0));
  EXPECT_NE(painter.texts()[0].flags & kTextNoPrefix, 0u);  // paths keep their ampersands
}

TEST(CheckListPaint, InkOfDisabledGraySelectedAndRightToLeftLines) {
  const ListColors colors = look().colors;
  EXPECT_EQ(lineInk(true, false, true, false, colors).ink, Color::rgb(0xC0C0C0));
  EXPECT_EQ(lineInk(false, false, true, false, colors).ink, Color::rgb(0x808080));
  EXPECT_EQ(lineInk(true, true, false, true, colors).fill, Color::rgb(0xD4D0C8));
  EXPECT_EQ(lineInk(true, true, true, true, colors).fill, Color::rgb(0x000080));
  const LineParts parts = lineParts({0, 26, 200, 13}, true);
  EXPECT_EQ(parts.checkArea, (Rect{182, 26, 18, 13}));
  EXPECT_EQ(parts.cell, (Rect{183, 26, 16, 13}));
  EXPECT_EQ(parts.text, (Rect{0, 26, 182, 13}));
  // A text taller than the line starts at the line's top.
  EXPECT_EQ(textOrigin({0, 26, 200, 13}, parts.text, 16).y, 26);
  EXPECT_EQ(textOrigin({0, 26, 200, 17}, parts.text, 13).y, 28);
}

}  // namespace
}  // namespace zendrift::ui
