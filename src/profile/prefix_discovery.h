// The Wine prefixes on this machine: the user's own, and those that winetricks, Lutris, Bottles,
// Steam's Proton and PlayOnLinux make, each found where its tool keeps it. On Windows there are
// none: the profile is the running user's.
#pragma once

#include <string>
#include <vector>

namespace zendrift::profile {

struct FoundPrefix {
  std::string kind;  // "wine", "winetricks", "lutris", "bottles", "proton" or "playonlinux"
  std::string path;  // its real path: no links, no trailing delimiter
  std::string name;  // the game or bottle it belongs to, else its folder's name
  friend bool operator==(const FoundPrefix&, const FoundPrefix&) = default;
};

// Where the search starts: the home folder and the prefix that $WINEPREFIX names, if any.
struct PrefixPlaces {
  std::string home;
  std::string winePrefix;
};

// The real path of the folder `prefix` names, the form discovery lists prefixes in: a prefix
// named by another route (a link to it) is the same prefix. As given when it cannot be resolved,
// and always on Windows.
std::string realPrefixPath(const std::string& prefix);

// $HOME (else the account's home folder) and $WINEPREFIX.
PrefixPlaces hostPrefixPlaces();

// The folder of the prefix scanned when none is chosen: $WINEPREFIX, else ~/.wine. Empty when
// neither can be named, and always on Windows.
std::string defaultPrefix(const PrefixPlaces& places);

// The prefix a scan of the chosen prefix `chosen` works on: it, else the default one of `places`.
inline std::string scannedPrefix(const std::string& chosen, const PrefixPlaces& places) {
  return chosen.empty() ? defaultPrefix(places) : chosen;
}

// Every prefix found from `places`, each once by its real path, in this order: $WINEPREFIX,
// ~/.wine, winetricks, Lutris, Bottles, Proton, PlayOnLinux; within a tool by path. A folder is
// a prefix when it holds system.reg and dosdevices/. Files that cannot be read or parsed are
// passed over.
std::vector<FoundPrefix> discoverPrefixes(const PrefixPlaces& places);

}  // namespace zendrift::profile
