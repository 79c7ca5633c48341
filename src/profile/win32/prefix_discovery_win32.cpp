// No Wine prefixes on Windows: the profile is the running user's own.
#include "profile/prefix_discovery.h"

namespace zendrift::profile {

PrefixPlaces hostPrefixPlaces() { return {}; }

std::string defaultPrefix(const PrefixPlaces&) { return {}; }

std::string realPrefixPath(const std::string& prefix) { return prefix; }

std::vector<FoundPrefix> discoverPrefixes(const PrefixPlaces&) { return {}; }

}  // namespace zendrift::profile
