// The scan driver and the orphan removal.
#include "scan/scanner.h"

#include <algorithm>
#include <array>

#include "platform/ascii_case.h"
#include "platform/directory_listing.h"
#include "platform/file_system.h"
#include "platform/path.h"
#include "platform/windows_profile.h"
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

// The well-known folders of the profile: none of them is ever removed, whether a scan visits it
// or not (the all-users Startup and Programs folders included).
constexpr std::array<FolderAccessor, 29> kWellKnownFolders{
    &sysfolders::TJvSystemFolders::Desktop,         &sysfolders::TJvSystemFolders::Programs,
    &sysfolders::TJvSystemFolders::Personal,        &sysfolders::TJvSystemFolders::Favorites,
    &sysfolders::TJvSystemFolders::Startup,         &sysfolders::TJvSystemFolders::Recent,
    &sysfolders::TJvSystemFolders::SendTo,          &sysfolders::TJvSystemFolders::StartMenu,
    &sysfolders::TJvSystemFolders::DesktopDirectory, &sysfolders::TJvSystemFolders::Nethood,
    &sysfolders::TJvSystemFolders::Fonts,           &sysfolders::TJvSystemFolders::CommonStartmenu,
    &sysfolders::TJvSystemFolders::CommonPrograms,  &sysfolders::TJvSystemFolders::CommonStartup,
    &sysfolders::TJvSystemFolders::CommonDesktopDirectory, &sysfolders::TJvSystemFolders::CommonAppData,
    &sysfolders::TJvSystemFolders::AppData,         &sysfolders::TJvSystemFolders::Printhood,
    &sysfolders::TJvSystemFolders::CommonFavorites, &sysfolders::TJvSystemFolders::Templates,
    &sysfolders::TJvSystemFolders::InternetCache,   &sysfolders::TJvSystemFolders::Cookies,
    &sysfolders::TJvSystemFolders::History,         &sysfolders::TJvSystemFolders::Profile,
    &sysfolders::TJvSystemFolders::ProgramFiles,    &sysfolders::TJvSystemFolders::CommonFiles,
    &sysfolders::TJvSystemFolders::Windows,         &sysfolders::TJvSystemFolders::System,
    &sysfolders::TJvSystemFolders::Temp,
};

// A listing that failed because its folder is gone (removed by someone else during the walk)
// lost nothing: there is nothing left to read.
bool folderVanished(platform::OsErrorCode code) {
  return code == platform::kErrorPathNotFound || code == platform::kErrorFileNotFound;
}

std::string countText(std::size_t count, std::string_view what) {
  return " " + std::to_string(count) + " " + std::string(what);
}

}  // namespace

int RemovalReport::failedShortcuts() const {
  return static_cast<int>(std::count_if(failures.begin(), failures.end(), [](const RemovalFailure& f) { return !f.folder; }));
}

Scanner::Scanner(settings::TIniRec& options, ScanWindow& window) : options_(options), window_(window) {
  engine_.FileParams().setSearchTypes({search::stFileMask});
  engine_.OnFindFile = [this](search::TJvSearchFiles& sender, const std::string& name) {
    JvSearchFiles1FindFile(sender, name);
  };
  engine_.OnProgress = [this](search::TJvSearchFiles& sender) { JvSearchFiles1Progress(sender); };
  // A folder that cannot be read is passed over and named; the rest of the walk goes on.
  engine_.setErrorResponse(search::erIgnore);
  engine_.OnDirectoryError = [this](search::TJvSearchFiles&, const std::string& folder, platform::OsErrorCode code) {
    if (!folderVanished(code)) unreadable_.push_back({platform::excludeTrailingDelimiter(folder), code});
  };
  // Another Wine prefix or Windows installation below a scanned folder keeps its own shortcuts:
  // they are judged, and cleaned, in that profile.
  engine_.OnEnterDirectory = [](search::TJvSearchFiles&, const std::string& folder) {
    return !platform::isProfileRoot(folder);
  };
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
    found_.clear();
    unreadable_.clear();
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
  std::string status = "Ready. " + std::to_string(count) + " orphan(s) found.";
  if (!unreadable_.empty()) status += countText(unreadable_.size(), "folder(s) could not be read.");
  window_.setStatusText(status);
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
  walkRoot_ = folder;
  engine_.Search();
}

