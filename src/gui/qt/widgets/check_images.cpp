// The check list's cell images: loading the shared bitmap and cutting one cell from it.
#include "gui/qt/widgets/check_images.h"

#include <QFile>

namespace zendrift::widgets {

const QImage& checkImages() {
  static const QImage images = [] {
    QImage loaded(QStringLiteral(":/zendrift/check_images.bmp"));
    return loaded.convertToFormat(QImage::Format_ARGB32);
  }();
  return images;
}

QImage checkCell(scan::CheckKind kind, scan::CheckState state, bool enabled, QColor background) {
  const int column = static_cast<int>(state) + (enabled ? 0 : 3);
  const int row = static_cast<int>(kind);
  QImage cell = checkImages().copy(column * kCheckCellWidth, row * kCheckCellHeight, kCheckCellWidth, kCheckCellHeight);
  const QRgb fill = background.rgb();
  for (int y = 0; y < cell.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(cell.scanLine(y));
    for (int x = 0; x < cell.width(); ++x) {
      if (line[x] == kCheckTransparentColor) line[x] = fill;
    }
  }
  return cell;
}

}  // namespace zendrift::widgets
