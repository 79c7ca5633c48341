// The scan: the fixed order of the chosen folders, one walk per folder, the orphan test on every
// shortcut of each folder the walk hands out.
#include "scan/orphan_scan.h"

#include <array>
#include <optional>

#include "platform/file_system.h"
#include "platform/home_folder.h"
#include "platform/process.h"
#include "platform/path.h"
#include "profile/profile_root_signs.h"
#include "profile/windows_profile.h"
#include "search/folder_walk.h"
#include "scan/launcher_orphans.h"
#include "scan/association_orphans.h"
#include "scan/menu_entry_orphans.h"
#include "scan/orphan_check.h"
#include "scan/scan_run.h"
#include "profile/well_known_folders.h"

namespace zendrift::scan {

namespace {

constexpr std::string_view kShortcutMask = "*.lnk";
// What the read-ahead asks the disk for of each shortcut: all of any ordinary one.
constexpr std::size_t kShortcutReadAhead = 64 * 1024;

using FolderMember = std::string profile::WellKnownFolders::*;
using Folders = profile::WellKnownFolders;

// The chosen folders, in the order their orphans are listed.
struct Step {
  bool settings::ScanOptions::*flag;
  FolderMember folder;
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

// Whether the listed folder is the root of a profile other than the walk's own (`root`, with a
// trailing delimiter). Only a folder whose listing shows the signs costs more than a look at it.
bool anotherProfilesRoot(const search::FolderSnapshot& listing, const std::string& root) {
  profile::ProfileRootSigns signs;
  for (const search::FolderSnapshot::Entry& entry : listing.entries) signs.note(listing.name(entry), entry.directory);
  return signs.worthAsking() && listing.folder != root && profile::isProfileRoot(listing.folder);
}

// One scan's walks: their rules, the per-scan memo of the orphan test, the report.
class Walker {
 public:
  Walker(const settings::ScanOptions& options, std::stop_token stop, const ScanEvents& events, ScanRun& run)
      : options_(options),
        stop_(std::move(stop)),
        events_(events),
        run_(run),
        memo_(profile::scannedProfile(options.prefix)),
        wellKnownFolders_(profile::wellKnownFolders(profile::scannedProfile(options.prefix), memo_.registries())) {
    rules_.mask = std::string(kShortcutMask);
    // Folders are listed ahead of the walk by threads beside it (as many as the usable cores, the
    // walk counted), and the shortcuts found start coming from the disk before the check reads
    // them; the folders still come here, in order.
    rules_.threads = search::WalkRules::defaultThreads();
    rules_.fileReadAhead = kShortcutReadAhead;
    // No walk enters a trash: what an earlier cleaning threw away is not found again.
    rules_.keepOut.trashNames = true;
    if (const std::string data = platform::userDataFolder(); !data.empty() && platform::kNativeStyle == platform::PathStyle::Posix) {
      if (const auto trash = platform::folderIdentity(data + "/Trash")) rules_.keepOut.folders.push_back(*trash);
    }
    // Hidden as programs in the profile see it.
    rules_.dotNamesHidden = profile::profileHidesDotNames(scanned_, memo_.registries());
  }

  ScanReport run() {
    for (const Step& step : kSteps) {
      if (options_.*step.flag) walk(wellKnownFolders_.*step.folder);
    }
    // A Windows path typed on Linux names a folder of the prefix.
    walk(profile::userFolderHostPath(options_.userDir, scanned_));
    // Menu entries that Wine made from shortcuts that are gone come after every walk: those of
    // the shortcuts found above go with them, and only what is left over is listed here.
    const auto listed = [this](OrphanRecord&& record) {
      ++report_.orphans;
      if (events_.orphanFound) events_.orphanFound(std::move(record));
    };
    findOrphanMenuEntries(options_, stop_, listed);
    findOrphanLaunchers(options_, stop_, listed);
    findOrphanAssociations(options_, stop_, listed);
    report_.stopped = stop_.stop_requested();
    return std::move(report_);
  }

