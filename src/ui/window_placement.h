// Where the main window goes on a screen: the design place when the window fits there, else the
// middle of the screen's work area; saved bounds kept as near their place as the screen allows.
// Pure geometry, in whatever pixels the window is placed in (Qt's device-independent ones, or
// the Win32 window's physical ones), so that both windows place themselves by one rule.
#pragma once

#include "ui/geometry.h"

namespace zendrift::ui {

// The first start's and every command-line start's outer bounds, `size` outer pixels: at the
// design corner (243, 504) when the whole window fits the work area there, else centred on the
// work area. Never outside it: a window larger than the area is cut to it, no smaller than
// `minimum`, and then kept at the area's top-left so that its caption stays within reach.
Rect designPlacement(Size size, Size minimum, const Rect& workArea);

// Saved outer bounds, which may be anything: no smaller than `minimum` and no larger than the
// work area, moved only as far as needed to lie within it.
Rect fittedToWorkArea(Rect bounds, Size minimum, const Rect& workArea);

}  // namespace zendrift::ui
