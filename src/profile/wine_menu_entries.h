// The Linux menu entries that Wine's menu builder makes from the shortcuts of a prefix's Start
// menu and desktop: where they lie, what their Exec= starts, and whether it still starts anything.
//
// Wine writes, for a shortcut of a Start menu,
//   $XDG_DATA_HOME/applications/wine/<path below the Start menu>.desktop
//     Exec=env WINEPREFIX="<prefix>" wine C:\\\\users\\\\…\\\\<name>.lnk
//   $XDG_CONFIG_HOME/menus/applications-merged/wine-<path with "-" for "/">.menu
//   $XDG_DATA_HOME/desktop-directories/wine-<folders>.directory, one per folder;
// and for a shortcut of a desktop, <name>.desktop in the desktop folder, whose Exec= runs the
// shortcut's target (a user's desktop) or the shortcut itself (the all-users desktop). Only files
// in these places with exactly that Exec= form are ever taken for Wine's. POSIX hosts only.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/guarded_removal.h"

namespace zendrift::profile {
struct DiskMounts;
}

namespace zendrift::profile::wine {

// What an Exec= of Wine's form starts: env WINEPREFIX="<prefix>" <wine> <path> [<arguments>].
struct WineLaunch {
  std::string prefix;                   // as written; always an absolute host path
  std::string path;                     // a Windows path: the shortcut, or a desktop entry's target
  std::vector<std::string> arguments;  // what follows the path
  // The form of menu entries and all-users desktop entries: the shortcut itself, nothing after it.
  bool startsShortcut() const;
};

// The Exec= value of a desktop entry file's [Desktop Entry] group when its Type is Application,
// unescaped as a string value ("\s", "\n", "\t", "\r", "\\"). Empty for anything else.
std::optional<std::string> applicationExec(std::string_view fileText);

// The words of an Exec= value, split as desktops split them (double quotes, backslash escapes);
// empty when it holds what Wine never writes there (a single quote, an open quote).
std::optional<std::vector<std::string>> execWords(std::string_view exec);
// Whether a word names Wine's launcher: "wine", "wine64", "wine-stable", … or an absolute path to one.
bool isWineLauncher(std::string_view word);
// Whether the prefix an entry names is gone: its folder is missing while the folder above it is
// there, and that folder is not the empty mount point of a disk not mounted now.
bool prefixIsGone(const std::string& prefix, const DiskMounts& disks);

// Splits an Exec= value into words as desktops do (double quotes, backslash escapes) and takes
// Wine's form from it. Empty when it is not exactly that form.
std::optional<WineLaunch> parseWineLaunch(std::string_view exec);

// Wine's places for menu entries, from the XDG variables and $HOME. No trailing delimiters;
// empty when the home folder is not known.
struct MenuPlaces {
  std::string applications;  // $XDG_DATA_HOME/applications/wine
  std::string menus;         // $XDG_CONFIG_HOME/menus/applications-merged
  std::string directories;   // $XDG_DATA_HOME/desktop-directories
  std::string desktop;       // the XDG desktop folder, else $HOME (where Wine links Desktop then)
};
MenuPlaces menuPlaces();

// One desktop entry file of Wine's form.
struct MenuEntry {
  std::string path;  // host path of the .desktop file
  std::string root;  // the place it lies in: applications or desktop of MenuPlaces
  platform::EntryIdentity identity;
  WineLaunch launch;
};

// Reads the entry at `path` below `root`; empty when it is not of Wine's form.
std::optional<MenuEntry> readMenuEntry(const std::string& path, const std::string& root);

// The entries below the applications place (every folder down, links not followed) and, with
// `desktop`, those directly in the desktop place.
std::vector<MenuEntry> listMenuEntries(const MenuPlaces& places, bool applications, bool desktop);

// Whether the entry can no longer start anything: its prefix is gone (its folder is missing while
// the folder above it is there, and is not on a disk that is not mounted now), or it starts a
// shortcut that its prefix no longer holds. An entry that cannot be judged (a prefix without
// registry, an unmapped drive, a drive on a disk that is not mounted) is not an orphan. `disks`
// is what the machine says of its disks, read once for many entries.
enum class MenuEntryState { current, prefixGone, shortcutGone };
MenuEntryState menuEntryState(const MenuEntry& entry, const DiskMounts& disks);
// The same for many entries, with what `prefixes` (profile/wine/prefix_facts.h) knows or reads of
// their prefixes.
class PrefixFacts;
MenuEntryState menuEntryState(const MenuEntry& entry, PrefixFacts& prefixes);
inline bool menuEntryOrphaned(const MenuEntry& entry, const DiskMounts& disks) {
  return menuEntryState(entry, disks) != MenuEntryState::current;
}

// The host path of the shortcut an entry starts, when its prefix holds it.
std::optional<std::string> launchedShortcut(const MenuEntry& entry);

// For an entry below the applications place: the .menu file that Wine wrote beside it (its name in
// the menus place) and the .directory files that .menu names, as Wine names them.
struct MenuCompanions {
  std::string menuFile;                  // "wine-Programs-Games-Chess.menu"
  std::string desktopFileId;             // "wine-Programs-Games-Chess.desktop"
  std::vector<std::string> directories;  // "wine-wine.directory", "wine-Programs.directory", …
};
std::optional<MenuCompanions> menuCompanions(const MenuEntry& entry, const MenuPlaces& places);

// The files a .menu file of Wine's form names: the .desktop file it includes and its
// .directory files, in order. Empty when the text is not of that form.
struct MenuFileNames {
  std::string desktopFileId;
  std::vector<std::string> directories;
};
std::optional<MenuFileNames> readMenuFile(std::string_view text);

// The host path of the file at a Windows path in the prefix at `prefix`, when one is there.
std::optional<std::string> fileHostPath(std::string_view windowsPath, std::string_view prefix);

}  // namespace zendrift::profile::wine
