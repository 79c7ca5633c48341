// The styled button's colour gradients as Qt images.
#include "gui/qt/widgets/button_gradient.h"

#include "gui/qt/widgets/qt_painter.h"

namespace zendrift::qt::widgets {

void createGradientBitmap(int width, int height, QColor start, QColor end, int colors, int style, bool dithered,
                          QImage& target, std::uint32_t seed) {
  const ui::Image image = ui::gradientBitmap(width, height, toColor(start), toColor(end), colors, style, dithered, seed);
  target = image.empty() ? QImage(0, 0, QImage::Format_RGB888) : imageView(image).convertToFormat(QImage::Format_RGB888);
}

}  // namespace zendrift::qt::widgets
