// The scan: the fixed order of the chosen folders, one walk per folder, the orphan test on every
// shortcut found.
#include "scan/orphan_scan.h"

#include <array>
#include <optional>
#include <string_view>
#include <unordered_set>

#include "platform/file_system.h"
#include "platform/home_folder.h"
#include "platform/process.h"
#include "platform/path.h"
#include "profile/profile_root_signs.h"
#include "profile/windows_profile.h"
#include "search/file_search.h"
#include "scan/menu_entry_orphans.h"
#include "scan/orphan_check.h"
#include "scan/scan_run.h"
#include "profile/well_known_folders.h"

namespace zendrift::scan {

namespace {

constexpr std::string_view kShortcutMask = "*.lnk";
// What the read-ahead asks the disk for of each shortcut: all of any ordinary one.
constexpr std::size_t kShortcutReadAhead = 64 * 1024;

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
bool folderVanished(std::error_code code) {
  return code == platform::OsErrc::pathNotFound || code == platform::OsErrc::fileNotFound;
}

// A shortcut of the folder being listed, with the bytes the walk read of it (in Listing::bytes).
struct Found {
  std::string path;
  std::optional<platform::EntryIdentity> identity;
  std::size_t start = 0;
  std::size_t length = 0;
};

// One scan's walks: the engine, the per-scan memo of the orphan test, the report.
class Walker {
 public:
  Walker(const settings::ScanOptions& options, std::stop_token stop, const ScanEvents& events, ScanRun& run)
      : options_(options),
        stop_(std::move(stop)),
        events_(events),
        run_(run),
        wellKnownFolders_(platform::scannedProfile(options.prefix)),
        memo_(platform::scannedProfile(options.prefix)) {
    engine_.fileParams().setSearchTypes({search::stFileMask});
    engine_.fileParams().fileMasks().add(std::string(kShortcutMask));
    // A folder that cannot be read is passed over and named; the rest of the walk goes on.
    engine_.setErrorResponse(search::erIgnore);
    // Folders are listed ahead of the walk by threads beside it (as many as the usable cores, the
    // walk counted), and the shortcuts found start coming from the disk before the check reads
    // them; the events still come here, in order.
    engine_.setReadAheadThreads(search::FileSearch::defaultReadAheadThreads());
    engine_.setFileReadAhead(kShortcutReadAhead);
    engine_.setReadAheadStop(stop_);
    // No walk enters a trash: what an earlier cleaning threw away is not found again.
    search::KeepOut keepOut;
    keepOut.trashNames = true;
    if (const std::string data = platform::userDataFolder(); !data.empty() && platform::kNativeStyle == platform::PathStyle::Posix) {
      if (const auto trash = platform::folderIdentity(data + "/Trash")) keepOut.folders.push_back(*trash);
    }
    engine_.setKeepOut(std::move(keepOut));
    // Hidden as programs in the profile see it.
    engine_.setDotNamesHidden(platform::profileHidesDotNames(platform::scannedProfile(options.prefix)));
    engine_.onDirectoryError = [this](search::FileSearch&, const std::string& folder, std::error_code code) {
      if (!folderVanished(code)) report_.unreadable.push_back({platform::excludeTrailingDelimiter(folder), code});
    };
    // The stop token is read at every listed entry, so a stop is honoured within one entry.
    // Each entry's name is also noted: it tells whether the folder may be a profile root.
    engine_.onProgress = [this](search::FileSearch& engine) {
      if (stop_.stop_requested()) engine.abort();
      const platform::DirEntry& entry = engine.currentEntry();
      listing_.signs.note(entry.name(), entry.isDirectory());
    };
    engine_.onBeginScanDir = [this](search::FileSearch&, const std::string& folder) {
      settle();
      listing_.folder = folder;
      listing_.open = true;
      if (events_.folderListed) events_.folderListed(folder);
    };
    // A folder's shortcuts are judged once its whole listing is seen, before any folder below it
    // is listed, so they still come in the walk's order.
    engine_.onFindFile = [this](search::FileSearch& engine, const std::string& path) {
      listing_.add(path, engine.currentContent());
    };
    // Another Wine prefix or Windows installation met below a scanned folder keeps its own
    // shortcuts, to be judged and cleaned in that profile: the walk lists its root (that is how
    // it is recognised, at no extra cost for ordinary folders) but takes nothing from it.
    engine_.onEnterDirectory = [this](search::FileSearch&, const std::string& folder) {
      settle();
      return !foreignRoots_.contains(folder.substr(0, folder.find_last_of(platform::kPathDelimiter) + 1));
    };
  }

  ScanReport run() {
    for (const Step& step : kSteps) {
      if (options_.*step.flag) walk((wellKnownFolders_.*step.folder)());
    }
    walk(options_.userDir);
    // Menu entries that Wine made from shortcuts that are gone come after every walk: those of
    // the shortcuts found above go with them, and only what is left over is listed here.
    findOrphanMenuEntries(options_, stop_, [this](OrphanRecord&& record) {
      ++report_.orphans;
      if (events_.orphanFound) events_.orphanFound(std::move(record));
    });
    report_.stopped = stop_.stop_requested();
    return std::move(report_);
  }

