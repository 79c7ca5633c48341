// Scanning the chosen folders for orphans, and removing the marked ones.
#pragma once

#include <functional>
#include <string>
#include <string_view>

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
  search::TJvSearchFiles& JvSearchFiles1() noexcept { return engine_; }
  sysfolders::TJvComputerInfoEx& JvComputerInfoEx1() noexcept { return computerInfo_; }

  // Told of each orphan as it is listed, with the target it stores (the unattended listing
  // prints it).
  std::function<void(const std::string& path, const std::string& target)> OnOrphan;

  // The engine's events.
  void JvSearchFiles1FindFile(search::TJvSearchFiles& sender, const std::string& name);
  void JvSearchFiles1Progress(search::TJvSearchFiles& sender);

 private:
  bool isProtected(std::string_view folder);

  settings::TIniRec& options_;
  ScanWindow& window_;
  search::TJvSearchFiles engine_;
  sysfolders::TJvComputerInfoEx computerInfo_;
  shortcut::DriveTypeMemo driveTypes_;
  bool removing_ = false;
};

}  // namespace zendrift::scan
