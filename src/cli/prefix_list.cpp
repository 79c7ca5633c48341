// /prefixes.
#include "cli/prefix_list.h"

#include "scan/field_escape.h"

namespace zendrift::app {

int runPrefixes(const platform::PrefixPlaces& places, std::ostream& out) {
  for (const platform::FoundPrefix& prefix : platform::discoverPrefixes(places)) {
    out << prefix.kind << '\t' << scan::escapedField(prefix.path) << '\t' << scan::escapedField(prefix.name) << '\n';
  }
  out.flush();
  return out ? 0 : 1;
}

}  // namespace zendrift::app
