// Wine's menu entries on the host: reading their Exec= the way a desktop reads it, finding them in
// Wine's places, and judging whether they still start anything.
#include "profile/wine_menu_entries.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/ascii_case.h"
#include "platform/path.h"
#include "platform/directory_listing.h"
#include "platform/file_system.h"
#include "platform/process.h"
#include "profile/windows_profile.h"
#include "profile/wine/disk_mounts.h"
#include "profile/wine/prefix_facts.h"
#include "profile/wine_prefix.h"

namespace zendrift::profile::wine {

namespace {

// Far larger than any entry Wine writes; a bigger file is not Wine's.
constexpr std::size_t kMaxEntrySize = 64 * 1024;

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

std::string homeFolder() {
  std::string home = platform::environmentVariable("HOME").value_or("");
  if (home.empty()) {
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir) home = entry->pw_dir;
  }
  while (home.size() > 1 && home.back() == '/') home.pop_back();
  return home;
}

// An XDG base folder: the variable when it names an absolute path, else the default below $HOME.
std::string baseFolder(std::string_view variable, std::string_view fallback, const std::string& home) {
  std::string value = platform::environmentVariable(variable).value_or("");
  if (value.empty() || value.front() != '/') return home.empty() ? std::string() : platform::join(home, fallback);
  while (value.size() > 1 && value.back() == '/') value.pop_back();
  return value;
}

// XDG_DESKTOP_DIR of user-dirs.dirs ("$HOME/Desktop" or an absolute path), else ~/Desktop. Wine
// links a prefix's Desktop there when that folder exists, else to the home folder itself.
std::string desktopFolder(const std::string& configHome, const std::string& home) {
  std::string desktop = platform::join(home, "Desktop");
  if (const auto text = platform::readFile(platform::join(configHome, "user-dirs.dirs"), kMaxEntrySize)) {
    std::string_view rest = *text;
    while (!rest.empty()) {
      const std::size_t end = std::min(rest.find('\n'), rest.size());
      const std::string_view line = trimmed(rest.substr(0, end));
      rest.remove_prefix(std::min(end + 1, rest.size()));
      constexpr std::string_view kKey = "XDG_DESKTOP_DIR=\"";
      if (!line.starts_with(kKey) || !line.ends_with('"')) continue;
      const std::string_view value = line.substr(kKey.size(), line.size() - kKey.size() - 1);
      if (value.starts_with("$HOME/")) {
        desktop = platform::join(home, value.substr(6));
      } else if (value.starts_with('/')) {
        desktop = std::string(value);
      }
    }
  }
  return platform::folderExists(desktop) ? desktop : home;
}

// Below the applications place Wine writes only entries that start their shortcut; on a desktop
// also those that start a shortcut's target.
void collectBelow(const std::string& folder, const std::string& root, bool applications, std::vector<MenuEntry>& entries) {
  std::vector<std::string> subfolders;
  platform::DirectoryListing listing;
  for (std::error_code code = listing.open(folder); !code; code = listing.next()) {
    const platform::DirEntry& entry = listing.entry();
    if (entry.name() == "." || entry.name() == ".." || entry.isSymlink()) continue;
    if (entry.isDirectory()) {
      if (applications) subfolders.push_back(entry.fullPath());
    } else if (entry.name().ends_with(".desktop")) {
      auto menuEntry = readMenuEntry(entry.fullPath(), root);
      if (menuEntry && (!applications || menuEntry->launch.startsShortcut())) entries.push_back(std::move(*menuEntry));
    }
  }
  listing.close();
  for (const std::string& subfolder : subfolders) collectBelow(subfolder, root, applications, entries);
}

}  // namespace

