// The window's own controls, from src/widgets: the result list, the styled push button and the
// state image.
#pragma once

#include "widgets/check_list_box.h"
#include "widgets/jv_image.h"
#include "widgets/xp_button.h"

namespace zendrift::app {

using widgets::TJvImage;
using widgets::TJvxCheckListBox;
using widgets::TJvXPButton;

}  // namespace zendrift::app
