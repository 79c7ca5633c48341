// The gradient builder: colour table, band edges, dither, strip replication, mulDiv.
#include <gtest/gtest.h>

#include <QImage>

#include "widget_test_support.h"
#include "gui/qt/widgets/button_caption.h"
#include "gui/qt/widgets/button_gradient.h"

namespace zendrift::qt::widgets {
namespace {

QString rowName(const QImage& image, int x, int y) { return QColor(image.pixel(x, y)).name().toUpper(); }

TEST(MulDiv, RoundsToNearestWithHalvesAwayFromZero) {
  struct Case {
    int a, b, c, expected;
  } cases[] = {{1, 19, 64, 0}, {2, 19, 64, 1}, {64, 19, 64, 19}, {3, 1, 2, 2},  {-3, 1, 2, -2},
               {5, 3, 2, 8},   {-5, 3, 2, -8}, {7, 1, -2, -4},   {4, 4, 0, -1}, {46341, 46341, 46341, 46341}};
  for (const Case& c : cases) EXPECT_EQ(mulDiv(c.a, c.b, c.c), c.expected) << c.a << "*" << c.b << "/" << c.c;
}

// The rows of the 71 x 19 face of a 73 x 21 button: 64 colours over 19 rows, each band's first
// row taking the previous colour.
TEST(Gradient, FaceRowsOfTheDefaultButton) {
  QImage face;
  createGradientBitmap(71, 19, QColor(0xFFFFFF), QColor(0xEFEBE7), 64, 1, true, face);
  ASSERT_EQ(face.size(), QSize(71, 19));
  EXPECT_EQ(face.depth(), 24);
  const char* expected[] = {"#FFFFFF", "#FEFEFD", "#FDFDFC", "#FCFCFB", "#FBFBFA", "#FBFAF9", "#FAF9F7",
                            "#F9F7F6", "#F8F6F5", "#F7F5F4", "#F6F4F2", "#F6F3F1", "#F5F2EF", "#F4F1EE",
                            "#F3F0ED", "#F2EFEC", "#F1EEEA", "#F1EDE9", "#F0ECE8"};
  for (int y = 0; y < 19; ++y) {
    EXPECT_EQ(rowName(face, 0, y), QString::fromLatin1(expected[y])) << "row " << y;
    EXPECT_EQ(rowName(face, 70, y), QString::fromLatin1(expected[y])) << "row " << y;
  }
}

TEST(Gradient, HalfwayStepsRoundToEven) {
  // Two colours 0 and 3 in 3 steps: 1.5 rounds to 2, and 0 to 1 in 5 steps gives halves at 0.5.
  QImage image;
  createGradientBitmap(1, 3, QColor(0, 0, 0), QColor(3, 1, 0), 3, 1, false, image);
  EXPECT_EQ(QColor(image.pixel(0, 1)), QColor(2, 0, 0));  // 1.5 -> 2, 0.5 -> 0
  createGradientBitmap(1, 5, QColor(0, 0, 0), QColor(10, 0, 0), 5, 1, false, image);
  EXPECT_EQ(QColor(image.pixel(0, 1)), QColor(2, 0, 0));  // 2.5 -> 2
  EXPECT_EQ(QColor(image.pixel(0, 3)), QColor(8, 0, 0));  // 7.5 -> 8
}

TEST(Gradient, LeftToRightStylesAndSwappedColours) {
  QImage image;
  createGradientBitmap(4, 20, QColor(0, 0, 0), QColor(30, 60, 90), 4, 0, false, image);
  EXPECT_EQ(QColor(image.pixel(0, 19)), QColor(0, 0, 0));
  EXPECT_EQ(QColor(image.pixel(3, 0)), QColor(30, 60, 90));
  EXPECT_EQ(QColor(image.pixel(3, 19)), QColor(30, 60, 90));  // rows below 16 are the strip again
  createGradientBitmap(4, 3, QColor(0, 0, 0), QColor(30, 60, 90), 4, 2, false, image);
  EXPECT_EQ(QColor(image.pixel(0, 0)), QColor(30, 60, 90));
  createGradientBitmap(3, 4, QColor(0, 0, 0), QColor(30, 60, 90), 4, 3, false, image);
  EXPECT_EQ(QColor(image.pixel(0, 0)), QColor(30, 60, 90));
  EXPECT_EQ(QColor(image.pixel(0, 3)), QColor(0, 0, 0));
}

TEST(Gradient, DitherStaysInsideBandsAndTheStripRepeats) {
  QImage image;
  createGradientBitmap(50, 400, QColor(0, 0, 0), QColor(0, 0, 200), 4, 1, true, image, 7);
  const int table[] = {0, 67, 133, 200};
  int ownColourRows = 0;
  for (int y = 0; y < 400; ++y) {
    for (int x = 16; x < 50; ++x) ASSERT_EQ(image.pixel(x, y), image.pixel(x % 16, y)) << x << "," << y;
    // A row of band i holds colour i, or colour i - 1 scattered into it.
    const int band = y / 100;
    const int blue = qBlue(image.pixel(0, y));
    if (band == 0) {
      EXPECT_EQ(blue, 0) << y;
    } else {
      EXPECT_TRUE(blue == table[band] || blue == table[band - 1]) << y << ": " << blue;
    }
    ownColourRows += blue == table[band];
  }
  // The first row of every later band takes the previous colour; most rows keep their own.
  for (int band = 1; band < 4; ++band) EXPECT_EQ(qBlue(image.pixel(0, band * 100)), table[band - 1]);
  EXPECT_GT(ownColourRows, 150);
}

TEST(Gradient, EmptySizesGiveAnEmptyBitmap) {
  QImage image;
  createGradientBitmap(0, 19, QColor(0xFFFFFF), QColor(Qt::black), 64, 1, true, image);
  EXPECT_EQ(image.width(), 0);
  createGradientBitmap(-4, 19, QColor(0xFFFFFF), QColor(Qt::black), 64, 1, true, image);
  EXPECT_EQ(image.width(), 0);
}

TEST(ConvertToGray, LiftsDarkGreysAndWhitensTheRest) {
  QImage glyph(4, 1, QImage::Format_RGB32);
  glyph.setPixel(0, 0, qRgb(0, 0, 0));
  glyph.setPixel(1, 0, qRgb(30, 60, 90));
  glyph.setPixel(2, 0, qRgb(155, 155, 156));
  glyph.setPixel(3, 0, qRgb(156, 156, 157));
  const QImage gray = convertToGray(glyph);
  EXPECT_EQ(QColor(gray.pixel(0, 0)), QColor(100, 100, 100));
  EXPECT_EQ(QColor(gray.pixel(1, 0)), QColor(160, 160, 160));
  EXPECT_EQ(QColor(gray.pixel(2, 0)), QColor(255, 255, 255));  // 155 + 100
  EXPECT_EQ(QColor(gray.pixel(3, 0)), QColor(255, 255, 255));
}

TEST(AccelChar, FindsTheLetterAfterASingleAmpersand) {
  EXPECT_EQ(accelChar(QStringLiteral("&Start Scan")), QChar('S'));
  EXPECT_EQ(accelChar(QStringLiteral("Fish && &Chips")), QChar('C'));
  EXPECT_TRUE(accelChar(QStringLiteral("&")).isNull());
  EXPECT_TRUE(accelChar(QStringLiteral("No accelerator")).isNull());
}

}  // namespace
}  // namespace zendrift::qt::widgets