void Scanner::JvSearchFiles1FindFile(search::TJvSearchFiles&, const std::string& name) {
  const shortcut::OrphanVerdict verdict = shortcut::TestForOrphan(name, options_, &driveTypes_);
  if (!verdict.orphan) return;
  // The removal deletes exactly this entry, reached again from this walk's root.
  FoundShortcut seen{walkRoot_, {}};
  if (platform::entryIdentity(name, seen.identity)) return;  // gone since it was read
  found_.insert_or_assign(name, std::move(seen));
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
  const bool wellKnown = std::any_of(kWellKnownFolders.begin(), kWellKnownFolders.end(), [&](FolderAccessor accessor) {
    return same((computerInfo_.Folders().*accessor)());
  });
  return wellKnown || same(options_.UserDir);
}

std::error_code Scanner::deleteListed(const std::string& path) {
  const auto seen = found_.find(path);
  if (seen == found_.end()) return platform::RemovalError::changedSinceScan;
  const std::string root = platform::includeTrailingDelimiter(seen->second.root);
  if (path.size() <= root.size() || path.compare(0, root.size(), root) != 0) return platform::RemovalError::notBelowRoot;
  return platform::deleteFileBelow(seen->second.root, std::string_view(path).substr(root.size()), seen->second.identity);
}

void Scanner::removeFolderIfEmptied(const std::string& path) {
  const std::string folder = platform::extractFileDir(path);
  const auto seen = found_.find(path);
  if (seen == found_.end() || isProtected(folder)) return;
  const std::string root = platform::includeTrailingDelimiter(seen->second.root);
  // The walk's root is a well-known folder or the user's folder, and is never removed.
  if (folder.size() <= root.size() || folder.compare(0, root.size(), root) != 0) return;
  const std::error_code error =
      platform::removeEmptyFolderBelow(seen->second.root, std::string_view(folder).substr(root.size()));
  if (!error) {
    lastRemoval_.removedFolders.push_back(folder);
    FolderRemoved = true;
  } else if (error != platform::RemovalError::folderNotEmpty && error != std::errc::no_such_file_or_directory) {
    lastRemoval_.failures.push_back({folder, error, true});
  }
}

void Scanner::DeleteOrphans() {
  if (removing_) return;
  removing_ = true;
  stopRemoval_ = false;
  lastRemoval_ = {};
  // Nothing else may change the list under the loop: both buttons stay disabled meanwhile.
  const bool deleteWasEnabled = window_.deleteButtonEnabled();
  window_.setScanButtonEnabled(false);
  window_.setDeleteButtonEnabled(false);
  window_.setStatusText("Deleting orphans ...");

  CheckListModel& list = window_.resultList();
  for (int i = list.Items.Count() - 1; i >= 0; --i) {
    if (stopRemoval_) {
      lastRemoval_.stopped = true;
      break;
    }
    if (i >= list.Items.Count()) continue;
    if (!list.IsItemChecked(i)) continue;
    const std::string path = list.Items.Get(i);
    const std::error_code error = deleteListed(path);
    // A shortcut that someone else deleted meanwhile is gone all the same.
    if (error && error != std::errc::no_such_file_or_directory) {
      // The line stays, marked, and says why: nothing is lost and the user can try again.
      lastRemoval_.failures.push_back({path, error, false});
      list.SetItemHint(i, "Could not delete: " + error.message());
    } else {
      if (!error) lastRemoval_.deleted.push_back(path);
      removeFolderIfEmptied(path);
      found_.erase(path);
      list.Items.Delete(i);
    }
    window_.processMessages();
  }

  window_.setScanButtonEnabled(true);
  if (list.Items.Count() == 0) {
    list.Clear();
    window_.setDeleteButtonEnabled(false);
  } else {
    window_.setDeleteButtonEnabled(deleteWasEnabled || !lastRemoval_.failures.empty());
  }
  std::string status = FolderRemoved ? "Idle. Please note that empty folder are also removed." : "Idle.";
  if (const int failed = lastRemoval_.failedShortcuts(); failed > 0) {
    status += countText(static_cast<std::size_t>(failed), "shortcut(s) could not be deleted.");
  }
  if (const auto folders = lastRemoval_.failures.size() - static_cast<std::size_t>(lastRemoval_.failedShortcuts())) {
    status += countText(folders, "folder(s) could not be removed.");
  }
  window_.setStatusText(status);
  FolderRemoved = false;
  removing_ = false;
  stopRemoval_ = false;
  if (window_.isWindowVisible()) window_.focusScanButton();
}

}  // namespace zendrift::scan
