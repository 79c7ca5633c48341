// The scan: the fixed order of the chosen folders, one walk per folder, the orphan test on every
// shortcut found.
#include "scan/orphan_scan.h"

#include <array>

#include "platform/file_system.h"
#include "platform/path.h"
#include "profile/windows_profile.h"
#include "search/file_search.h"
#include "scan/orphan_check.h"
#include "profile/well_known_folders.h"
#include "profile/well_known_folders.h"

namespace zendrift::scan {

namespace {

constexpr std::string_view kShortcutMask = "*.lnk";

using FolderAccessor = std::string (sysfolders::WellKnownFolders::*)() const;
using Folders = sysfolders::WellKnownFolders;

// The chosen folders, in the order their orphans are listed.
struct Step {
  bool settings::ScanOptions::*flag;
  FolderAccessor folder;
};
constexpr std::array<Step, 10> kSteps{{
    {&settings::ScanOptions::startMenu, &Folders::startMenu},
    {&settings::ScanOptions::allUsersStartMenu, &Folders::commonStartmenu},
    {&settings::ScanOptions::desktop, &Folders::desktop},
    {&settings::ScanOptions::allUsersDeskTop, &Folders::commonDesktopDirectory},
    {&settings::ScanOptions::favorites, &Folders::favorites},
    {&settings::ScanOptions::history, &Folders::history},
    {&settings::ScanOptions::programFiles, &Folders::programFiles},
    {&settings::ScanOptions::tempPath, &Folders::temp},
    {&settings::ScanOptions::applicationData, &Folders::appData},
    {&settings::ScanOptions::recent, &Folders::recent},
}};

// A listing that failed because its folder is gone (removed by someone else during the walk)
// lost nothing: there is nothing left to read.
bool folderVanished(platform::OsErrorCode code) {
  return code == platform::kErrorPathNotFound || code == platform::kErrorFileNotFound;
}

// One scan's walks: the engine, the per-scan memo of the orphan test, the report.
class Walker {
 public:
  Walker(const settings::ScanOptions& options, std::stop_token stop, const ScanEvents& events)
      : options_(options), stop_(std::move(stop)), events_(events) {
    engine_.fileParams().setSearchTypes({search::stFileMask});
    engine_.fileParams().fileMasks().add(std::string(kShortcutMask));
    // A folder that cannot be read is passed over and named; the rest of the walk goes on.
    engine_.setErrorResponse(search::erIgnore);
    engine_.onDirectoryError = [this](search::FileSearch&, const std::string& folder, platform::OsErrorCode code) {
      if (!folderVanished(code)) report_.unreadable.push_back({platform::excludeTrailingDelimiter(folder), code});
    };
    // Another Wine prefix or Windows installation below a scanned folder keeps its own
    // shortcuts: they are judged, and cleaned, in that profile.
    engine_.onEnterDirectory = [](search::FileSearch&, const std::string& folder) {
      return !platform::isProfileRoot(folder);
    };
    // The stop token is read at every listed entry, so a stop is honoured within one entry.
    engine_.onProgress = [this](search::FileSearch& engine) {
      if (stop_.stop_requested()) engine.abort();
    };
    engine_.onFindFile = [this](search::FileSearch&, const std::string& path) { examine(path); };
    if (events_.folderListed) {
      engine_.onBeginScanDir = [this](search::FileSearch&, const std::string& folder) { events_.folderListed(folder); };
    }
  }

  ScanReport run() {
    for (const Step& step : kSteps) {
      if (options_.*step.flag) walk((wellKnownFolders_.*step.folder)());
    }
    walk(options_.userDir);
    report_.stopped = stop_.stop_requested();
    return std::move(report_);
  }

 private:
  void walk(const std::string& folder) {
    if (stop_.stop_requested() || !platform::folderExists(folder)) return;
    if (events_.folderStarted) events_.folderStarted(folder);
    root_ = folder;
    engine_.setRootDirectory(folder);
    engine_.search();
  }

  void examine(const std::string& path) {
    // The entry is taken before it is read and compared after: the removal deletes only what
    // was judged, never a file renamed into its place meanwhile.
    platform::EntryIdentity before;
    if (platform::entryIdentity(path, before)) return;
    OrphanVerdict verdict = checkForOrphan(path, criteria_, &memo_);
    if (!verdict.orphan) return;
    OrphanRecord record{path, std::move(verdict.target), verdict.excluded, root_, {}};
    if (platform::entryIdentity(path, record.identity) || !(record.identity == before)) return;
    ++report_.orphans;
    if (events_.orphanFound) events_.orphanFound(std::move(record));
  }

  const settings::ScanOptions& options_;
  std::stop_token stop_;
  const ScanEvents& events_;
  search::FileSearch engine_;
  sysfolders::WellKnownFolders wellKnownFolders_;
  const OrphanCriteria criteria_ = orphanCriteria(options_);
  ProfileCache memo_;
  std::string root_;
  ScanReport report_;
};

}  // namespace

std::string ScanReport::statusText() const {
  std::string text = "Ready. " + std::to_string(orphans) + " orphan(s) found.";
  if (!unreadable.empty()) text += " " + std::to_string(unreadable.size()) + " folder(s) could not be read.";
  return text;
}

ScanReport scanForOrphans(const settings::ScanOptions& options, std::stop_token stop, const ScanEvents& events) {
  return Walker(options, std::move(stop), events).run();
}

}  // namespace zendrift::scan
