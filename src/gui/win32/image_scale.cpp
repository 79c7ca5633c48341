// Nearest-neighbour scaling of images.
#include "gui/win32/image_scale.h"

namespace zendrift::win32 {

ui::Image scaledImage(const ui::Image& image, int width, int height) {
  if (image.empty() || (width == image.width && height == image.height)) return image;
  ui::Image scaled(width, height);
  for (int y = 0; y < scaled.height; ++y) {
    const std::uint32_t* source = image.row(y * image.height / scaled.height);
    std::uint32_t* target = scaled.row(y);
    for (int x = 0; x < scaled.width; ++x) target[x] = source[x * image.width / scaled.width];
  }
  return scaled;
}

}  // namespace zendrift::win32
