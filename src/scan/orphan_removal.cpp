// The removal: guarded deletions, the emptied folders, and what may never be removed.
#include "scan/orphan_removal.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>

#include "platform/ascii_case.h"
#include "platform/directory_listing.h"
#include "platform/path.h"
#include "profile/windows_profile.h"
#include "scan/launcher_orphans.h"
#include "scan/association_removal.h"
#include "scan/menu_entry_removal.h"
#include "scan/wine_icon_removal.h"
#include "scan/orphan_check.h"
#include "profile/well_known_folders.h"

namespace zendrift::scan {

namespace {

using FolderMember = std::string profile::WellKnownFolders::*;
using Folders = profile::WellKnownFolders;

// The well-known folders of the profile: none of them is ever removed, whether a scan visits it
// or not (the all-users Startup and Programs folders included). Beside these, every shell folder
// the profile names by number.
constexpr int kShellFolderNumbers = 64;
constexpr std::array<FolderMember, 29> kWellKnownFolders{
    &Folders::desktop,        &Folders::programs,        &Folders::personal,
    &Folders::favorites,      &Folders::startup,         &Folders::recent,
    &Folders::sendTo,         &Folders::startMenu,       &Folders::desktopDirectory,
    &Folders::nethood,        &Folders::fonts,           &Folders::commonStartmenu,
    &Folders::commonPrograms, &Folders::commonStartup,   &Folders::commonDesktopDirectory,
    &Folders::commonAppData,  &Folders::appData,         &Folders::printhood,
    &Folders::commonFavorites, &Folders::templates,      &Folders::internetCache,
    &Folders::cookies,        &Folders::history,         &Folders::profile,
    &Folders::programFiles,   &Folders::commonFiles,     &Folders::windows,
    &Folders::system,         &Folders::temp,
};

// A protected folder compared in one form: without a trailing delimiter, and without regard to
// letter case where the file system ignores it, so "C:\Users\Ann\" protects "c:\users\ann".
std::string comparable(std::string_view folder) {
  std::string result = platform::withoutTrailingSeparator(folder);
  if constexpr (platform::kNativeStyle == platform::PathStyle::Windows) {
    for (char& c : result) c = platform::lowerAscii(c);
  }
  return result;
}

// `path` below `root`, as the guarded removal takes it; empty when it is not below it.
std::string_view below(std::string_view path, const std::string& root) {
  const std::string prefix = platform::withTrailingSeparator(root);
  if (path.size() <= prefix.size() || path.substr(0, prefix.size()) != prefix) return {};
  return path.substr(prefix.size());
}

// The folders a removal never removes, resolved once when it starts: by text and by identity on
// disk, since the same folder can be reached by another spelling (a drive link, a Desktop linked
// into the home folder).
class ProtectedFolders {
 public:
  ProtectedFolders(const std::string& userFolder, const profile::ShortcutProfile& scanned,
                   profile::RegistryCache& registries) {
    const profile::WellKnownFolders wellKnownFolders = profile::wellKnownFolders(scanned, registries);
    for (const FolderMember member : kWellKnownFolders) add(wellKnownFolders.*member);
    for (int number = 0; number < kShellFolderNumbers; ++number) {
      add(profile::specialFolderPath(number, scanned, registries));
    }
    add(userFolder);
  }

  bool holds(std::string_view folder) const {
    if (std::find(paths_.begin(), paths_.end(), comparable(folder)) != paths_.end()) return true;
    const std::optional<platform::FolderId> identity = platform::folderIdentity(folder);
    return identity && std::find(identities_.begin(), identities_.end(), *identity) != identities_.end();
  }

 private:
  void add(const std::string& path) {
    if (path.empty()) return;
    paths_.push_back(comparable(path));
    if (const auto identity = platform::folderIdentity(path)) identities_.push_back(*identity);
  }

  std::vector<std::string> paths_;
  std::vector<platform::FolderId> identities_;
};

class Removal {
 public:
  Removal(const std::string& userFolder, std::stop_token stop, Disposal disposal, const RemovalCheck& check)
      : userFolder_(userFolder), stop_(std::move(stop)), disposal_(disposal), recheck_(check) {}