 private:
  void walk(const std::string& folder) {
    if (stop_.stop_requested() || !platform::folderExists(folder)) return;
    // Every shortcut of this walk lies in the profile that holds its root: the walk enters no
    // other profile's root below it.
    if constexpr (platform::kNativeStyle == platform::PathStyle::Posix) {
      walkProfile_ = memo_.profileOfFolder(platform::withoutTrailingSeparator(folder));
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
    const std::string rootFolder = platform::withTrailingSeparator(folder);
    search::WalkRules rules = rules_;
    // A folder that is the Unix home itself: its dot folders are other programs' own.
    rules.keepOut.rootDotFolders = platform::isUnixHomeFolder(folder);
    // The read-ahead keeps out of other profiles' roots as the walk does.
    rules.readAheadBelow = [rootFolder](const search::FolderSnapshot& listing) {
      return !anotherProfilesRoot(listing, rootFolder);
    };
    search::FolderWalk walk(folder, std::move(rules), stop_);
    while (const std::optional<search::Folder> listed = walk.next()) {
      if (events_.folderListed) events_.folderListed(listed->path());
      // A folder that cannot be read is passed over and named; the rest of the walk goes on.
      if (listed->error && !folderVanished(listed->error)) {
        report_.unreadable.push_back({platform::withoutTrailingSeparator(listed->path()), listed->error});
      }
      // Another Wine prefix or Windows installation met below a scanned folder keeps its own
      // shortcuts, to be judged and cleaned in that profile: the walk lists its root (that is how
      // it is recognised, at no extra cost for ordinary folders) but takes nothing from it.
      if (anotherProfilesRoot(listed->listing, rootFolder)) {
        walk.skipChildren();
        continue;
      }
      // A folder's shortcuts are judged before any folder below it is listed, so that they come
      // in the walk's order.
      for (const search::FolderSnapshot::Entry& file : listed->files()) {
        if (stop_.stop_requested()) break;
        examine(listed->pathOf(file), listed->listing.content(file));
      }
    }
  }

  void examine(const std::string& path, const std::optional<search::FileBytes>& content) {
    // The entry is taken before it is read and compared after: the removal deletes only what
    // was judged, never a file renamed into its place meanwhile. Bytes the walk read are judged
    // only while the path still names the file they came from; else the file is read again.
    const platform::Result<platform::EntryVersion> taken = platform::entryVersion(path);
    if (!taken) return;
    const platform::EntryIdentity before = taken->identity;
    // Rewritten in place, or a new file under a reused number, since the walk read it: the version
    // tells, and the file is read again.
    std::optional<std::string_view> bytes;
    if (content && content->version == *taken) bytes = content->bytes;
    // A shortcut reached again, by another folder or another prefix's link, is judged once.
    if (!run_.firstSight(before)) return;
    const OtherPrefixes others =
        shared_ ? OtherPrefixes{others_, &run_.otherPrefixes(), ownFolder_} : OtherPrefixes{};
    OrphanVerdict verdict = checkForOrphan(path, criteria_, walkProfile_, memo_, others, bytes);
    if (!verdict.orphan) return;
    OrphanRecord record{path, std::move(verdict.target), verdict.excluded, root_, {}, options_.prefix,
                        OrphanKind::shortcut, std::move(verdict.reason)};
    // Bytes read before `before` was taken need no second look.
    if (!bytes && !(platform::entryIdentity(path) == before)) return;
    record.identity = before;
    ++report_.orphans;
    if (events_.orphanFound) events_.orphanFound(std::move(record));
  }

  const settings::ScanOptions& options_;
  std::stop_token stop_;
  const ScanEvents& events_;
  ScanRun& run_;
  const profile::ShortcutProfile scanned_ = profile::scannedProfile(options_.prefix);
  // What every walk of this scan reports and keeps out of.
  search::WalkRules rules_;
  ProfileCache memo_;  // before the folders: it reads their registry
  const profile::WellKnownFolders wellKnownFolders_;
  const OrphanCriteria criteria_ = orphanCriteria(options_);
  std::string root_;
  profile::ShortcutProfile walkProfile_;
  // Whether the walk's root lies outside its profile's folder; then the real folder of that
  // profile and the machine's other prefixes, which judge its shortcuts too.
  bool shared_ = false;
  std::string ownFolder_;
  std::vector<std::string> others_;
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
