// The entries of the window's prefix selector, free of any toolkit: the prefix in use first, the
// others found, then "All prefixes".
#pragma once

#include <string>
#include <vector>

#include "profile/prefix_discovery.h"

namespace zendrift::ui {

struct PrefixChoice {
  std::string label;   // "Half-Life 2 (proton): /home/ann/.steam/.../pfx"
  std::string prefix;  // what ScanOptions::prefix takes: empty for the default prefix
  bool all = false;    // "All prefixes"
  friend bool operator==(const PrefixChoice&, const PrefixChoice&) = default;
};

inline constexpr const char* kAllPrefixesLabel = "All prefixes";

// `found` as discovery lists them (real paths), `chosen` the prefix of the options (empty for
// the default), `defaultPrefix` the folder the default names ($WINEPREFIX, else ~/.wine) and
// `realPath` what turns a folder into the form `found` uses. The chosen prefix comes first, or
// the default one when none is chosen; each prefix once.
std::vector<PrefixChoice> prefixChoices(const std::vector<profile::FoundPrefix>& found, const std::string& chosen,
                                        const std::string& defaultPrefix,
                                        std::string (*realPath)(const std::string&) = profile::realPrefixPath);

// The index of the entry the options choose in `choices`.
int chosenIndex(const std::vector<PrefixChoice>& choices, const std::string& prefix, bool allPrefixes);

}  // namespace zendrift::ui
