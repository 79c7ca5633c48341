// Scanning the chosen folders for orphans, and removing the marked ones.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <system_error>
#include <unordered_map>
#include <vector>

#include "platform/guarded_removal.h"
#include "platform/os_error.h"
#include "scan/scan_window.h"
#include "search/search_files.h"
#include "settings/ini_rec.h"
#include "shortcut/orphan_test.h"
#include "sysfolders/computer_info.h"
#include "sysfolders/system_folders.h"

namespace zendrift::scan {

// Program-wide flags: a stop request skips the remaining folders of a scan; a removal notes
// that it removed a folder; the close of the window saves the settings.
inline bool ScanAborted = false;
inline bool FolderRemoved = false;
inline bool SaveOnClose = false;

// A folder of a walk whose listing failed; its shortcuts were not examined.
struct UnreadableFolder {
  std::string path;
  platform::OsErrorCode code = platform::kErrorSuccess;
};

// Something the removal was asked to delete and could not, and why.
struct RemovalFailure {
  std::string path;
  std::error_code error;
  bool folder = false;  // an emptied folder, not a marked shortcut
};

// What the last removal did.
struct RemovalReport {
  std::vector<std::string> deleted;
  std::vector<std::string> removedFolders;
  std::vector<RemovalFailure> failures;
  // Stopped before every marked line was visited.
  bool stopped = false;
  int failedShortcuts() const;
};

class Scanner {
 public:
  Scanner(settings::TIniRec& options, ScanWindow& window);
  Scanner(const Scanner&) = delete;
  Scanner& operator=(const Scanner&) = delete;

  // Starts a scan of the chosen folders, or stops the running one when called during it.
  void ScanForOrphans();
  // Walks one folder for shortcuts; a folder that does not exist is skipped.
  void ScanFolder(const std::string& folder);
  // Deletes the marked lines' files from the last line to the first, removing folders that are
  // left empty unless they are protected.
  void DeleteOrphans();
  // Whether a folder holds no entry at all; one that cannot be listed counts as empty.
  static bool FolderIsEmpty(std::string_view folder);

  // True while a removal runs; the window keeps both buttons disabled then.
  bool Removing() const noexcept { return removing_; }
  // Asks a running removal to stop after the file it is deleting; what it did stays done.
  void StopRemoval() noexcept { stopRemoval_ = removing_; }
  // The folders of the last scan that could not be read, in the order met.
  const std::vector<UnreadableFolder>& UnreadableFolders() const noexcept { return unreadable_; }
  const RemovalReport& LastRemoval() const noexcept { return lastRemoval_; }
  search::TJvSearchFiles& JvSearchFiles1() noexcept { return engine_; }
  sysfolders::TJvComputerInfoEx& JvComputerInfoEx1() noexcept { return computerInfo_; }

  // Told of each orphan as it is listed, with the target it stores (the unattended listing
  // prints it).
  std::function<void(const std::string& path, const std::string& target)> OnOrphan;

  // The engine's events.
  void JvSearchFiles1FindFile(search::TJvSearchFiles& sender, const std::string& name);
  void JvSearchFiles1Progress(search::TJvSearchFiles& sender);

 private:
  // What the scan saw of an orphan it listed: the folder whose walk found it, and the entry itself,
  // so that the removal deletes that entry and nothing that took its place.
  struct FoundShortcut {
    std::string root;
    platform::EntryIdentity identity;
  };

  bool isProtected(std::string_view folder);
  std::error_code deleteListed(const std::string& path);
  void removeFolderIfEmptied(const std::string& path);

  settings::TIniRec& options_;
  ScanWindow& window_;
  search::TJvSearchFiles engine_;
  sysfolders::TJvComputerInfoEx computerInfo_;
  shortcut::DriveTypeMemo driveTypes_;
  bool removing_ = false;
  bool stopRemoval_ = false;
  std::string walkRoot_;
  std::unordered_map<std::string, FoundShortcut> found_;
  std::vector<UnreadableFolder> unreadable_;
  RemovalReport lastRemoval_;
};

}  // namespace zendrift::scan
