// Stale file associations as orphan records.
#include "scan/association_orphans.h"

#include "platform/path.h"
#include "profile/wine/disk_mounts.h"
#include "profile/wine/file_association.h"
#include "profile/wine/prefix_facts.h"
#include "settings/exclude_list.h"

namespace zendrift::scan {

void findOrphanAssociations([[maybe_unused]] const settings::ScanOptions& options, [[maybe_unused]] std::stop_token stop,
                            [[maybe_unused]] const std::function<void(OrphanRecord&&)>& found) {
  if constexpr (platform::kNativeStyle == platform::PathStyle::Posix) {
    namespace wine = profile::wine;
    if (!options.startMenu && !options.allUsersStartMenu) return;
    std::vector<wine::AssociationEntry> entries = wine::listAssociationEntries(wine::associationPlaces());
    if (entries.empty()) return;
    // One look at the disks, and each prefix's registry and drives read once, for every entry.
    const profile::DiskMounts disks = profile::readDiskMounts();
    wine::PrefixFacts prefixes(disks);
    for (wine::AssociationEntry& entry : entries) {
      if (stop.stop_requested()) return;
      wine::AssociationVerdict verdict = wine::associationState(entry, prefixes);
      if (verdict.state == wine::AssociationState::current) continue;
      std::string reason = verdict.state == wine::AssociationState::prefixGone
                               ? "the prefix it opens with is gone (" + entry.launch.prefix + ")"
                               : "the program it opens with is gone (" + verdict.program + ")";
      const bool excluded = settings::excludeListHolds(options.excludeList, entry.path);
      found({std::move(entry.path), std::move(entry.launch.progId), excluded, std::move(entry.root), entry.identity,
             options.prefix, OrphanKind::fileAssociation, std::move(reason)});
    }
  }
}

}  // namespace zendrift::scan
