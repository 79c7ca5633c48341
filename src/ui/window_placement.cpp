// The main window's placement on the screen's work area.
#include "ui/window_placement.h"

#include <algorithm>

#include "ui/window_layout.h"

namespace zendrift::ui {

namespace {

// `length` no larger than `room`, unless `least` asks for more.
int cut(int length, int least, int room) { return std::clamp(length, least, std::max(least, room)); }

// `start` moved as little as possible so that `length` from it lies in [areaStart, areaStart +
// room); when it cannot, the area's start, so that the window's top-left stays on the screen.
int within(int start, int length, int areaStart, int room) {
  return std::clamp(start, areaStart, std::max(areaStart, areaStart + room - length));
}

}  // namespace

Rect designPlacement(Size size, Size minimum, const Rect& workArea) {
  const Rect atDesign{kDesignBounds.left, kDesignBounds.top, size.width, size.height};
  if (atDesign.left >= workArea.left && atDesign.top >= workArea.top && atDesign.right() <= workArea.right() &&
      atDesign.bottom() <= workArea.bottom())
    return atDesign;
  const int width = cut(size.width, minimum.width, workArea.width);
  const int height = cut(size.height, minimum.height, workArea.height);
  const int left = workArea.left + (workArea.width - width) / 2;
  const int top = workArea.top + (workArea.height - height) / 2;
  return {within(left, width, workArea.left, workArea.width), within(top, height, workArea.top, workArea.height),
          width, height};
}

Rect fittedToWorkArea(Rect bounds, Size minimum, const Rect& workArea) {
  bounds.width = cut(bounds.width, minimum.width, workArea.width);
  bounds.height = cut(bounds.height, minimum.height, workArea.height);
  bounds.left = within(bounds.left, bounds.width, workArea.left, workArea.width);
  bounds.top = within(bounds.top, bounds.height, workArea.top, workArea.height);
  return bounds;
}

}  // namespace zendrift::ui
