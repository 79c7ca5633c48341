// Game managers' launchers on the host: where they lie, and whether the game each starts is still
// in its manager (Lutris's game database, Steam's libraries, Bottles' bottles). A manager whose data
// cannot be read (not installed, its database locked or unreadable, a library on a disk that is
// away) judges nothing: its launchers are never stale. POSIX hosts only.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/guarded_removal.h"
#include "profile/launchers/launcher_text.h"

namespace zendrift::profile::launchers {

// Where managers write their launchers; empty when the home folder is not known.
struct LauncherPlaces {
  std::string menu;     // $XDG_DATA_HOME/applications
  std::string desktop;  // the XDG desktop folder, else $HOME
};
LauncherPlaces launcherPlaces();

// One launcher file of a manager's form.
struct LauncherFile {
  std::string path;
  std::string root;  // the place it lies directly in: menu or desktop of LauncherPlaces
  platform::EntryIdentity identity;
  GameLauncher launcher;
};

// The launcher in the file at `path`, read whole while it is the entry `identity`; empty when it
// cannot be read, is another entry by then, or is not in a manager's form.
std::optional<GameLauncher> readLauncher(const std::string& path, const platform::EntryIdentity& identity);

// The launchers directly in the menu place (with `menu`) and in the desktop place (with `desktop`);
// links are not followed.
std::vector<LauncherFile> listLaunchers(const LauncherPlaces& places, bool menu, bool desktop);

// What the managers hold, each read once, at the first launcher that asks.
class GameLibraries {
 public:
  GameLibraries();
  ~GameLibraries();
  GameLibraries(const GameLibraries&) = delete;
  GameLibraries& operator=(const GameLibraries&) = delete;

  // Why the launcher starts nothing any more ("no Steam library holds app 620"); empty while its
  // game is there, and when its manager's data cannot be read.
  std::optional<std::string> goneReason(const GameLauncher& launcher);

 private:
  struct Data;
  std::unique_ptr<Data> data_;
};

}  // namespace zendrift::profile::launchers
