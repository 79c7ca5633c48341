// Wine's icons, removed when the last desktop entry that names them goes.
#include "scan/wine_icon_removal.h"

#include <vector>

#include "platform/directory_listing.h"
#include "platform/file_system.h"
#include "platform/path.h"
#include "profile/wine/file_association.h"
#include "profile/wine_menu_entries.h"
#include "scan/file_disposal.h"

namespace zendrift::scan {

namespace {

namespace wine = profile::wine;

constexpr std::size_t kMaxEntrySize = 64 * 1024;

// Whether listing `folder` ended where it should: at its end, or at once when it is not there.
bool listedWhole(std::error_code opened, std::error_code ended, std::error_code closed) {
  if (opened) return opened == platform::OsErrc::pathNotFound || opened == platform::OsErrc::fileNotFound;
  return ended == platform::OsErrc::noMoreFiles && !closed;
}

// The icon of Wine's naming that the entry at `path` names, if any; an error when it cannot be read.
platform::Result<std::optional<std::string>> iconNamedIn(const std::string& path) {
  const platform::Result<std::string> text = platform::readFile(path, kMaxEntrySize + 1);
  if (!text) return text.error();
  if (text->size() > kMaxEntrySize) return std::make_error_code(std::errc::file_too_large);
  std::optional<std::string> icon = wine::desktopEntryIcon(*text);
  if (icon && !wine::isWineIconName(*icon)) icon.reset();
  return icon;
}

// The .desktop files in `folder`, and below it when `deep`; links are not followed. False when
// any folder could not be listed whole, or holds a link the desktop would follow to entries: a
// linked entry, or below the applications folder a linked folder.
bool collectEntries(const std::string& folder, bool deep, std::vector<std::string>& entries) {
  std::vector<std::string> subfolders;
  bool whole = true;
  platform::DirectoryListing listing;
  const std::error_code opened = listing.open(folder);
  std::error_code code = opened;
  for (; !code; code = listing.next()) {
    const platform::DirEntry& entry = listing.entry();
    if (entry.name() == "." || entry.name() == "..") continue;
    if (entry.isSymlink()) {
      if (entry.name().ends_with(".desktop") || (deep && platform::folderExists(entry.fullPath()))) whole = false;
    } else if (entry.isDirectory()) {
      if (deep) subfolders.push_back(entry.fullPath());
    } else if (entry.name().ends_with(".desktop")) {
      entries.push_back(entry.fullPath());
    }
  }
  whole = listedWhole(opened, code, listing.close()) && whole;
  for (const std::string& subfolder : subfolders) whole = collectEntries(subfolder, deep, entries) && whole;
  return whole;
}

}  // namespace

std::optional<std::string> WineIconRemoval::iconOf([[maybe_unused]] const std::string& path) const {
  if constexpr (platform::kNativeStyle == platform::PathStyle::Posix) return iconNamedIn(path).valueOr(std::nullopt);
  return std::nullopt;
}

std::optional<std::map<std::string, std::set<std::string>>>& WineIconRemoval::users() {
  if (!read_) {
    read_ = true;
    if constexpr (platform::kNativeStyle == platform::PathStyle::Posix) {
      std::vector<std::string> entries;
      bool whole = true;
      if (const std::string applications = wine::associationPlaces().applications; !applications.empty()) {
        whole = collectEntries(applications, true, entries);
      }
      if (const std::string desktop = wine::menuPlaces().desktop; !desktop.empty()) {
        whole = collectEntries(desktop, false, entries) && whole;
      }
      std::map<std::string, std::set<std::string>> named;
      for (const std::string& entry : entries) {
        const platform::Result<std::optional<std::string>> icon = iconNamedIn(entry);
        // One gone meanwhile names nothing.
        whole = (icon || icon.error() == std::errc::no_such_file_or_directory) && whole;
        if (icon && *icon) named[**icon].insert(entry);
      }
      // An entry not seen may name any icon: then none can be known to be unused.
      if (whole) users_ = std::move(named);
    }
  }
  return users_;
}

void WineIconRemoval::entryGone(const std::string& path, const std::string& icon, RemovalReport& report) {
  auto& named = users();
  if (!named) return;
  auto found = named->find(icon);
  if (found != named->end()) {
    found->second.erase(path);
    if (!found->second.empty()) return;
    named->erase(found);
  }
  removeIcon(icon, report);
}

void WineIconRemoval::removeIcon([[maybe_unused]] const std::string& name, [[maybe_unused]] RemovalReport& report) {
  if constexpr (platform::kNativeStyle == platform::PathStyle::Posix) {
    if (!wine::isWineIconName(name)) return;
    const wine::AssociationPlaces places = wine::associationPlaces();
    std::vector<std::pair<std::string, std::string>> files;  // root, relative
    platform::DirectoryListing sizes;
    const std::error_code opened = sizes.open(places.icons);
    std::error_code code = opened;
    for (; !code; code = sizes.next()) {
      const platform::DirEntry& size = sizes.entry();
      if (size.name() == "." || size.name() == ".." || !size.isDirectory() || size.isSymlink()) continue;
      files.emplace_back(places.icons, size.name() + "/apps/" + name + ".png");
    }
    // A size not listed may keep the icon: that is a failure of its removal.
    const std::error_code closed = sizes.close();
    if (!listedWhole(opened, code, closed)) {
      const std::error_code why = opened ? opened : code != platform::OsErrc::noMoreFiles ? code : closed;
      report.failures.push_back({places.icons, why, false});
    }
    files.emplace_back(places.pixmaps, name + ".png");
    files.emplace_back(places.pixmaps, name + ".xpm");
    for (const auto& [root, relative] : files) {
      const std::string path = root + "/" + relative;
      const platform::Result<platform::EntryIdentity> identity = platform::entryIdentity(path);
      if (!identity || !platform::fileExists(path)) continue;
      const std::error_code error = disposeBelow(disposal_, trash_, root, relative, *identity, path, report);
      if (!error) {
        report.menuFiles.push_back(path);
      } else if (error != std::errc::no_such_file_or_directory) {
        report.failures.push_back({path, error, false});
      }
    }
  }
}

}  // namespace zendrift::scan
