// Deciding whether a found shortcut is an orphan: its target is missing on a drive class that
// the options examine, in the Windows profile that holds the shortcut.
#pragma once

#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "profile/folder_listings.h"
#include "profile/windows_profile.h"
#include "settings/scan_options.h"

namespace zendrift::scan {

struct OrphanVerdict {
  bool orphan = false;
  // Listed but left unmarked: the exclude list names the shortcut.
  bool excluded = false;
  // The target as the shortcut stores it; empty when it stores none.
  std::string target;
  // For an orphan, why: "file not found", "drive Q: is not present", ...
  std::string reason;
};

// What one scan has already learnt, so that it asks each question once: the profile that holds
// each folder (every shortcut would otherwise stat each folder above it), drive types per
// profile and letter (each answer needs the mount table), why targets on a drive are missing, and the listings of folders that
// targets were looked up in case-blind. Cleared when a scan starts. It belongs to the thread that
// judges the shortcuts (the scan's, in the walk's order); of its parts only the listings may be
// shared with other threads.
class ProfileCache {
 public:
  // `scanned` is the profile being scanned: what holds a shortcut that no other profile holds.
  explicit ProfileCache(profile::ShortcutProfile scanned) : scanned_(std::move(scanned)) {}

  // The platform's type of the drive `drivePart` names in `profile`; asked once per profile and
  // letter until cleared. Shares are asked about every time.
  unsigned typeOf(std::string_view drivePart, const profile::ShortcutProfile& profile);
  // The profile that holds the shortcut at host path `shortcutPath`: the innermost Wine prefix or
  // Windows installation above it, else the profile being scanned.
  profile::ShortcutProfile profileOf(std::string_view shortcutPath);
  // The profile that holds the host folder `folder` (no trailing delimiter).
  const profile::ShortcutProfile& profileOfFolder(const std::string& folder);
  // Why a target on the drive or share `drivePart` (of type `driveType`) is missing: the same for
  // every target there, so asked once per profile and drive until cleared.
  const std::string& reasonFor(std::string_view drivePart, unsigned driveType, const profile::ShortcutProfile& profile);
  // The folder listings kept for target lookups.
  profile::FolderListings& listings() noexcept { return listings_; }
  // The registry files read for this cache's lookups: its own, shared with no other.
  profile::RegistryCache& registries() noexcept { return registries_; }
  void clear() {
    types_.clear();
    reasons_.clear();
    folders_.clear();
    listings_.clear();
  }

 private:
  std::map<std::pair<std::string, char>, unsigned> types_;  // by profile root and letter
  std::map<std::pair<std::string, std::string>, std::string> reasons_;  // by profile root and drive
  std::unordered_map<std::string, profile::ShortcutProfile> folders_;
  profile::ShortcutProfile scanned_;
  profile::FolderListings listings_;
  profile::RegistryCache registries_;
};

// What the check takes from the options: the drive classes whose missing targets count (fixed and
// unknown drives always do), and the exclude list.
struct OrphanCriteria {
  bool removableDrives = false;
  bool networkDrives = false;
  bool cdRomDrives = false;
  bool ramDrives = false;
  std::string excludeList;
};
OrphanCriteria orphanCriteria(const settings::ScanOptions& options);

// The other prefixes that judge a shortcut lying outside the folder of the profile that holds it
// (in a folder Wine links into the home from every prefix, or in the user's folder): it is an
// orphan only when each of them finds its target missing too.
struct OtherPrefixes {
  std::span<const std::string> folders;  // real paths, the holder's own left out
  ProfileCache* cache = nullptr;          // what lookups in them learn
  std::string_view own;                   // the holder's real folder, named in the reason
};

// Reads the shortcut at `path` (a host path) and classifies its target. Touches nothing on disk.
// What `cache` already knows is taken from it and what is learnt is kept there; it also names the
// profile being scanned.
OrphanVerdict checkForOrphan(const std::string& path, const OrphanCriteria& criteria, ProfileCache& cache);
// The same for a shortcut whose profile the caller already knows (a walk knows it for every
// folder it lists), judged in `others` as well when they are given. With `bytes` (the whole file,
// read by the walk) the file is not read again.
OrphanVerdict checkForOrphan(const std::string& path, const OrphanCriteria& criteria,
                             const profile::ShortcutProfile& profile, ProfileCache& cache,
                             const OtherPrefixes& others = {}, std::optional<std::string_view> bytes = std::nullopt);

}  // namespace zendrift::scan
