// Scanning several Wine prefixes in turn: one scan per prefix, each in its own profile, with the
// same folder and drive choices, as one run.
#pragma once

#include <functional>
#include <span>
#include <stop_token>
#include <string>
#include <vector>

#include "profile/prefix_discovery.h"
#include "scan/orphan_scan.h"

namespace zendrift::scan {

// The scans that `options` asks for: itself alone, or with allPrefixes one per prefix of
// `prefixes` (in their order), the user's folder walked with the first only, for it is one
// folder whichever prefix is being scanned. Without any prefix found, the default one.
std::vector<settings::ScanOptions> prefixScans(const settings::ScanOptions& options,
                                               std::span<const platform::FoundPrefix> prefixes);

// One run: its scans, and the real folders of every prefix found on the machine, which judge
// together the shortcuts lying outside a scanned prefix's own folder.
struct ScanPlan {
  std::vector<settings::ScanOptions> scans;
  std::vector<std::string> machinePrefixes;
};
// The run `options` asks for, with `found` the prefixes the front end found on the machine.
ScanPlan planScans(const settings::ScanOptions& options, std::span<const platform::FoundPrefix> found);

// Runs scanForOrphans for each scan of `plan` in turn, as one run (scan/scan_run.h), and returns
// their reports added up; a stop request ends it at once. `prefixStarted` is told each scan's
// prefix before it begins.
ScanReport scanEachPrefix(const ScanPlan& plan, std::stop_token stop, const ScanEvents& events,
                          const std::function<void(const settings::ScanOptions& scan)>& prefixStarted = {});

}  // namespace zendrift::scan
