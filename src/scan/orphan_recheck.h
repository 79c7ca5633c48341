// Judging a listed shortcut once more just before it goes. Minutes may pass between a scan and
// the removal (the window waits for the user), and meanwhile a shortcut may be rewritten in place
// or its target installed.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "scan/launcher_orphans.h"
#include "scan/orphan_check.h"
#include "scan/orphan_scan.h"

namespace zendrift::scan {

// What the removal judges each shortcut by, as the scan judged it: the drive classes, and the
// real folders of the prefixes found on the machine (scan/prefix_scans.h).
struct RemovalCheck {
  OrphanCriteria criteria;
  std::vector<std::string> machinePrefixes;
};

class OrphanRecheck {
 public:
  explicit OrphanRecheck(RemovalCheck check) : check_(std::move(check)) {}

  // Why the shortcut of `record` must stay: read again and judged again from the disk, with fresh
  // lookups (no folder listing kept from the scan or from an earlier shortcut), it is no orphan
  // any more. Nothing when it is still the file the scan listed and still an orphan, and nothing
  // when it is not that file (gone, or replaced): the guarded removal tells those apart itself.
  // Launchers are judged as LauncherRecheck judges them; menu entries are not judged here.
  std::optional<std::string> reasonToKeep(const OrphanRecord& record);

 private:
  RemovalCheck check_;
  LauncherRecheck launchers_;
  std::map<std::string, ProfileCache> profiles_;  // by the prefix each record was scanned for
  ProfileCache others_{profile::scannedProfile({})};  // judges other prefixes only, each named
};

}  // namespace zendrift::scan
