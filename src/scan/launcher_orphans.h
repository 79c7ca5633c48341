// Game managers' launchers whose game is gone, found on their own: a Lutris game no longer in its
// library, a Steam app no library holds, a bottle or its program that Bottles no longer has.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>

#include "scan/orphan_scan.h"
#include "settings/scan_options.h"

namespace zendrift::profile::launchers {
class GameLibraries;
}

namespace zendrift::scan {

// Hands each such launcher to `found` as a record of kind launcher: those in the menu place when a
// Start menu is chosen, those on the desktop when a desktop is. Nothing on hosts without them.
void findOrphanLaunchers(const settings::ScanOptions& options, std::stop_token stop,
                         const std::function<void(OrphanRecord&&)>& found);

// The last look at a launcher before it goes: read again, and judged by what its manager holds
// now, each manager read afresh once per removal.
class LauncherRecheck {
 public:
  // Why the launcher of `record` must stay: it is still the file the scan listed, but no longer in
  // a manager's form, or its game is no longer known to be gone. Nothing when it is not that file
  // (gone, or replaced): the guarded removal tells those apart itself.
  std::optional<std::string> reasonToKeep(const OrphanRecord& record);

 private:
  // Made at the first launcher; shared, so that hosts without launchers never need its destructor.
  std::shared_ptr<profile::launchers::GameLibraries> libraries_;
};

// Whether `root` is a place where launchers are listed from, so that a record's file may be
// removed below it. Never on hosts without them.
bool isLauncherPlace(std::string_view root);

}  // namespace zendrift::scan
