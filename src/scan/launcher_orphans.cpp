// Stale launchers of game managers as orphan records.
#include "scan/launcher_orphans.h"

#include "platform/guarded_removal.h"
#include "platform/path.h"
#include "profile/launchers/game_libraries.h"
#include "settings/exclude_list.h"

namespace zendrift::scan {

namespace launchers = profile::launchers;

void findOrphanLaunchers([[maybe_unused]] const settings::ScanOptions& options, [[maybe_unused]] std::stop_token stop,
                         [[maybe_unused]] const std::function<void(OrphanRecord&&)>& found) {
  if constexpr (platform::kNativeStyle == platform::PathStyle::Posix) {
    const bool menus = options.startMenu || options.allUsersStartMenu;
    const bool desktops = options.desktop || options.allUsersDeskTop;
    if (!menus && !desktops) return;
    // Each manager's data is read once, and only when one of its launchers is met.
    launchers::GameLibraries libraries;
    for (launchers::LauncherFile& file : launchers::listLaunchers(launchers::launcherPlaces(), menus, desktops)) {
      if (stop.stop_requested()) return;
      std::optional<std::string> reason = libraries.goneReason(file.launcher);
      if (!reason) continue;
      const bool excluded = settings::excludeListHolds(options.excludeList, file.path);
      found({std::move(file.path), std::move(file.launcher.command), excluded, std::move(file.root), file.identity,
             options.prefix, OrphanKind::launcher, std::move(*reason)});
    }
  }
}

std::optional<std::string> LauncherRecheck::reasonToKeep([[maybe_unused]] const OrphanRecord& record) {
  if constexpr (platform::kNativeStyle == platform::PathStyle::Posix) {
    if (!(platform::entryIdentity(record.path) == record.identity)) return std::nullopt;
    // Lutris rewrites a launcher in place when its game is installed again.
    const std::optional<launchers::GameLauncher> launcher = launchers::readLauncher(record.path, record.identity);
    if (!launcher) return "rewritten since the scan and no longer a game's launcher";
    if (!libraries_) libraries_ = std::make_shared<launchers::GameLibraries>();
    if (!libraries_->goneReason(*launcher)) return "its game is no longer known to be gone";
  }
  return std::nullopt;
}

bool isLauncherPlace([[maybe_unused]] std::string_view root) {
  if constexpr (platform::kNativeStyle == platform::PathStyle::Posix) {
    const launchers::LauncherPlaces places = launchers::launcherPlaces();
    return !root.empty() && (root == places.menu || root == places.desktop);
  }
  return false;
}

}  // namespace zendrift::scan
