// The logo drawn for a denser screen: its shapes where the picture has them, its edges smooth
// (shades between a shape and the ground, which enlarged pixels never have).
#include <gtest/gtest.h>

#include <set>

#include "ui/logo_drawing.h"

namespace zendrift::ui {
namespace {

TEST(LogoDrawing, TwiceTheSizeKeepsTheShapesAndSmoothsTheSlantedStroke) {
  const Image logo = drawnLogo({2 * kLogoSize.width, 2 * kLogoSize.height});
  ASSERT_EQ(logo.size(), (Size{106, 66}));
  EXPECT_EQ(logo.pixel(0, 0), Color::rgb(0xFFFFFF));
  EXPECT_EQ(logo.pixel(2 * 17, 2 * 6), Color::rgb(0x505050));   // the Z's top bar
  EXPECT_EQ(logo.pixel(2 * 40, 2 * 10), Color::rgb(0x8C8C8C));  // the first drift line
  // Along the stroke's slanted edges, shades the picture's four colours do not have.
  std::set<std::uint32_t> shades;
  for (int y = 2 * 9; y < 2 * 24; ++y) {
    for (int x = 2 * 6; x < 2 * 30; ++x) shades.insert(logo.pixel(x, y).argb);
  }
  EXPECT_GT(shades.size(), 4u);
  for (const std::uint32_t shade : shades) {
    const Color c{shade};
    EXPECT_TRUE(c.red() == c.green() && c.green() == c.blue() && c.red() >= 0x50) << std::hex << shade;
  }
}

}  // namespace
}  // namespace zendrift::ui
