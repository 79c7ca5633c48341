// Comparing file names without regard to letter case, as Windows and Wine compare them.
#pragma once

#include <string_view>

namespace zendrift::platform {

// True when two UTF-8 names are equal once each character is lower-cased (Unicode simple case
// mapping where the system offers it, else ASCII only). Bytes that are not valid UTF-8 must
// match exactly.
bool sameNameIgnoringCase(std::string_view a, std::string_view b);

}  // namespace zendrift::platform
