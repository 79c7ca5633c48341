// Game managers' launchers whose game is gone, found on their own: a Lutris game no longer in its
// library, a Steam app no library holds, a bottle or its program that Bottles no longer has.
#pragma once

#include <functional>
#include <stop_token>
#include <string_view>

#include "scan/orphan_scan.h"
#include "settings/scan_options.h"

namespace zendrift::scan {

// Hands each such launcher to `found` as a record of kind launcher: those in the menu place when a
// Start menu is chosen, those on the desktop when a desktop is. Nothing on hosts without them.
void findOrphanLaunchers(const settings::ScanOptions& options, std::stop_token stop,
                         const std::function<void(OrphanRecord&&)>& found);

// Whether `root` is a place where launchers are listed from, so that a record's file may be
// removed below it. Never on hosts without them.
bool isLauncherPlace(std::string_view root);

}  // namespace zendrift::scan
