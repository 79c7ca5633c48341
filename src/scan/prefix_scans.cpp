// One scan per prefix, as one run.
#include "scan/prefix_scans.h"

#include <set>
#include <string>

#include "scan/scan_run.h"

namespace zendrift::scan {

std::vector<settings::ScanOptions> prefixScans(const settings::ScanOptions& options,
                                               std::span<const profile::FoundPrefix> prefixes,
                                               const std::string& defaultPrefix) {
  settings::ScanOptions single = options;
  single.allPrefixes = false;
  if (!options.allPrefixes || prefixes.empty()) {
    if (options.allPrefixes || single.prefix.empty()) single.prefix = defaultPrefix;
    return {single};
  }
  std::vector<settings::ScanOptions> scans;
  for (const profile::FoundPrefix& prefix : prefixes) {
    single.prefix = prefix.path;
    scans.push_back(single);
    single.userDir.clear();
  }
  return scans;
}

ScanPlan planScans(const settings::ScanOptions& options, std::span<const profile::FoundPrefix> found,
                   const std::string& defaultPrefix) {
  ScanPlan plan;
  plan.scans = prefixScans(options, found, defaultPrefix);
  for (const profile::FoundPrefix& prefix : found) plan.machinePrefixes.push_back(prefix.path);
  return plan;
}

ScanReport scanEachPrefix(const ScanPlan& plan, std::stop_token stop, const ScanEvents& events,
                          const std::function<void(const settings::ScanOptions& scan)>& prefixStarted) {
  ScanReport total;
  ScanRun run(plan.machinePrefixes);
  // Every scan looks at the desktop entries (Wine's menu entries and associations, game
  // managers' launchers) of every prefix: each stale one is handed on once.
  std::set<std::string> menuEntriesFound;
  int repeated = 0;
  ScanEvents once = events;
  once.orphanFound = [&](OrphanRecord&& record) {
    if (record.kind != OrphanKind::shortcut && !menuEntriesFound.insert(record.path).second) {
      ++repeated;
      return;
    }
    if (events.orphanFound) events.orphanFound(std::move(record));
  };
  for (const settings::ScanOptions& scan : plan.scans) {
    if (stop.stop_requested()) {
      total.stopped = true;
      break;
    }
    if (prefixStarted) prefixStarted(scan);
    ScanReport report = scanForOrphans(scan, stop, once, run);
    total.orphans += report.orphans;
    total.unreadable.insert(total.unreadable.end(), std::make_move_iterator(report.unreadable.begin()),
                            std::make_move_iterator(report.unreadable.end()));
    total.stopped = total.stopped || report.stopped;
  }
  total.orphans -= repeated;
  return total;
}

}  // namespace zendrift::scan