  RemovalReport run(std::span<const OrphanRecord> orphans, const RemovalEvents& events) {
    // Every scanned prefix's folders are resolved before anything is deleted.
    for (const OrphanRecord& orphan : orphans) scannedFor(orphan.prefix);
    for (std::size_t i = orphans.size(); i-- > 0;) {
      if (stop_.stop_requested()) {
        report_.stopped = true;
        break;
      }
      if (events.orphanStarting) events.orphanStarting(i);
      // A last look from the disk: what changed since the scan stays, and so does a file that
      // took the place of what was listed.
      std::optional<std::string> keptWhy = recheck_.reasonToKeep(orphans[i]);
      if constexpr (platform::kNativeStyle == platform::PathStyle::Posix) {
        if (orphans[i].kind == OrphanKind::fileAssociation) keptWhy = associations_.reasonToKeep(orphans[i]);
      }
      std::error_code error;
      if (!keptWhy) {
        error = remove(orphans[i]);
        if (error == platform::RemovalError::changedSinceScan) {
          keptWhy = "replaced by another file since the scan";
        }
      }
      if (keptWhy) {
        report_.kept.push_back({orphans[i].path, *keptWhy});
        if (events.orphanKept) events.orphanKept(i, *keptWhy);
      } else if (events.orphanDone) {
        events.orphanDone(i, error);
      }
    }
    if constexpr (platform::kNativeStyle == platform::PathStyle::Posix) associations_.refreshCaches();
    return std::move(report_);
  }

 private:
  std::error_code remove(const OrphanRecord& orphan) {
    if (orphan.kind == OrphanKind::menuEntry) return removeMenuEntry(orphan);
    if (orphan.kind == OrphanKind::launcher) return removeLauncher(orphan);
    if (orphan.kind == OrphanKind::fileAssociation) return removeAssociation(orphan);
    // The menu entries made from a shortcut are known by it: they are looked for while it exists.
    const std::vector<profile::wine::MenuEntry> menuEntries = menuEntries_.madeFrom(orphan);
    const std::string_view relative = below(orphan.path, orphan.root);
    std::error_code error = relative.empty() ? platform::RemovalError::notBelowRoot
                                             : dispose(orphan.root, relative, orphan.identity, orphan.path);
    // Another file in its place is kept, not a failure: the caller says so.
    if (error == platform::RemovalError::changedSinceScan) return error;
    if (error && error != std::errc::no_such_file_or_directory) {
      report_.failures.push_back({orphan.path, error, false});
      return error;
    }
    // A shortcut that someone else deleted meanwhile is gone all the same, but not by this removal.
    (error ? report_.alreadyGone : report_.deleted).push_back(orphan.path);
    removeFolderIfEmptied(orphan);
    menuEntries_.removeMadeFrom(menuEntries, report_);
    return {};
  }

  std::error_code removeMenuEntry(const OrphanRecord& orphan) {
    return settleEntry(orphan, menuEntries_.removeOrphanEntry(orphan, report_));
  }

  // A launcher is one file directly in a place where launchers lie, and nothing goes with it.
  std::error_code removeLauncher(const OrphanRecord& orphan) {
    const std::string_view relative = isLauncherPlace(orphan.root) ? below(orphan.path, orphan.root) : std::string_view();
    return settleEntry(orphan, relative.empty() || relative.find('/') != std::string_view::npos
                                   ? std::error_code(platform::RemovalError::notBelowRoot)
                                   : dispose(orphan.root, relative, orphan.identity, orphan.path));
  }

  // Reports how an entry listed on its own went. Another file in its place is kept, as a
  // shortcut's is: the caller says so.
  std::error_code settleEntry(const OrphanRecord& orphan, std::error_code error) {
    if (error == platform::RemovalError::changedSinceScan) return error;
    if (error && error != std::errc::no_such_file_or_directory) {
      report_.failures.push_back({orphan.path, error, false});
      return error;
    }
    (error ? report_.alreadyGone : report_.deleted).push_back(orphan.path);
    return {};
  }

  std::error_code removeAssociation([[maybe_unused]] const OrphanRecord& orphan) {
    std::error_code error = platform::RemovalError::notBelowRoot;
    if constexpr (platform::kNativeStyle == platform::PathStyle::Posix) error = associations_.removeOrphan(orphan, report_);
    return settleEntry(orphan, error);
  }

