// The exclude list: the shortcuts the user never wants marked.
#include "settings/exclude_list.h"

namespace zendrift::settings {

bool excludeListHolds(std::string_view list, std::string_view path) { return list.find(path) != std::string_view::npos; }

}  // namespace zendrift::settings
