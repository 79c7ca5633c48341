// The maker's logo drawn from its shapes (the bars and the slanted stroke of its "Z", the drift
// lines and dots beside it, the same shapes as data/icons/zendrift.svg) at any size. The banner
// shows its 53 x 33 picture as it is at the design size; on denser screens the logo is drawn
// anew at the size it takes there, with smooth edges, instead of its pixels enlarged.
#pragma once

#include "ui/geometry.h"
#include "ui/image.h"

namespace zendrift::ui {

inline constexpr Size kLogoSize{53, 33};

// The logo filling `size`, grey shapes on its own opaque white ground, each pixel the mean of
// 4 x 4 samples.
Image drawnLogo(Size size);

}  // namespace zendrift::ui
