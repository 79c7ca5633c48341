// What the scans of one run share. Wine links each prefix's Desktop, Documents and the like to
// the same folders of the home, so a shortcut there belongs to no single prefix: it is judged in
// every prefix on the machine, and a folder or a shortcut that an earlier scan of the run already
// walked or judged is not walked or judged again.
#pragma once

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "platform/directory_listing.h"
#include "platform/guarded_removal.h"
#include "scan/orphan_check.h"

namespace zendrift::scan {

class ScanRun {
 public:
  // `machinePrefixes`: the real paths of every Wine prefix found on the machine, as the front end
  // found them once for the whole run. None: each shortcut is judged in its own profile alone.
  explicit ScanRun(std::vector<std::string> machinePrefixes = {}) : machinePrefixes_(std::move(machinePrefixes)) {}

  // The machine's prefixes but the one whose real folder is `own`.
  std::vector<std::string> prefixesBeside(std::string_view own) const;
  // True the first time the shortcut `identity` is met in this run.
  bool firstSight(const platform::EntryIdentity& identity) { return shortcuts_.insert(identity).second; }
  // True the first time a walk of the folder `identity` begins in this run.
  bool firstWalk(const platform::FolderId& identity) { return walked_.insert(identity).second; }
  // What lookups in the machine's prefixes learn, kept for the whole run.
  ProfileCache& otherPrefixes() noexcept { return others_; }

 private:
  struct IdentityHash {
    std::size_t operator()(const platform::EntryIdentity& identity) const noexcept {
      return std::hash<std::uint64_t>{}(identity.file * 0x9E3779B97F4A7C15ull ^ identity.volume);
    }
  };

  std::vector<std::string> machinePrefixes_;
  std::unordered_set<platform::EntryIdentity, IdentityHash> shortcuts_;
  std::set<platform::FolderId> walked_;
  ProfileCache others_{profile::scannedProfile({})};  // judges other prefixes only, each named
};

// `prefixes` but the one whose real folder is `own`.
std::vector<std::string> prefixesBeside(const std::vector<std::string>& prefixes, std::string_view own);

// Whether the folder `folder` (a walk's root) really lies inside the folder of `holder`, the
// profile that holds it by its path: not reached through a link out of it, as Wine's Desktop and
// Documents are. `scanned` names the prefix being scanned, which holds what no other does.
bool liesInOwnProfile(const std::string& folder, const profile::ShortcutProfile& holder,
                      const profile::ShortcutProfile& scanned);

// The real folder of `holder` (of `scanned` when it is the scanned profile named by default).
std::string realProfileFolder(const profile::ShortcutProfile& holder, const profile::ShortcutProfile& scanned);

}  // namespace zendrift::scan
