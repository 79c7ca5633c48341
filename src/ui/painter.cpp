// The painting interface's helpers that every implementation shares.
#include "ui/painter.h"

#include <algorithm>
#include <cstdlib>

namespace zendrift::ui {

void Painter::frameRect(const Rect& rect, Color color) {
  if (rect.empty()) return;
  fillRect({rect.left, rect.top, rect.width, 1}, color);
  if (rect.height > 1) fillRect({rect.left, rect.bottom() - 1, rect.width, 1}, color);
  if (rect.height > 2) {
    fillRect({rect.left, rect.top + 1, 1, rect.height - 2}, color);
    if (rect.width > 1) fillRect({rect.right() - 1, rect.top + 1, 1, rect.height - 2}, color);
  }
}

void Painter::drawLine(Point from, Point to, Color color) {
  const int dx = to.x - from.x;
  const int dy = to.y - from.y;
  const int steps = std::max(std::abs(dx), std::abs(dy));
  const auto offset = [steps](int k, int d) {
    const int magnitude = (2 * std::abs(k * d) + steps) / (2 * steps);
    return d < 0 ? -magnitude : magnitude;
  };
  for (int k = 0; k < steps; ++k) fillRect({from.x + offset(k, dx), from.y + offset(k, dy), 1, 1}, color);
}

}  // namespace zendrift::ui
