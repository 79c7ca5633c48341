// The GDI painter against the in-memory one: our controls' shared drawing gives the same pixels
// on Windows as the drawing that the shared tests check, text aside (fonts differ by platform).
#include <windows.h>

#include <gtest/gtest.h>

#include "gui/win32/gdi_painter.h"
#include "image_painter.h"
#include "window_test_support.h"
#include "ui/button_paint.h"
#include "ui/check_cells.h"

namespace zendrift::win32 {
namespace {

constexpr ui::Color kBackground = ui::Color::rgb(0xD4D0C8);

using testing::DibTarget;

// Paints a captionless styled button both ways; the pixels must agree everywhere.
void expectSameButton(const ui::ButtonStatus& status, bool showFocusRect, const char* what) {
  const ui::Size size{73, 21};
  const ui::ButtonCaption caption{""};
  ui::ButtonPaint button;
  button.size = size;
  button.status = status;
  button.showFocusRect = showFocusRect;
  button.caption = &caption;
  button.colors = {kBackground, ui::Color::rgb(0), ui::Color::rgb(0xFFFFFF), ui::Color::rgb(0x9F9F9F)};
  const ui::ButtonGradients gradients = ui::buttonGradients(size);

  ui::Image memory(size.width, size.height, kBackground);
  zendrift::testing::ImagePainter imagePainter(memory);
  ui::paintButton(imagePainter, button, gradients, ui::placeCaption(imagePainter, size, caption, {}));

  DibTarget dib(size.width, size.height);
  GdiFontCache fonts;
  {
    GdiPainter painter(dib.dc(), fonts);
    painter.fillRect({0, 0, size.width, size.height}, kBackground);
    ui::paintButton(painter, button, gradients, ui::placeCaption(painter, size, caption, {}));
  }
  int differing = 0;
  for (int y = 0; y < size.height; ++y) {
    for (int x = 0; x < size.width; ++x) {
      if (dib.rgb(x, y) != (memory.row(y)[x] & 0xFFFFFFu) && differing++ < 5)
        ADD_FAILURE() << what << ": pixel " << x << "," << y << " is " << std::hex << dib.rgb(x, y) << ", not "
                      << (memory.row(y)[x] & 0xFFFFFFu);
    }
  }
  EXPECT_EQ(differing, 0) << what;
}

TEST(GdiPainter, StyledButtonsHaveTheSharedPixelsInEveryState) {
  expectSameButton({}, false, "normal");
  expectSameButton({.hot = true, .pointerOver = true}, false, "hot");
  expectSameButton({.hot = true, .pressed = true, .pointerOver = true}, false, "pressed");
  expectSameButton({.focused = true, .siblingActive = true}, true, "focused, with the dotted rectangle");
  expectSameButton({.enabled = false, .canFocus = false}, false, "disabled");
}

TEST(GdiPainter, ImagesKeepTheirTransparentPixelsOutAndCutToTheirSource) {
  ui::Image image(4, 2, ui::Color::rgb(0x112233));
  image.setPixel(1, 0, ui::Color{0x00FF0000u});  // transparent: the ground shows
  image.setPixel(2, 0, ui::Color{0x80FFFFFFu});  // half white over the ground
  DibTarget dib(8, 4);
  GdiFontCache fonts;
  {
    GdiPainter painter(dib.dc(), fonts);
    painter.fillRect({0, 0, 8, 4}, ui::Color::rgb(0x000000));
    painter.drawImage({2, 1}, image);
    painter.drawImage({0, 3}, ui::checkCell(ui::CheckKind::checkBoxes, ui::CheckState::checked, true, kBackground), {0, 0, 2, 1});
  }
  EXPECT_EQ(dib.rgb(2, 1), 0x112233u);
  EXPECT_EQ(dib.rgb(3, 1), 0x000000u);
  EXPECT_NEAR(static_cast<double>(dib.rgb(4, 1) & 0xFF), 128.0, 1.0);
  EXPECT_EQ(dib.rgb(5, 2), 0x112233u);
  EXPECT_EQ(dib.rgb(6, 1), 0x000000u);  // right of the image
  EXPECT_EQ(dib.rgb(2, 3), 0x000000u);  // only two pixels of the cell's first row
}

}  // namespace
}  // namespace zendrift::win32
