// WellKnownFolders: the well-known folders of one Windows profile, as host paths.
//
// A plain value, read from the profile when it is made: a folder that cannot be found is an
// empty string (the way Windows answers for a shell folder that is not there). Paths carry no
// trailing delimiter; the host root "/" stays "/".
#pragma once

#include <string>

#include "profile/windows_profile.h"

namespace zendrift::profile {

struct WellKnownFolders {
  std::string desktop;
  std::string programs;
  std::string personal;
  std::string favorites;
  std::string startup;
  std::string recent;
  std::string sendTo;
  std::string startMenu;
  std::string desktopDirectory;
  std::string nethood;
  std::string fonts;
  std::string commonStartmenu;
  std::string commonPrograms;
  std::string commonStartup;
  std::string commonDesktopDirectory;
  std::string commonAppData;
  std::string appData;
  std::string printhood;
  std::string commonFavorites;
  std::string templates;
  std::string internetCache;
  std::string cookies;
  std::string history;
  std::string profile;
  // Named by the registry or the profile's environment, not by a shell folder number.
  std::string programFiles;
  std::string commonFiles;
  std::string windows;
  std::string system;
  std::string temp;  // the profile's own Temp, never the host's or the current folder
};

// The well-known folders of `scanned` (on Linux a Wine prefix) as they are now, its registry
// read through `registries`.
WellKnownFolders wellKnownFolders(const profile::ShortcutProfile& scanned, profile::RegistryCache& registries);
// The same, the registry read afresh: for a window's hints, asked now and then.
WellKnownFolders wellKnownFolders(const profile::ShortcutProfile& scanned);

}  // namespace zendrift::profile
