// /prefixes.
#include "cli/prefix_list.h"

#include "cli/field_escape.h"

namespace zendrift::app {

int runPrefixes(const platform::PrefixPlaces& places, std::ostream& out) {
  for (const platform::FoundPrefix& prefix : platform::discoverPrefixes(places)) {
    out << prefix.kind << '\t' << escapedField(prefix.path) << '\t' << escapedField(prefix.name) << '\n';
  }
  out.flush();
  return out ? 0 : 1;
}

}  // namespace zendrift::app
