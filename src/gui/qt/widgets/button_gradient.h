// The styled button's colour gradients as Qt images (the gradients themselves are ui/gradient).
#pragma once

#include <QColor>
#include <QImage>
#include <cstdint>

#include "ui/gradient.h"

namespace zendrift::qt::widgets {

using ui::mulDiv;

// ui::gradientBitmap into `target`, 24 bits per pixel.
void createGradientBitmap(int width, int height, QColor start, QColor end, int colors, int style, bool dithered,
                          QImage& target, std::uint32_t seed = 1);

}  // namespace zendrift::qt::widgets
