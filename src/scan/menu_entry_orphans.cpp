// Stale menu entries as orphan records.
#include "scan/menu_entry_orphans.h"

#include "platform/path.h"
#include "profile/wine/disk_mounts.h"
#include "profile/wine/prefix_facts.h"
#include "profile/wine_menu_entries.h"
#include "settings/exclude_list.h"

namespace zendrift::scan {

void findOrphanMenuEntries([[maybe_unused]] const settings::ScanOptions& options, [[maybe_unused]] std::stop_token stop,
                           [[maybe_unused]] const std::function<void(OrphanRecord&&)>& found) {
  if constexpr (platform::kNativeStyle == platform::PathStyle::Posix) {
    const bool menus = options.startMenu || options.allUsersStartMenu;
    const bool desktops = options.desktop || options.allUsersDeskTop;
    if (!menus && !desktops) return;
    // One look at the disks for every entry: an entry on a disk that is not mounted is not stale.
    const profile::DiskMounts disks = profile::readDiskMounts();
    // Each prefix, its drives and the folders looked into are read once for all its entries.
    profile::wine::PrefixFacts prefixes(disks);
    for (profile::wine::MenuEntry& entry :
         profile::wine::listMenuEntries(profile::wine::menuPlaces(), menus, desktops)) {
      if (stop.stop_requested()) return;
      const profile::wine::MenuEntryState state = profile::wine::menuEntryState(entry, prefixes);
      if (state == profile::wine::MenuEntryState::current) continue;
      std::string reason = state == profile::wine::MenuEntryState::prefixGone
                               ? "the prefix it starts is gone (" + entry.launch.prefix + ")"
                               : "the shortcut it starts is gone";
      const bool excluded = settings::excludeListHolds(options.excludeList, entry.path);
      found({std::move(entry.path), std::move(entry.launch.path), excluded, std::move(entry.root), entry.identity,
             options.prefix, OrphanKind::menuEntry, std::move(reason)});
    }
  }
}

}  // namespace zendrift::scan
