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
// folder whichever prefix is being scanned. Where `options` names no prefix, and with allPrefixes
// when none was found, the scan is of `defaultPrefix` (the front end's $WINEPREFIX, else ~/.wine):
// every scan names its prefix.
std::vector<settings::ScanOptions> prefixScans(const settings::ScanOptions& options,
                                               std::span<const profile::FoundPrefix> prefixes,
                                               const std::string& defaultPrefix);

// One run: its scans, and the real folders of every prefix found on the machine, which judge
// together the shortcuts lying outside a scanned prefix's own folder.
struct ScanPlan {
  std::vector<settings::ScanOptions> scans;
  std::vector<std::string> machinePrefixes;
};
// The run `options` asks for, with `found` the prefixes the front end found on the machine and
// `defaultPrefix` the one scanned when none is chosen.
ScanPlan planScans(const settings::ScanOptions& options, std::span<const profile::FoundPrefix> found,
                   const std::string& defaultPrefix);

// Runs scanForOrphans for each scan of `plan` in turn, as one run (scan/scan_run.h), and returns
// their reports added up; a stop request ends it at once. `prefixStarted` is told each scan's
// prefix before it begins.
ScanReport scanEachPrefix(const ScanPlan& plan, std::stop_token stop, const ScanEvents& events,
                          const std::function<void(const settings::ScanOptions& scan)>& prefixStarted = {});

}  // namespace zendrift::scan
