#pragma once

#include <string_view>

namespace zendrift::platform {
// Whether the host folder `folder` is the user's Unix home folder itself (Wine links a missing
// Desktop or Documents there): its dot folders belong to other programs. Never on plain Windows.
bool isUnixHomeFolder(std::string_view folder);
}
