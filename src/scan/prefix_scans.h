// Scanning several Wine prefixes in turn: one scan per prefix, each in its own profile, with the
// same folder and drive choices.
#pragma once

#include <span>
#include <stop_token>
#include <vector>

#include "profile/prefix_discovery.h"
#include "scan/orphan_scan.h"

namespace zendrift::scan {

// The scans that `options` asks for: itself alone, or with allPrefixes one per prefix of
// `prefixes` (in their order), the user's folder walked with the first only, for it is one
// folder whichever prefix is being scanned. Without any prefix found, the default one.
std::vector<settings::ScanOptions> prefixScans(const settings::ScanOptions& options,
                                               std::span<const platform::FoundPrefix> prefixes);

// Runs scanForOrphans for each of `scans` in turn and returns their reports added up; a stop
// request ends it at once. `prefixStarted` is told each scan's prefix before it begins.
ScanReport scanEachPrefix(std::span<const settings::ScanOptions> scans, std::stop_token stop, const ScanEvents& events,
                          const std::function<void(const settings::ScanOptions& scan)>& prefixStarted = {});

}  // namespace zendrift::scan
