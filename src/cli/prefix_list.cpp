// /prefixes.
#include "cli/prefix_list.h"

#include "scan/field_escape.h"

namespace zendrift::cli {

int runPrefixes(const profile::PrefixPlaces& places, std::ostream& out) {
  for (const profile::FoundPrefix& prefix : profile::discoverPrefixes(places)) {
    out << prefix.kind << '\t' << scan::escapedField(prefix.path) << '\t' << scan::escapedField(prefix.name) << '\n';
  }
  out.flush();
  return out ? 0 : 1;
}

}  // namespace zendrift::cli
