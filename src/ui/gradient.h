// The styled button's colour gradients: a banded, dithered ramp computed on a 16-pixel strip.
#pragma once

#include <cstdint>

#include "ui/color.h"
#include "ui/image.h"

namespace zendrift::ui {

// a * b / c rounded to the nearest integer, halves away from zero; -1 when c is 0.
int mulDiv(int a, int b, int c) noexcept;

// Styles 0 and 2 run left to right, 1 and 3 top to bottom; 2 and 3 swap the two colours.
// `colors` is at least 2. The result is width x height, opaque. The dither's pseudo-random rows
// come from `seed`, so one seed always gives one bitmap.
Image gradientBitmap(int width, int height, Color start, Color end, int colors, int style, bool dithered,
                     std::uint32_t seed = 1);

}  // namespace zendrift::ui
