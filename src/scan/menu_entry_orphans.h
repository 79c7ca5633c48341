// Menu entries that Wine made from shortcuts and that start nothing any more, found on their own:
// their prefix is gone, or the shortcut they start is.
#pragma once

#include <functional>
#include <stop_token>

#include "scan/orphan_scan.h"
#include "settings/scan_options.h"

namespace zendrift::scan {

// Hands each such entry to `found` as a record of kind menuEntry: Wine's menu entries when a Start
// menu is chosen, its desktop entries when a desktop is. Nothing on hosts without Wine's places.
void findOrphanMenuEntries(const settings::ScanOptions& options, std::stop_token stop,
                           const std::function<void(OrphanRecord&&)>& found);

}  // namespace zendrift::scan
