// The logo's shapes and their drawing with 4 x 4 samples per pixel.
#include "ui/logo_drawing.h"

#include <array>

namespace zendrift::ui {
namespace {

constexpr Color kDark = Color::rgb(0x505050), kMid = Color::rgb(0x8C8C8C), kLight = Color::rgb(0xBEBEBE);
constexpr Color kGround = Color::rgb(0xFFFFFF);

struct Bar {
  double left, top, width, height;
  Color color;
};

// In the picture's 53 x 33 units.
constexpr std::array<Bar, 8> kBars{{{5, 5, 24, 3, kDark},
                                    {4, 25, 25, 4, kDark},
                                    {33, 9, 17, 2, kMid},
                                    {35, 14, 14, 2, kMid},
                                    {37, 19, 11, 2, kLight},
                                    {39, 24, 8, 2, kLight},
                                    {44, 28, 2, 2, kDark},
                                    {47, 28, 2, 2, kDark}}};
// The Z's slanted stroke, between its bars: a parallelogram from the top bar's right end down
// to the bottom bar's left end.
struct Corner {
  double x, y;
};
constexpr std::array<Corner, 4> kStroke{{{25, 8}, {30, 8}, {10, 26}, {5, 26}}};

bool inStroke(double x, double y) {
  bool inside = false;
  for (std::size_t i = 0; i < kStroke.size(); ++i) {
    const Corner& a = kStroke[i];
    const Corner& b = kStroke[(i + 1) % kStroke.size()];
    if ((a.y > y) != (b.y > y) && x < a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y)) inside = !inside;
  }
  return inside;
}

Color colorAt(double x, double y) {
  for (const Bar& bar : kBars) {
    if (x >= bar.left && x < bar.left + bar.width && y >= bar.top && y < bar.top + bar.height) return bar.color;
  }
  return inStroke(x, y) ? kDark : kGround;
}

}  // namespace

Image drawnLogo(Size size) {
  Image image(size.width, size.height, kGround);
  if (image.empty()) return image;
  constexpr int kSamples = 4;
  const double scaleX = static_cast<double>(kLogoSize.width) / size.width;
  const double scaleY = static_cast<double>(kLogoSize.height) / size.height;
  for (int py = 0; py < size.height; ++py) {
    for (int px = 0; px < size.width; ++px) {
      int red = 0, green = 0, blue = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const Color c = colorAt((px + (sx + 0.5) / kSamples) * scaleX, (py + (sy + 0.5) / kSamples) * scaleY);
          red += c.red();
          green += c.green();
          blue += c.blue();
        }
      }
      constexpr int n = kSamples * kSamples;
      image.setPixel(px, py, Color::rgb((red + n / 2) / n, (green + n / 2) / n, (blue + n / 2) / n));
    }
  }
  return image;
}

}  // namespace zendrift::ui
