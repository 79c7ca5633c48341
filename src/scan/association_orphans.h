// Wine's file associations that open nothing any more, found on their own: their prefix is gone,
// or the program their ProgID opens with is.
#pragma once

#include <functional>
#include <stop_token>

#include "scan/orphan_scan.h"
#include "settings/scan_options.h"

namespace zendrift::scan {

// Hands each such association entry to `found` as a record of kind fileAssociation, when a Start
// menu is chosen. Nothing on hosts without Wine's places.
void findOrphanAssociations(const settings::ScanOptions& options, std::stop_token stop,
                            const std::function<void(OrphanRecord&&)>& found);

}  // namespace zendrift::scan
