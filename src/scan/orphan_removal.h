// The removal: deletes the orphans a scan found and the folders their deletion leaves empty, and
// reports what it did and what it could not do.
#pragma once

#include <functional>
#include <span>
#include <stop_token>
#include <string>
#include <system_error>
#include <vector>

#include "platform/trash.h"
#include "profile/wine/file_association.h"
#include "scan/orphan_recheck.h"
#include "scan/orphan_scan.h"

namespace zendrift::scan {

// Something the removal was asked to delete and could not, and why.
struct RemovalFailure {
  std::string path;
  std::error_code error;
  bool folder = false;  // an emptied folder, not a shortcut
};

// A listed shortcut that the removal left in place, for it was no longer the orphan the scan
// listed when its turn came (scan/orphan_recheck.h), and why.
struct KeptShortcut {
  std::string path;
  std::string why;
};

// A line of a file that the removal edited in place (a mimeapps.list naming an entry that went).
struct EditedLine {
  std::string file;
  profile::wine::LineEdit edit;
  friend bool operator==(const EditedLine&, const EditedLine&) = default;
};

// Where the removal puts what it deletes.
enum class Disposal {
  trash,      // the desktop's trash (the Recycle Bin on Windows); a file it cannot take stays
  permanent,  // deleted for good
};

struct RemovalReport {
  // Every shortcut gone from its place, moved to the trash or deleted for good.
  std::vector<std::string> deleted;
  // Those of `deleted` that went to the trash, and where.
  std::vector<platform::TrashedFile> trashed;
  std::vector<std::string> removedFolders;
  // The files Wine made for the menus and desktop from deleted shortcuts, deleted with them (those
  // that went to the trash are in `trashed` too).
  std::vector<std::string> menuFiles;
  // The lines edited in files that stay, in the order edited; an undo puts them back. None when
  // the removal deleted for good.
  std::vector<EditedLine> editedLines;
  // Shortcuts (and menu entries) that were no longer there when the removal came to them: someone
  // else removed them.
  std::vector<std::string> alreadyGone;
  // The folders the removal reached what it removed from, which an undo enters the same way.
  std::vector<std::string> roots;
  void addRoot(const std::string& root);
  std::vector<RemovalFailure> failures;
  std::vector<KeptShortcut> kept;
  // Stopped before every orphan was visited.
  bool stopped = false;
  int failedShortcuts() const;
  // "Idle.", or "Idle. Please note that empty folder are also removed." when a folder went; then
  // how many shortcuts could not be deleted and folders not removed, and how many were kept,
  // when any.
  std::string statusText() const;
};

struct RemovalEvents {
  // Told before each orphan is deleted, by its index in the span; for tests and benchmarks.
  std::function<void(std::size_t index)> orphanStarting;
  // Told after each orphan, by its index in the span: no error when it is gone (deleted now, or
  // by someone else since the scan), else why it is still there. Called on the removing thread.
  std::function<void(std::size_t index, std::error_code error)> orphanDone;
  // Told instead of orphanDone for an orphan left in place since it changed after the scan.
  std::function<void(std::size_t index, const std::string& why)> orphanKept;
};

// Deletes `orphans` from the last to the first, each only while it is still the entry the scan
// saw, reached from the folder whose walk found it without following links. After each deletion
// its folder is removed when it is now empty, unless it is a well-known folder of the profile
// whose scan found it (OrphanRecord::prefix), the user's folder `userFolder`, or the walk's root.
// A stop request ends the removal after the orphan being deleted. `disposal` says whether the
// orphans go to the trash or for good. Just before it goes, each shortcut is read and judged
// again by `check`; one that is no longer the same file or no longer an orphan is kept.
RemovalReport removeOrphans(std::span<const OrphanRecord> orphans, const std::string& userFolder,
                            std::stop_token stop, const RemovalEvents& events, Disposal disposal,
                            const RemovalCheck& check);

}  // namespace zendrift::scan
