// The scan: walks the chosen folders for shortcuts and hands each orphan to its caller as a
// record, in the order found. Data in (the options and a stop token), data out (records and a
// report); it knows nothing of windows or output formats.
#pragma once

#include <functional>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

#include "platform/guarded_removal.h"
#include "platform/os_error.h"
#include "settings/scan_options.h"

namespace zendrift::scan {

class ScanRun;

enum class OrphanKind {
  shortcut,   // a shortcut file
  menuEntry,  // a menu entry that Wine made from a shortcut, and that starts nothing any more
  launcher,   // a game manager's launcher whose game the manager no longer has
  fileAssociation,  // Wine's desktop entry for a file type, whose prefix or program is gone
};

// The kind as /list /json names it.
constexpr std::string_view orphanKindName(OrphanKind kind) {
  switch (kind) {
    case OrphanKind::shortcut: return "shortcut";
    case OrphanKind::menuEntry: return "menu entry";
    case OrphanKind::launcher: return "launcher";
    case OrphanKind::fileAssociation: return "file association";
  }
  return "shortcut";
}

// One orphan as the scan found it.
struct OrphanRecord {
  std::string path;    // the shortcut's host path (a menu entry's .desktop file)
  std::string target;  // the target it stores (the shortcut a menu entry starts)
  bool excluded = false;  // the exclude list keeps it: listed, never marked
  // The folder whose walk found it, and the entry itself: the removal deletes exactly that entry,
  // reached again from that folder, and nothing that took its place.
  std::string root;
  platform::EntryIdentity identity;
  // The Wine prefix the scan was asked for (ScanOptions::prefix): the removal keeps that
  // profile's well-known folders, not another's.
  std::string prefix;
  OrphanKind kind = OrphanKind::shortcut;
  // Why the check judged it an orphan: "file not found", "drive Q: is not present", ...
  std::string reason;
};

// A folder of a walk whose listing failed; its shortcuts were not examined.
struct UnreadableFolder {
  std::string path;
  std::error_code code;
};

struct ScanReport {
  int orphans = 0;
  std::vector<UnreadableFolder> unreadable;
  bool stopped = false;
  // "Ready. N orphan(s) found.", and how many folders could not be read when any.
  std::string statusText() const;
};

// What the scan tells its caller as it goes. Both are called on the scanning thread.
struct ScanEvents {
  // A chosen folder's walk begins (the window shows "Scanning for orphans in " + folder).
  std::function<void(const std::string& folder)> folderStarted;
  std::function<void(OrphanRecord&& record)> orphanFound;
  // Every folder a walk lists, before its shortcuts are judged; for tests and benchmarks.
  std::function<void(const std::string& folder)> folderListed;
};

// Walks each chosen folder of the profile `options.prefix` names (allPrefixes is the caller's to
// carry out, one scan per prefix) in the fixed order (Start menus, desktops, Favorites,
// History, Program files, Temp, Application data, Recent, then the user's folder), skipping
// folders that do not exist. A stop request is honoured before the next folder or shortcut; the
// folders after it are not walked.
ScanReport scanForOrphans(const settings::ScanOptions& options, std::stop_token stop, const ScanEvents& events);
// The same as one scan of `run` (scan/scan_run.h): a folder or a shortcut met by an earlier scan
// of the run is passed over, and shortcuts outside the scanned prefix's own folder are judged in
// the run's other prefixes too.
ScanReport scanForOrphans(const settings::ScanOptions& options, std::stop_token stop, const ScanEvents& events,
                          ScanRun& run);

}  // namespace zendrift::scan
