// The last look at a shortcut before it goes.
#include "scan/orphan_recheck.h"

#include "platform/guarded_removal.h"
#include "platform/path.h"
#include "scan/scan_run.h"

namespace zendrift::scan {

std::optional<std::string> OrphanRecheck::reasonToKeep(const OrphanRecord& record) {
  if (record.kind == OrphanKind::launcher) return launchers_.reasonToKeep(record);
  if (record.kind != OrphanKind::shortcut) return std::nullopt;
  if (!(platform::entryIdentity(record.path) == record.identity)) return std::nullopt;
  const platform::EntryIdentity before = record.identity;
  const profile::ShortcutProfile scanned = profile::scannedProfile(record.prefix);
  ProfileCache& cache = profiles_.try_emplace(record.prefix, scanned).first->second;
  // On a file system whose times move in coarse ticks a kept listing can miss a target made
  // since; only what was learnt of profiles and drive types is kept.
  cache.listings().clear();
  others_.listings().clear();
  // Judged as the walk that found it judged it: in the profile that holds the walk's root, and
  // in every prefix when that root lies outside the profile's own folder.
  profile::ShortcutProfile holder;
  if constexpr (platform::kNativeStyle == platform::PathStyle::Posix) {
    holder = cache.profileOfFolder(platform::withoutTrailingSeparator(record.root));
  }
  std::string own;
  std::vector<std::string> others;
  if (!liesInOwnProfile(record.root, holder, scanned)) {
    own = realProfileFolder(holder, scanned);
    others = prefixesBeside(check_.machinePrefixes, own);
  }
  const OrphanVerdict verdict =
      checkForOrphan(record.path, check_.criteria, holder, cache, OtherPrefixes{others, &others_, own});
  if (!(platform::entryIdentity(record.path) == before) || verdict.orphan) return std::nullopt;
  if (verdict.target != record.target) return "rewritten since the scan and no longer an orphan";
  return "its target is no longer missing";
}

}  // namespace zendrift::scan
