// A dotted focus rectangle drawn by inverting every other pixel of its outline.
#pragma once

#include <QPainter>
#include <QRect>

namespace zendrift::qt::widgets {

// Inverts alternate pixels along the inside edge of `rect`, so drawing it twice removes it.
void drawFocusRect(QPainter& painter, const QRect& rect);

}  // namespace zendrift::qt::widgets
