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

std::optional<std::string> iconNamedIn(const std::string& path) {
  const auto text = platform::readFile(path, kMaxEntrySize + 1);
  if (!text || text->size() > kMaxEntrySize) return std::nullopt;
  return wine::desktopEntryIcon(*text);
}

// The .desktop files in `folder`, and below it when `deep`; links are not followed.
void collectEntries(const std::string& folder, bool deep, std::vector<std::string>& entries) {
  std::vector<std::string> subfolders;
  platform::DirectoryListing listing;
  for (std::error_code code = listing.open(folder); !code; code = listing.next()) {
    const platform::DirEntry& entry = listing.entry();
    if (entry.name() == "." || entry.name() == ".." || entry.isSymlink()) continue;
    if (entry.isDirectory()) {
      if (deep) subfolders.push_back(entry.fullPath());
    } else if (entry.name().ends_with(".desktop")) {
      entries.push_back(entry.fullPath());
    }
  }
  listing.close();
  for (const std::string& subfolder : subfolders) collectEntries(subfolder, deep, entries);
}

}  // namespace

std::optional<std::string> WineIconRemoval::iconOf([[maybe_unused]] const std::string& path) const {
  if constexpr (platform::kNativeStyle == platform::PathStyle::Posix) {
    auto icon = iconNamedIn(path);
    if (icon && wine::isWineIconName(*icon)) return icon;
  }
  return std::nullopt;
}

std::map<std::string, std::set<std::string>>& WineIconRemoval::users() {
  if (!users_) {
    users_.emplace();
    if constexpr (platform::kNativeStyle == platform::PathStyle::Posix) {
      std::vector<std::string> entries;
      if (const std::string applications = wine::associationPlaces().applications; !applications.empty()) {
        collectEntries(applications, true, entries);
      }
      if (const std::string desktop = wine::menuPlaces().desktop; !desktop.empty()) collectEntries(desktop, false, entries);
      for (const std::string& entry : entries) {
        if (auto icon = iconNamedIn(entry); icon && wine::isWineIconName(*icon)) (*users_)[*icon].insert(entry);
      }
    }
  }
  return *users_;
}

void WineIconRemoval::entryGone(const std::string& path, const std::string& icon, RemovalReport& report) {
  auto& named = users();
  auto found = named.find(icon);
  if (found != named.end()) {
    found->second.erase(path);
    if (!found->second.empty()) return;
    named.erase(found);
  }
  removeIcon(icon, report);
}

void WineIconRemoval::removeIcon([[maybe_unused]] const std::string& name, [[maybe_unused]] RemovalReport& report) {
  if constexpr (platform::kNativeStyle == platform::PathStyle::Posix) {
    if (!wine::isWineIconName(name)) return;
    const wine::AssociationPlaces places = wine::associationPlaces();
    std::vector<std::pair<std::string, std::string>> files;  // root, relative
    platform::DirectoryListing sizes;
    for (std::error_code code = sizes.open(places.icons); !code; code = sizes.next()) {
      const platform::DirEntry& size = sizes.entry();
      if (size.name() == "." || size.name() == ".." || !size.isDirectory() || size.isSymlink()) continue;
      files.emplace_back(places.icons, size.name() + "/apps/" + name + ".png");
    }
    sizes.close();
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
