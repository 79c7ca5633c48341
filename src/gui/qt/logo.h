// The maker's logo shown in the banner: 53 x 33 pixels, grey shapes on a white ground.
#pragma once

#include <QImage>

namespace zendrift::qt {

QImage logoImage();

}  // namespace zendrift::qt