  // Deletes one checked file below `root` the way this removal deletes: into the trash, noting
  // where it went, or for good.
  std::error_code dispose(const std::string& root, std::string_view relative, const platform::EntryIdentity& identity,
                          const std::string& path) {
    report_.addRoot(root);
    if (disposal_ == Disposal::permanent) return platform::deleteFileBelow(root, relative, identity);
    platform::Result<platform::TrashedFile> trashed = trash_.moveBelow(root, relative, identity, path);
    if (trashed) report_.trashed.push_back(std::move(trashed).value());
    return trashed.error();
  }

  void removeFolderIfEmptied(const OrphanRecord& orphan) {
    const std::string folder = platform::parentPath(orphan.path);
    // The walk's root is a well-known folder or the user's folder: below() refuses it.
    const std::string_view relative = below(folder, orphan.root);
    if (relative.empty()) return;
    Scanned& scanned = scannedFor(orphan.prefix);
    if (scanned.protectedFolders.holds(folder)) return;
    // Another Wine prefix or Windows installation met in a scanned folder: its folders are that
    // profile's own, well-known ones among them; it keeps them all.
    if (!profile::isScannedProfile(scanned.profiles.profileOf(orphan.path), scanned.profile)) return;
    const std::error_code error = platform::removeEmptyFolderBelow(orphan.root, relative);
    if (!error) {
      report_.removedFolders.push_back(folder);
    } else if (error != platform::RemovalError::folderNotEmpty && error != std::errc::no_such_file_or_directory) {
      report_.failures.push_back({folder, error, true});
    }
  }

  // What the removal knows of each prefix that was scanned: records of several scans (every
  // prefix in turn) each keep their own prefix's folders, never judged by another's layout.
  struct Scanned {
    explicit Scanned(const std::string& userFolder, const std::string& prefix)
        : profile(profile::scannedProfile(prefix)),
          profiles(profile),
          protectedFolders(userFolder, profile, profiles.registries()) {}
    profile::ShortcutProfile profile;
    ProfileCache profiles;
    ProtectedFolders protectedFolders;
  };

  Scanned& scannedFor(const std::string& prefix) {
    return scanned_.try_emplace(prefix, userFolder_, prefix).first->second;
  }

  std::string userFolder_;
  std::stop_token stop_;
  const Disposal disposal_;
  std::map<std::string, Scanned> scanned_;  // by prefix
  platform::Trash trash_;
  OrphanRecheck recheck_;
  WineIconRemoval icons_{disposal_, trash_};
  MenuEntryRemoval menuEntries_{disposal_, trash_, icons_};
  AssociationRemoval associations_{disposal_, trash_, icons_};
  RemovalReport report_;
};

}  // namespace

void RemovalReport::addRoot(const std::string& root) {
  if (std::find(roots.begin(), roots.end(), root) == roots.end()) roots.push_back(root);
}

int RemovalReport::failedShortcuts() const {
  return static_cast<int>(std::count_if(failures.begin(), failures.end(), [](const RemovalFailure& f) { return !f.folder; }));
}

std::string RemovalReport::statusText() const {
  std::string text = removedFolders.empty() ? "Idle." : "Idle. Please note that empty folder are also removed.";
  const auto shortcuts = static_cast<std::size_t>(failedShortcuts());
  if (shortcuts > 0) text += " " + std::to_string(shortcuts) + " shortcut(s) could not be deleted.";
  if (const std::size_t folders = failures.size() - shortcuts; folders > 0) {
    text += " " + std::to_string(folders) + " folder(s) could not be removed.";
  }
  if (!kept.empty()) text += " " + std::to_string(kept.size()) + " shortcut(s) kept: changed since the scan.";
  return text;
}

RemovalReport removeOrphans(std::span<const OrphanRecord> orphans, const std::string& userFolder, std::stop_token stop,
                            const RemovalEvents& events, Disposal disposal, const RemovalCheck& check) {
  return Removal(userFolder, std::move(stop), disposal, check).run(orphans, events);
}

}  // namespace zendrift::scan
