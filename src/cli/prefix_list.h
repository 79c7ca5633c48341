// /prefixes: the Wine prefixes found on this machine, one line each, without a window.
#pragma once

#include <ostream>

#include "profile/prefix_discovery.h"

namespace zendrift::cli {

// Writes one line per prefix found from `places` to `out`: its kind, a tab, its path, a tab, its
// name (tabs, line breaks and backslashes escaped). Returns the exit code.
int runPrefixes(const profile::PrefixPlaces& places, std::ostream& out);

}  // namespace zendrift::cli