 private:
  void walk(const std::string& folder) {
    if (stop_.stop_requested() || !platform::folderExists(folder)) return;
    // Every shortcut of this walk lies in the profile that holds its root: the walk enters no
    // other profile's root below it.
    if constexpr (platform::kNativeStyle == platform::PathStyle::Posix) {
      walkProfile_ = memo_.profileOfFolder(platform::excludeTrailingDelimiter(folder));
    }
    // A root that lies outside that profile's own folder (Wine links the Desktop and others into
    // the home, for every prefix alike) holds shortcuts of any prefix: they are judged in each,
    // and such a folder walked by an earlier scan of the run is not walked again.
    others_.clear();
    shared_ = !liesInOwnProfile(folder, walkProfile_, scanned_);
    if (shared_) {
      const std::optional<platform::FolderId> identity = platform::folderIdentity(folder);
      if (identity && !run_.firstWalk(*identity)) return;
      ownFolder_ = realProfileFolder(walkProfile_, scanned_);
      others_ = run_.prefixesBeside(ownFolder_);
    }
    if (events_.folderStarted) events_.folderStarted(folder);
    root_ = folder;
    // The read-ahead keeps out of other profiles' roots as the walk does (see onEnterDirectory).
    engine_.readAheadBelow = [root = platform::includeTrailingDelimiter(folder)](const search::FolderSnapshot& listing) {
      platform::ProfileRootSigns signs;
      for (const search::FolderSnapshot::Entry& entry : listing.entries) signs.note(listing.name(entry), entry.directory);
      return !signs.worthAsking() || listing.folder == root || !platform::isProfileRoot(listing.folder);
    };
    // A folder that is the Unix home itself: its dot folders are other programs' own.
    search::KeepOut keepOut = engine_.keepOut();
    keepOut.rootDotFolders = platform::isUnixHomeFolder(folder);
    engine_.setKeepOut(std::move(keepOut));
    engine_.setRootDirectory(folder);
    engine_.search();
    settle();
  }

  // The folder listed last is complete: judge its shortcuts, unless it is another profile's root.
  void settle() {
    if (!listing_.open) return;
    listing_.open = false;
    const bool foreign = listing_.signs.worthAsking() && listing_.folder != platform::includeTrailingDelimiter(root_) &&
                         platform::isProfileRoot(listing_.folder);
    if (foreign) {
      foreignRoots_.insert(listing_.folder);
    } else {
      for (const Found& found : listing_.shortcuts) {
        if (stop_.stop_requested()) break;
        examine(found);
      }
    }
    listing_.shortcuts.clear();
    listing_.bytes.clear();
    listing_.signs.reset();
  }

  void examine(const Found& found) {
    const std::string& path = found.path;
    // The entry is taken before it is read and compared after: the removal deletes only what
    // was judged, never a file renamed into its place meanwhile. Bytes the walk read are judged
    // only while the path still names the file they came from; else the file is read again.
    platform::EntryIdentity before;
    if (platform::entryIdentity(path, before)) return;
    std::optional<std::string_view> bytes;
    if (found.identity == before) bytes = std::string_view(listing_.bytes).substr(found.start, found.length);
    // A shortcut reached again, by another folder or another prefix's link, is judged once.
    if (!run_.firstSight(before)) return;
    const OtherPrefixes others =
        shared_ ? OtherPrefixes{others_, &run_.otherPrefixes(), ownFolder_} : OtherPrefixes{};
    OrphanVerdict verdict = checkForOrphan(path, criteria_, walkProfile_, memo_, others, bytes);
    if (!verdict.orphan) return;
    OrphanRecord record{path, std::move(verdict.target), verdict.excluded, root_, {}, options_.prefix,
                        OrphanKind::shortcut, std::move(verdict.reason)};
    if (bytes) {
      record.identity = before;
    } else if (platform::entryIdentity(path, record.identity) || !(record.identity == before)) {
      return;
    }
    ++report_.orphans;
    if (events_.orphanFound) events_.orphanFound(std::move(record));
  }

  const settings::ScanOptions& options_;
  std::stop_token stop_;
  const ScanEvents& events_;
  ScanRun& run_;
  const platform::ShortcutProfile scanned_ = platform::scannedProfile(options_.prefix);
  search::FileSearch engine_;
  sysfolders::WellKnownFolders wellKnownFolders_;
  const OrphanCriteria criteria_ = orphanCriteria(options_);
  ProfileCache memo_;
  std::string root_;
  platform::ShortcutProfile walkProfile_;
  // Whether the walk's root lies outside its profile's folder; then the real folder of that
  // profile and the machine's other prefixes, which judge its shortcuts too.
  bool shared_ = false;
  std::string ownFolder_;
  std::vector<std::string> others_;
  // The folder being listed: what its entries showed, and its shortcuts, judged when it is done.
  struct Listing {
    std::string folder;  // with a trailing delimiter
    platform::ProfileRootSigns signs;
    std::vector<Found> shortcuts;
    std::string bytes;
    bool open = false;
    void add(const std::string& path, const std::optional<search::FileBytes>& content) {
      Found found{path, std::nullopt, bytes.size(), 0};
      if (content) {
        found.identity = content->identity;
        found.length = content->bytes.size();
        bytes += content->bytes;
      }
      shortcuts.push_back(std::move(found));
    }
  } listing_;
  // Roots of other profiles met in this scan (with a trailing delimiter): few, usually none.
  std::unordered_set<std::string> foreignRoots_;
  ScanReport report_;
};

}  // namespace

std::string ScanReport::statusText() const {
  std::string text = "Ready. " + std::to_string(orphans) + " orphan(s) found.";
  if (!unreadable.empty()) text += " " + std::to_string(unreadable.size()) + " folder(s) could not be read.";
  return text;
}

ScanReport scanForOrphans(const settings::ScanOptions& options, std::stop_token stop, const ScanEvents& events) {
  ScanRun run;
  return scanForOrphans(options, std::move(stop), events, run);
}

ScanReport scanForOrphans(const settings::ScanOptions& options, std::stop_token stop, const ScanEvents& events,
                          ScanRun& run) {
  return Walker(options, std::move(stop), events, run).run();
}

}  // namespace zendrift::scan
