// The maker's logo for the banner, as an image.
#pragma once

#include "ui/image.h"

namespace zendrift::win32 {

// 53 x 33 pixels, grey shapes on white, from the XPM text the Qt window shows too.
const ui::Image& logoPicture();

}  // namespace zendrift::win32