bool prefixIsGone(const std::string& prefix, const DiskMounts& disks) {
  struct stat status {};
  if (::lstat(prefix.c_str(), &status) == 0 || errno != ENOENT) return false;
  // A folder above it that is missing as well may be an unmounted disk: the prefix may come back.
  const std::string parent = prefix.substr(0, std::max<std::size_t>(prefix.rfind('/'), 1));
  if (::stat(parent.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) return false;
  // So may one below the empty mount point of a disk that is not mounted now.
  return !absentDiskHolding(prefix, disks);
}

MenuPlaces menuPlaces() {
  const std::string home = homeFolder();
  if (home.empty()) return {};
  const std::string data = baseFolder("XDG_DATA_HOME", ".local/share", home);
  const std::string config = baseFolder("XDG_CONFIG_HOME", ".config", home);
  return {platform::join(data, "applications/wine"), platform::join(config, "menus/applications-merged"), platform::join(data, "desktop-directories"),
          desktopFolder(config, home)};
}

std::optional<MenuEntry> readMenuEntry(const std::string& path, const std::string& root) {
  const platform::Result<platform::EntryIdentity> identity = platform::entryIdentity(path);
  if (!identity) return std::nullopt;
  MenuEntry entry{path, root, *identity, {}};
  const auto text = platform::readFile(path, kMaxEntrySize + 1);
  if (!text || text->size() > kMaxEntrySize) return std::nullopt;
  // What was read must be the entry whose identity was taken: the removal checks that one.
  if (!(platform::entryIdentity(path) == entry.identity)) return std::nullopt;
  const auto exec = applicationExec(*text);
  if (!exec) return std::nullopt;
  auto launch = parseWineLaunch(*exec);
  if (!launch) return std::nullopt;
  entry.launch = std::move(*launch);
  if (!path.starts_with(root + "/")) return std::nullopt;
  // An entry that starts a program rather than a shortcut is Wine's only when it also bears the
  // shortcut's name, as Wine names it, the way a desktop shortcut's entry does.
  if (!entry.launch.startsShortcut()) {
    const std::string_view file = std::string_view(path).substr(path.rfind('/') + 1);
    const std::string name = "\nName=" + std::string(file.substr(0, file.size() - std::string_view(".desktop").size())) + "\n";
    if (!file.ends_with(".desktop") || text->find(name) == std::string::npos) return std::nullopt;
  }
  return entry;
}

std::vector<MenuEntry> listMenuEntries(const MenuPlaces& places, bool applications, bool desktop) {
  std::vector<MenuEntry> entries;
  if (applications && !places.applications.empty()) collectBelow(places.applications, places.applications, true, entries);
  if (desktop && !places.desktop.empty()) collectBelow(places.desktop, places.desktop, false, entries);
  return entries;
}

MenuEntryState menuEntryState(const MenuEntry& entry, PrefixFacts& prefixes) {
  const WineLaunch& launch = entry.launch;
  if (prefixes.gone(launch.prefix)) return MenuEntryState::prefixGone;
  if (!launch.startsShortcut() || !prefixes.profile(launch.prefix)) return MenuEntryState::current;
  // A drive that is not there now (a disk not plugged in) says nothing about the shortcut.
  if (prefixes.drive(launch.prefix, launch.path[0]).empty()) return MenuEntryState::current;
  return prefixes.presence(launch.path, launch.prefix) == TargetPresence::missing ? MenuEntryState::shortcutGone
                                                                                   : MenuEntryState::current;
}

MenuEntryState menuEntryState(const MenuEntry& entry, const DiskMounts& disks) {
  const WineLaunch& launch = entry.launch;
  if (prefixIsGone(launch.prefix, disks)) return MenuEntryState::prefixGone;
  if (!launch.startsShortcut() || !isWinePrefix(launch.prefix)) return MenuEntryState::current;
  // A drive that is not there now (a disk not plugged in) says nothing about the shortcut.
  const std::string drive = driveFolder(launch.prefix, launch.path[0]);
  if (drive.empty() || absentDiskHolding(drive, disks)) return MenuEntryState::current;
  return windowsFileExists(launch.path, {ProfileKind::WinePrefix, launch.prefix}) ? MenuEntryState::current
                                                                                   : MenuEntryState::shortcutGone;
}

std::optional<std::string> launchedShortcut(const MenuEntry& entry) {
  if (!entry.launch.startsShortcut() || !isWinePrefix(entry.launch.prefix)) return std::nullopt;
  return fileHostPath(entry.launch.path, entry.launch.prefix);
}

}  // namespace zendrift::profile::wine
