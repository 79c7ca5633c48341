// A dotted focus rectangle drawn by inverting every other pixel of its outline.
#include "gui/qt/widgets/focus_rect.h"

#include <QPen>

namespace zendrift::qt::widgets {

void drawFocusRect(QPainter& painter, const QRect& rect) {
  if (rect.width() <= 0 || rect.height() <= 0) return;
  painter.save();
  painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  painter.setPen(QPen(Qt::white, 1));
  painter.setRenderHint(QPainter::Antialiasing, false);
  const int left = rect.left();
  const int top = rect.top();
  const int right = rect.left() + rect.width() - 1;
  const int bottom = rect.top() + rect.height() - 1;
  // The dots keep one phase all round: a pixel is drawn where x + y is even.
  for (int x = left; x <= right; ++x) {
    if ((x + top) % 2 == 0) painter.drawPoint(x, top);
    if (bottom != top && (x + bottom) % 2 == 0) painter.drawPoint(x, bottom);
  }
  for (int y = top + 1; y < bottom; ++y) {
    if ((left + y) % 2 == 0) painter.drawPoint(left, y);
    if (right != left && (right + y) % 2 == 0) painter.drawPoint(right, y);
  }
  painter.restore();
}

}  // namespace zendrift::qt::widgets
