// The exclude list: the shortcuts the user never wants marked.
#pragma once

#include <string_view>

namespace zendrift::settings {

// Whether `path` stands in `list` as a whole entry: at the start of the list or right after
// ", ", and up to the next ", " or the end. Exact and case-sensitive; an empty path never does.
bool excludeListHolds(std::string_view list, std::string_view path);

}  // namespace zendrift::settings
