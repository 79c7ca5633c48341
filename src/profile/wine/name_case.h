// Comparing file names without regard to letter case, as Wine compares them.
#pragma once

#include <cstdint>
#include <string_view>

namespace zendrift::profile {

// True when two UTF-8 names are equal once each UTF-16 unit is upper-cased through Wine's own
// case table (wine_upper_case.inc). Only the mappings Wine knows apply: the Kelvin sign does not
// match "k", nor "İ" "i". Characters beyond the Basic Multilingual Plane, and bytes that are
// not valid UTF-8, must match exactly.
bool sameNameIgnoringCase(std::string_view a, std::string_view b);
// A hash that is equal for any two names sameNameIgnoringCase() takes as equal, for looking a
// name up case-blind among many.
std::uint64_t caseBlindHash(std::string_view name);

}  // namespace zendrift::profile
