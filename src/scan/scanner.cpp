// The scan driver and the orphan removal.
#include "scan/scanner.h"

#include <algorithm>
#include <array>

#include "platform/ascii_case.h"
#include "platform/directory_listing.h"
#include "platform/file_system.h"
#include "platform/path.h"
#include "scan/check_list_model.h"
#include "shortcut/orphan_test.h"

namespace zendrift::scan {

namespace {

constexpr std::string_view kShortcutMask = "*.lnk";

using FolderAccessor = std::string (sysfolders::TJvSystemFolders::*)() const;

// A protected folder compared in one form: without a trailing delimiter, and without regard to
// letter case where the file system ignores it, so "C:\Users\Ann\" protects "c:\users\ann".
std::string comparable(std::string_view folder) {
  std::string result = platform::excludeTrailingDelimiter(folder);
  if constexpr (platform::kNativeStyle == platform::PathStyle::Windows) {
    for (char& c : result) c = platform::lowerAscii(c);
  }
  return result;
}

}  // namespace

Scanner::Scanner(settings::TIniRec& options, ScanWindow& window) : options_(options), window_(window) {
  engine_.FileParams().setSearchTypes({search::stFileMask});
  engine_.OnFindFile = [this](search::TJvSearchFiles& sender, const std::string& name) {
    JvSearchFiles1FindFile(sender, name);
  };
  engine_.OnProgress = [this](search::TJvSearchFiles& sender) { JvSearchFiles1Progress(sender); };
}

void Scanner::ScanForOrphans() {
  if (engine_.Busy()) {
    engine_.Abort();
    window_.setScanButtonCaption("Start scan");
    ScanAborted = true;
  } else {
    ScanAborted = false;
    // Drives may have been mounted or unmounted since the last scan.
    driveTypes_.clear();
    window_.resultList().Clear();
    window_.setScanButtonCaption("Stop scan");

    // Each step reads its flag when it is reached: a stop pressed in between changes them.
    struct Step {
      bool settings::TIniRec::*flag;
      FolderAccessor folder;
    };
    using Folders = sysfolders::TJvSystemFolders;
    static constexpr std::array<Step, 10> kSteps{{
        {&settings::TIniRec::StartMenu, &Folders::StartMenu},
        {&settings::TIniRec::AllUsersStartMenu, &Folders::CommonStartmenu},
        {&settings::TIniRec::Desktop, &Folders::Desktop},
        {&settings::TIniRec::AllUsersDeskTop, &Folders::CommonDesktopDirectory},
        {&settings::TIniRec::Favorites, &Folders::Favorites},
        {&settings::TIniRec::History, &Folders::History},
        {&settings::TIniRec::ProgramFiles, &Folders::ProgramFiles},
        {&settings::TIniRec::TempPath, &Folders::Temp},
        {&settings::TIniRec::ApplicationData, &Folders::AppData},
        {&settings::TIniRec::Recent, &Folders::Recent},
    }};
    for (const Step& step : kSteps) {
      if (options_.*step.flag && !ScanAborted) ScanFolder((computerInfo_.Folders().*step.folder)());
    }
    if (platform::folderExists(options_.UserDir) && !ScanAborted) ScanFolder(options_.UserDir);
  }

  window_.setScanButtonCaption("Start scan");
  const int count = window_.resultList().Items.Count();
  window_.setStatusText("Ready. " + std::to_string(count) + " orphan(s) found.");
  if (count > 0) {
    window_.setDeleteButtonEnabled(true);
    if (window_.isWindowVisible()) window_.focusDeleteButton();
  }
}

void Scanner::ScanFolder(const std::string& folder) {
  if (!platform::folderExists(folder)) return;
  engine_.FoundDirectories().clear();
  engine_.setRootDirectory(folder);
  engine_.FileParams().FileMasks().clear();
  engine_.FileParams().FileMasks().add(std::string(kShortcutMask));
  window_.setStatusText("Scanning for orphans in " + folder);
  engine_.Search();
}

void Scanner::JvSearchFiles1FindFile(search::TJvSearchFiles&, const std::string& name) {
  const shortcut::OrphanVerdict verdict = shortcut::TestForOrphan(name, options_, &driveTypes_);
  if (!verdict.orphan) return;
  CheckListModel& list = window_.resultList();
  const int index = list.Items.Add(name);
  if (!verdict.excluded) list.SetItemChecked(index, true);
  if (OnOrphan) OnOrphan(name, verdict.target);
  window_.processMessages();
}

void Scanner::JvSearchFiles1Progress(search::TJvSearchFiles&) { window_.processMessages(); }

bool Scanner::FolderIsEmpty(std::string_view folder) {
  const std::string path = platform::includeTrailingDelimiter(folder);
  if (!platform::folderExists(path)) return true;
  platform::DirectoryListing listing;
  if (listing.open(path) != platform::kErrorSuccess) return true;
  do {
    const std::string& name = listing.entry().name();
    if (name != "." && name != "..") return false;
  } while (listing.next() == platform::kErrorSuccess);
  return true;
}

bool Scanner::isProtected(std::string_view folder) {
  using Folders = sysfolders::TJvSystemFolders;
  static constexpr std::array<FolderAccessor, 11> kProtected{
      &Folders::StartMenu, &Folders::CommonStartmenu, &Folders::Desktop, &Folders::CommonDesktopDirectory,
      &Folders::Favorites, &Folders::History,         &Folders::ProgramFiles, &Folders::Temp,
      &Folders::AppData,   &Folders::Recent,          &Folders::Startup};
  const std::string candidate = comparable(folder);
  // The same folder can be reached by another spelling (a drive link, a Desktop linked into the
  // home folder), so a folder that is one of them on disk is protected too.
  const std::optional<platform::FolderId> identity = platform::folderIdentity(folder);
  const auto same = [&](const std::string& path) {
    if (path.empty()) return false;
    if (comparable(path) == candidate) return true;
    return identity && platform::folderIdentity(path) == identity;
  };
  // Every path is resolved afresh: the profile may change while the removal runs.
  const bool wellKnown = std::any_of(kProtected.begin(), kProtected.end(), [&](FolderAccessor accessor) {
    return same((computerInfo_.Folders().*accessor)());
  });
  return wellKnown || same(options_.UserDir);
}

void Scanner::DeleteOrphans() {
  if (removing_) return;
  removing_ = true;
  // Nothing else may change the list under the loop: both buttons stay disabled meanwhile.
  const bool deleteWasEnabled = window_.deleteButtonEnabled();
  window_.setScanButtonEnabled(false);
  window_.setDeleteButtonEnabled(false);
  window_.setStatusText("Deleting orphans ...");

  CheckListModel& list = window_.resultList();
  for (int i = list.Items.Count() - 1; i >= 0; --i) {
    if (i >= list.Items.Count()) continue;
    if (!list.IsItemChecked(i)) continue;
    const std::string path = list.Items.Get(i);
    platform::deleteFile(path);
    const std::string folder = platform::extractFileDir(path);
    if (FolderIsEmpty(folder) && !isProtected(folder)) {
      platform::removeFolder(folder);
      FolderRemoved = true;
    }
    list.Items.Delete(i);
    window_.processMessages();
  }

  window_.setScanButtonEnabled(true);
  if (list.Items.Count() == 0) {
    list.Clear();
    window_.setDeleteButtonEnabled(false);
  } else {
    window_.setDeleteButtonEnabled(deleteWasEnabled);
  }
  window_.setStatusText(FolderRemoved ? "Idle. Please note that empty folder are also removed." : "Idle.");
  FolderRemoved = false;
  removing_ = false;
  if (window_.isWindowVisible()) window_.focusScanButton();
}

}  // namespace zendrift::scan
