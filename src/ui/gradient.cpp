// The styled button's colour gradients: a banded, dithered ramp computed on a 16-pixel strip.
#include "ui/gradient.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>
#include <vector>

namespace zendrift::ui {

namespace {
constexpr int kStrip = 16;

// c1 + i * step, rounded to nearest with halves to even, kept to its low 8 bits.
int channel(int c1, int i, double step) {
  const double value = static_cast<double>(c1) + static_cast<double>(i) * step;
  const long rounded = std::lrint(value);  // the default rounding mode: halves to even
  return static_cast<int>(static_cast<unsigned long>(rounded) & 0xFFu);
}
}  // namespace

int mulDiv(int a, int b, int c) noexcept {
  if (c == 0) return -1;
  const long long product = static_cast<long long>(a) * b;
  const long long divisor = c;
  const bool negative = (product < 0) != (divisor < 0);
  const long long magnitude = (std::llabs(product) + std::llabs(divisor) / 2) / std::llabs(divisor);
  return static_cast<int>(negative ? -magnitude : magnitude);
}

Image gradientBitmap(int width, int height, Color start, Color end, int colors, int style, bool dithered,
                     std::uint32_t seed) {
  Image target(width, height);
  if (target.empty()) return target;
  width = target.width;
  height = target.height;
  colors = std::max(colors, 2);

  Color c1 = start;
  Color c2 = end;
  if (style == 2 || style == 3) std::swap(c1, c2);
  const int n = colors;
  const double stepR = static_cast<double>(c2.red() - c1.red()) / (n - 1);
  const double stepG = static_cast<double>(c2.green() - c1.green()) / (n - 1);
  const double stepB = static_cast<double>(c2.blue() - c1.blue()) / (n - 1);
  std::vector<std::uint32_t> table(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) {
    table[static_cast<std::size_t>(i)] =
        Color::rgb(channel(c1.red(), i, stepR), channel(c1.green(), i, stepG), channel(c1.blue(), i, stepB)).argb;
  }

  const bool vertical = style == 1 || style == 3;  // colours run from top to bottom
  const int length = vertical ? height : width;    // along the colour run
  const int across = vertical ? width : height;    // the strip's other side
  const int strip = std::min(kStrip, across);
  const auto set = [&](int along, int side, std::uint32_t color) {
    if (vertical) {
      target.row(along)[side] = color;
    } else {
      target.row(side)[along] = color;
    }
  };
  std::minstd_rand random(seed == 0 ? 1 : seed);
  for (int i = 0; i < n; ++i) {
    const int b = mulDiv(i, length, n);
    const int e = mulDiv(i + 1, length, n);
    const std::uint32_t color = table[static_cast<std::size_t>(i)];
    for (int along = std::max(b, 0); along < std::min(e, length); ++along) {
      for (int side = 0; side < strip; ++side) set(along, side, color);
    }
    if (dithered && i >= 1) {
      const std::uint32_t previous = table[static_cast<std::size_t>(i - 1)];
      for (int k = 0; k <= length / (n - 1); ++k) {
        const int r = k == 0 ? 0 : static_cast<int>(random() % static_cast<unsigned>(k));
        const int along = b + r;
        if (along < 0 || along >= length) continue;
        for (int side = 0; side < strip; ++side) set(along, side, previous);
      }
    }
  }

  // Copy the computed strip across the rest; a block passing the edge is cut off.
  if (vertical) {
    for (int y = 0; y < height; ++y) {
      std::uint32_t* line = target.row(y);
      for (int x = strip; x < width; ++x) line[x] = line[x % strip];
    }
  } else {
    for (int y = strip; y < height; ++y) std::copy_n(target.row(y % strip), width, target.row(y));
  }
  return target;
}

}  // namespace zendrift::ui
