// Pixel images enlarged for the screen's density: nearest neighbour, so they stay sharp.
#pragma once

#include "ui/image.h"

namespace zendrift::win32 {

// `image` at `width` x `height`; the same image when that is already its size.
ui::Image scaledImage(const ui::Image& image, int width, int height);

}  // namespace zendrift::win32
