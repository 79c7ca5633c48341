// Where the window goes: the design place where it fits, else the middle of the work area, and
// saved bounds kept within it; on a large screen, a small laptop screen and a screen at 200 %.
#include <gtest/gtest.h>

#include "ui/window_layout.h"
#include "ui/window_placement.h"

namespace zendrift::ui {
namespace {

constexpr Size kDesignOuter{kDesignBounds.width, kDesignBounds.height};

TEST(WindowPlacement, DesignPlaceOnlyWhereTheWholeWindowFitsElseCentredOnTheWorkArea) {
  // 1920 x 1080 with a 30-pixel panel: the design place fits.
  EXPECT_EQ(designPlacement(kDesignOuter, kMinimumSize, {0, 0, 1920, 1050}), kDesignBounds);
  // 1366 x 768: the design place would put the list and the buttons below the edge.
  EXPECT_EQ(designPlacement(kDesignOuter, kMinimumSize, {0, 0, 1366, 768}), (Rect{383, 150, 600, 467}));
  // A panel on the left and at the top: centred on what is left.
  EXPECT_EQ(designPlacement(kDesignOuter, kMinimumSize, {48, 32, 1318, 736}), (Rect{407, 166, 600, 467}));
  // Qt at a scale of 2 on 1280 x 1024: a 640 x 512 screen of its own pixels.
  EXPECT_EQ(designPlacement(kDesignOuter, kMinimumSize, {0, 0, 640, 512}), (Rect{20, 22, 600, 467}));
  // The Win32 window at 192 dpi on 1280 x 1024, its frame 16 x 39: the window grows, the place
  // does not, and centred it is wholly on the screen.
  const Size doubled{2 * 592 + 16, 2 * 433 + 39};
  EXPECT_EQ(designPlacement(doubled, {2 * 592 + 16, 2 * 366 + 39}, {0, 0, 1280, 984}), (Rect{40, 39, 1200, 905}));
}

TEST(WindowPlacement, AWindowLargerThanTheWorkAreaIsCutToItButNotBelowItsMinimum) {
  const Size doubled{2 * 592 + 16, 2 * 433 + 39};
  const Size doubledMinimum{2 * 592 + 16, 2 * 366 + 39};
  // A work area 800 high at 200 %: cut to the area's height.
  EXPECT_EQ(designPlacement(doubled, doubledMinimum, {0, 0, 1280, 800}), (Rect{40, 0, 1200, 800}));
  // Smaller than even the minimum: the minimum, at the area's top-left corner.
  EXPECT_EQ(designPlacement(doubled, doubledMinimum, {10, 20, 1024, 700}), (Rect{10, 20, 1200, 771}));
}

TEST(WindowPlacement, SavedBoundsMoveOnlyAsFarAsTheWorkAreaNeeds) {
  const Rect area{0, 0, 1366, 740};
  EXPECT_EQ(fittedToWorkArea({100, 80, 700, 500}, kMinimumSize, area), (Rect{100, 80, 700, 500}));
  // Off the right and bottom edges (saved on a larger screen): moved in, keeping their size.
  EXPECT_EQ(fittedToWorkArea({1200, 600, 700, 500}, kMinimumSize, area), (Rect{666, 240, 700, 500}));
  // Off the left and top, and larger than the screen: cut to it.
  EXPECT_EQ(fittedToWorkArea({-300, -50, 2000, 900}, kMinimumSize, area), (Rect{0, 0, 1366, 740}));
  // Smaller than the minimum: the minimum.
  EXPECT_EQ(fittedToWorkArea({10, 10, 200, 100}, kMinimumSize, area), (Rect{10, 10, 600, 400}));
}

}  // namespace
}  // namespace zendrift::ui
