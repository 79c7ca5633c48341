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

TEST(CheckListPaint, OnAScreenOfTwiceTheDensityTheCellIsDrawnAtTwiceItsSizeAndStaysSharp) {
  const Color cyan = Color::rgb(0x00FFFF), grey = Color::rgb(0x808080), white = Color::rgb(0xFFFFFF);
  EXPECT_EQ(checkCellSize(2.0), (Size{32, 26}));
  EXPECT_EQ(checkAreaWidth(2.0), 36);
  EXPECT_EQ(checkAreaWidth(1.5), 27);
  // At the design's size, and any scale that rounds to it, the bitmap's cell pixel for pixel.
  for (const double scale : {1.0, 1.02}) {
    EXPECT_EQ(checkCell(CheckKind::checkBoxes, CheckState::checked, true, cyan, scale),
              checkCell(CheckKind::checkBoxes, CheckState::checked, true, cyan));
  }

  const Image cell = checkCell(CheckKind::checkBoxes, CheckState::checked, true, cyan, 2.0);
  ASSERT_EQ(cell.size(), (Size{32, 26}));
  // The 11-pixel box is 22 pixels, its one-pixel frame two whole pixels: no blur at its edges.
  EXPECT_EQ(cell.pixel(3, 13), cyan);
  EXPECT_EQ(cell.pixel(4, 13), grey);
  EXPECT_EQ(cell.pixel(5, 13), grey);
  EXPECT_EQ(cell.pixel(6, 13), white);
  EXPECT_EQ(cell.pixel(25, 2), grey);
  EXPECT_EQ(cell.pixel(26, 2), cyan);
  EXPECT_EQ(cell.pixel(15, 23), grey);
  EXPECT_EQ(cell.pixel(15, 24), cyan);
  // The tick is drawn at the size, black in its middle with smoothed edges, not doubled pixels.
  EXPECT_EQ(cell.pixel(13, 16), Color::rgb(0x000000));
  int smoothed = 0;
  for (const std::uint32_t pixel : cell.pixels) {
    const Color c{pixel};
    smoothed += c.red() == c.green() && c.green() == c.blue() && c.red() > 0 && c.red() < 0xFF && c != grey;
  }
  EXPECT_GT(smoothed, 10);

  // A line at that scale: a 36-pixel check area with the cell centred, the text after it.
  Image image(200, 26, Color::rgb(0x123456));
  ImagePainter painter(image);
  CheckListLook doubled = look();
  doubled.scale = 2.0;
  const CheckLine line{"C:\\Game.lnk", CheckKind::checkBoxes, CheckState::checked, true, false, false};
  paintCheckLine(painter, {0, 0, 200, 26}, line, doubled);
  EXPECT_EQ(lineParts({0, 0, 200, 26}, false, 2.0).cell, (Rect{2, 0, 32, 26}));
  EXPECT_EQ(image.pixel(2 + 4, 13), grey);
  EXPECT_EQ(painter.texts()[0].rect.left, 38);
}

}  // namespace
}  // namespace zendrift::ui
