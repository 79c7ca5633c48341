// The styled button's colour gradients: a banded, dithered ramp computed on a 16-pixel strip.
#pragma once

#include <QColor>
#include <QImage>
#include <cstdint>

namespace zendrift::widgets {

// a * b / c rounded to the nearest integer, halves away from zero; -1 when c is 0.
int mulDiv(int a, int b, int c) noexcept;

// Styles 0 and 2 run left to right, 1 and 3 top to bottom; 2 and 3 swap the two colours.
// `colors` is at least 2. The target becomes width x height, 24 bits per pixel. The dither's
// pseudo-random rows come from `seed`, so one seed always gives one bitmap.
void createGradientBitmap(int width, int height, QColor start, QColor end, int colors, int style, bool dithered,
                          QImage& target, std::uint32_t seed = 1);

}  // namespace zendrift::widgets
