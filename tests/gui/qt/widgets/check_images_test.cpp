// The check cell bitmap: its grid, its transparent colour and the marks in its cells.
#include <gtest/gtest.h>

#include "widget_test_support.h"
#include "gui/qt/widgets/check_images.h"

namespace zendrift::qt::widgets {
namespace {

using namespace zendrift::testing;

TEST(CheckImages, AreSixByThreeCellsOnMagenta) {
  ensureApplication();
  const QImage& images = checkImages();
  ASSERT_EQ(images.size(), QSize(96, 39));
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 6; ++column) {
      EXPECT_EQ(images.pixel(column * 16, row * 13), kCheckTransparentColor) << row << "," << column;
    }
  }
  saveArtefact(images.scaled(96 * 4, 39 * 4), QStringLiteral("check_images_x4"));
}

// The boxes of adjacent lines must not touch: each is a square centred in its cell, with the
// cell's top and bottom rows left transparent.
TEST(CheckImages, BoxesAreSquaresCentredInTheirCells) {
  ensureApplication();
  const QImage& images = checkImages();
  for (int column = 0; column < 6; ++column) {
    QRect drawn;
    for (int y = 0; y < kCheckCellHeight; ++y) {
      for (int x = 0; x < kCheckCellWidth; ++x) {
        if (images.pixel(column * kCheckCellWidth + x, y) != kCheckTransparentColor) drawn |= QRect(x, y, 1, 1);
      }
    }
    EXPECT_EQ(drawn, QRect(2, 1, 11, 11)) << column;
    EXPECT_EQ(drawn, kCheckBoxRect) << column;
  }
}

struct CellCase {
  ui::CheckKind kind;
  ui::CheckState state;
  bool enabled;
  QPoint probe;
  QRgb colour;
};

class CheckCell : public ::testing::TestWithParam<CellCase> {};

TEST_P(CheckCell, ShowsItsMarkOnItsFace) {
  ensureApplication();
  const CellCase& c = GetParam();
  const QImage cell = checkCell(c.kind, c.state, c.enabled, QColor(Qt::cyan));
  ASSERT_EQ(cell.size(), QSize(16, 13));
  EXPECT_EQ(QColor(cell.pixel(c.probe)).name(), QColor(c.colour).name());
  EXPECT_EQ(QColor(cell.pixel(15, 12)).name(), QColor(Qt::cyan).name());  // magenta became the background
}

// Probes: (4,6) lies on the tick of a box, (3,7) on the stroke of a check mark.
INSTANTIATE_TEST_SUITE_P(
    Cells, CheckCell,
    ::testing::Values(CellCase{ui::CheckKind::checkBoxes, ui::CheckState::unchecked, true, {4, 6}, 0xFFFFFFFF},
                      CellCase{ui::CheckKind::checkBoxes, ui::CheckState::checked, true, {4, 6}, 0xFF000000},
                      CellCase{ui::CheckKind::checkBoxes, ui::CheckState::unchecked, false, {4, 6}, 0xFFC0C0C0},
                      CellCase{ui::CheckKind::checkBoxes, ui::CheckState::checked, false, {4, 6}, 0xFF000000},
                      CellCase{ui::CheckKind::checkMarks, ui::CheckState::unchecked, true, {3, 7}, 0xFFFFFFFF},
                      CellCase{ui::CheckKind::checkMarks, ui::CheckState::checked, true, {3, 7}, 0xFF00A000},
                      CellCase{ui::CheckKind::checkMarks, ui::CheckState::checked, false, {12, 1}, 0xFF00A000}));

}  // namespace
}  // namespace zendrift::qt::widgets
