// The maker's logo shown in the banner: 53 x 33 pixels, grey shapes on a white ground.
#pragma once

#include <QImage>

namespace zendrift::qt {

// The picture itself where a pixel is a pixel; on a denser screen the logo drawn anew at the
// screen's density (its device pixel ratio set), so that it stays smooth instead of enlarged.
QImage logoImage();

}  // namespace zendrift::qt
