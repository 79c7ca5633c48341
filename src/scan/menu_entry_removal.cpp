// Deleting Wine's menu entries with the shortcuts they were made from, through the guarded
// removal below Wine's own places.
#include "scan/menu_entry_removal.h"

#include <set>
#include <string_view>

#include "platform/ascii_case.h"
#include "platform/directory_listing.h"
#include "platform/file_system.h"
#include "platform/path.h"
#include "profile/windows_profile.h"
#include "profile/wine_prefix.h"

namespace zendrift::scan {

namespace {

namespace wine = profile::wine;

constexpr std::size_t kMaxMenuFileSize = 64 * 1024;
constexpr int kDesktopDirectoryNumber = 16;  // CSIDL_DESKTOPDIRECTORY

std::pair<std::uint64_t, std::uint64_t> key(const platform::EntryIdentity& identity) {
  return {identity.volume, identity.file};
}

// `path` below `root`, as the guarded removal takes it; empty when it is not below it.
std::string_view below(std::string_view path, std::string_view root) {
  if (path.size() <= root.size() + 1 || !path.starts_with(root) || path[root.size()] != '/') return {};
  return path.substr(root.size() + 1);
}

bool sameFolder(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return false;
  const auto identity = platform::folderIdentity(a);
  return identity && identity == platform::folderIdentity(b);
}

// The text of the file `name` in `folder` and the identity it had while read; empty when it
// cannot be read or changed meanwhile.
std::optional<std::pair<std::string, platform::EntryIdentity>> readWineFile(const std::string& folder,
                                                                           const std::string& name) {
  const std::string path = folder + "/" + name;
  const platform::Result<platform::EntryIdentity> before = platform::entryIdentity(path);
  if (!before) return std::nullopt;
  auto text = platform::readFile(path, kMaxMenuFileSize + 1);
  if (!text || text->size() > kMaxMenuFileSize || !(platform::entryIdentity(path) == *before)) return std::nullopt;
  return std::pair{std::move(*text), *before};
}

// The .directory files that the .menu files in `menus` name.
std::set<std::string> directoriesStillNamed(const std::string& menus) {
  std::set<std::string> named;
  platform::DirectoryListing listing;
  for (auto code = listing.open(menus); !code; code = listing.next()) {
    const std::string& name = listing.entry().name();
    if (listing.entry().isDirectory() || !name.ends_with(".menu")) continue;
    const auto file = readWineFile(menus, name);
    // A .menu file that cannot be read may name anything: keep every folder's file then.
    if (!file) return {"*"};
    if (const auto names = wine::readMenuFile(file->first)) named.insert(names->directories.begin(), names->directories.end());
  }
  listing.close();
  return named;
}

}  // namespace

const wine::MenuPlaces& MenuEntryRemoval::places() {
  if constexpr (platform::kNativeStyle == platform::PathStyle::Posix) {
    if (!places_) places_ = wine::menuPlaces();
  }
  if (!places_) places_.emplace();
  return *places_;
}

std::error_code MenuEntryRemoval::dispose(const std::string& root, std::string_view relative,
                                          const platform::EntryIdentity& identity, const std::string& path,
                                          RemovalReport& report) {
  report.addRoot(root);
  if (disposal_ == Disposal::permanent) return platform::deleteFileBelow(root, relative, identity);
  platform::Result<platform::TrashedFile> trashed = trash_.moveBelow(root, relative, identity, path);
  if (trashed) report.trashed.push_back(std::move(trashed).value());
  return trashed.error();
}

void MenuEntryRemoval::deleteCompanion(const std::string& folder, const std::string& name,
                                       const platform::EntryIdentity& identity, RemovalReport& report) {
  const std::string path = folder + "/" + name;
  const std::error_code error = dispose(folder, name, identity, path, report);
  if (!error) {
    report.menuFiles.push_back(path);
  } else if (error != std::errc::no_such_file_or_directory) {
    report.failures.push_back({path, error, false});
  }
}

std::vector<wine::MenuEntry> MenuEntryRemoval::madeFrom([[maybe_unused]] const OrphanRecord& orphan) {
  std::vector<wine::MenuEntry> entries;
  if constexpr (platform::kNativeStyle == platform::PathStyle::Posix) {
    if (orphan.kind != OrphanKind::shortcut || places().applications.empty()) return entries;
    std::vector<wine::MenuEntry> all;
    if (!byShortcut_) {
      byShortcut_.emplace();
      all = wine::listMenuEntries(places(), true, true);
    }
    // A prefix whose Desktop Wine did not link to the desktop folder gets its entries in its own.
    const auto [known, added] = ownDesktops_.try_emplace(orphan.prefix);
    std::string& ownDesktop = known->second;
    if (added) {
      ownDesktop = profile::specialFolderPath(kDesktopDirectoryNumber, profile::scannedProfile(orphan.prefix),
                                               profiles_.registries());
      if (!ownDesktop.empty() && !sameFolder(ownDesktop, places().desktop)) {
        wine::MenuPlaces desktopOnly;
        desktopOnly.desktop = platform::withoutTrailingSeparator(ownDesktop);
        for (wine::MenuEntry& entry : wine::listMenuEntries(desktopOnly, false, true)) all.push_back(std::move(entry));
      }
    }
    for (wine::MenuEntry& entry : all) {
      const std::optional<std::string> host = wine::launchedShortcut(entry);
      if (!host) continue;
      if (const auto shortcut = platform::entryIdentity(*host)) byShortcut_->emplace(key(*shortcut), std::move(entry));
    }
    // The entry was made from this very file: its Exec= leads to it through its prefix's drives.
    const auto [first, last] = byShortcut_->equal_range(key(orphan.identity));
    for (auto it = first; it != last; ++it) entries.push_back(it->second);

    // A user's desktop entry starts the shortcut's target and lies beside the shortcut, in the
    // desktop folder, named after it. It must name the shortcut's own prefix and target.
    const std::string folder = platform::parentPath(orphan.path);
    if (!sameFolder(folder, places().desktop) && !sameFolder(folder, ownDesktop)) return entries;
    const profile::ShortcutProfile profile = profiles_.profileOf(orphan.path);
    const std::string& prefix = profile.kind == profile::ProfileKind::Scanned ? orphan.prefix : profile.root;
    std::string name(platform::fileName(orphan.path));
    name = name.substr(0, name.rfind('.')) + ".desktop";
    auto sibling = wine::readMenuEntry(platform::withTrailingSeparator(folder) + name,
                                       platform::withoutTrailingSeparator(orphan.root));
    if (sibling && !sibling->launch.startsShortcut() && profile.kind != profile::ProfileKind::WindowsInstallation &&
        sameFolder(sibling->launch.prefix, prefix) && !orphan.target.empty() &&
        platform::equalsIgnoringAsciiCase(sibling->launch.path, orphan.target)) {
      entries.push_back(std::move(*sibling));
    }
  }
  return entries;
}

void MenuEntryRemoval::removeMadeFrom(const std::vector<wine::MenuEntry>& entries, RemovalReport& report) {
  for (const wine::MenuEntry& entry : entries) {
    const std::error_code error = removeEntry(entry, report);
    if (!error) {
      report.menuFiles.push_back(entry.path);
    } else if (error == std::errc::no_such_file_or_directory) {
      report.alreadyGone.push_back(entry.path);
    } else {
      report.failures.push_back({entry.path, error, false});
    }
  }
}

std::error_code MenuEntryRemoval::removeOrphanEntry(const OrphanRecord& orphan, RemovalReport& report) {
  // Only Wine's own places: a record naming anything else is refused.
  if (orphan.root.empty() || (orphan.root != places().applications && orphan.root != places().desktop)) {
    return platform::RemovalError::notBelowRoot;
  }
  return removeEntry({orphan.path, orphan.root, orphan.identity, {}}, report);
}

std::error_code MenuEntryRemoval::removeEntry(const wine::MenuEntry& entry, RemovalReport& report) {
  const std::string_view relative = below(entry.path, entry.root);
  std::optional<std::string> icon;
  if constexpr (platform::kNativeStyle == platform::PathStyle::Posix) icon = icons_.iconOf(entry.path);
  const std::error_code error = relative.empty() ? platform::RemovalError::notBelowRoot
                                                 : dispose(entry.root, relative, entry.identity, entry.path, report);
  if constexpr (platform::kNativeStyle == platform::PathStyle::Posix) {
    if (!error && icon) icons_.entryGone(entry.path, *icon, report);
  }
  // One that someone else deleted meanwhile still takes its companions.
  if (!error || error == std::errc::no_such_file_or_directory) removeCompanions(entry, report);
  return error;
}

void MenuEntryRemoval::removeCompanions(const wine::MenuEntry& entry, RemovalReport& report) {
  const auto companions = wine::menuCompanions(entry, places());
  if (!companions) return;
  // The .menu file only when it is the one Wine wrote for this entry, folder for folder.
  if (const auto menu = readWineFile(places().menus, companions->menuFile)) {
    const auto names = wine::readMenuFile(menu->first);
    if (names && names->desktopFileId == companions->desktopFileId && names->directories == companions->directories) {
      deleteCompanion(places().menus, companions->menuFile, menu->second, report);
    }
  }
  const std::set<std::string> named = directoriesStillNamed(places().menus);
  for (const std::string& directory : companions->directories) {
    if (named.contains(directory) || named.contains("*")) continue;
    const auto file = readWineFile(places().directories, directory);
    if (file && file->first.starts_with("[Desktop Entry]\nType=Directory\n")) {
      deleteCompanion(places().directories, directory, file->second, report);
    }
  }
  // The entry's folder when it is left empty, as a shortcut's folder is; never the place itself nor
  // its Programs folder, which stands for the Start menu's.
  const std::string folder = platform::parentPath(entry.path);
  const std::string_view relative = below(folder, places().applications);
  if (relative.empty() || relative == "Programs") return;
  const std::error_code error = platform::removeEmptyFolderBelow(places().applications, relative);
  if (!error) {
    report.removedFolders.push_back(folder);
  } else if (error != platform::RemovalError::folderNotEmpty && error != std::errc::no_such_file_or_directory) {
    report.failures.push_back({folder, error, true});
  }
}

}  // namespace zendrift::scan
