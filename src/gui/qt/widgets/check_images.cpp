// The check list's cell images as Qt images.
#include "gui/qt/widgets/check_images.h"

#include "gui/qt/widgets/qt_painter.h"

namespace zendrift::qt::widgets {

const QImage& checkImages() {
  static const QImage images = imageView(ui::checkImages()).copy();
  return images;
}

QImage checkCell(ui::CheckKind kind, ui::CheckState state, bool enabled, QColor background) {
  return imageView(ui::checkCell(kind, state, enabled, toColor(background))).copy();
}

}  // namespace zendrift::qt::widgets
