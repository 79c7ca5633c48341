// The unattended runs.
#include "cli/unattended_run.h"

#include <functional>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <vector>

#include "scan/field_escape.h"
#include "cli/orphan_json.h"
#include "platform/file_system.h"
#include "profile/prefix_discovery.h"
#include "profile/windows_profile.h"
#include "scan/cleaning_lock.h"
#include "scan/cleaning_record.h"
#include "scan/orphan_removal.h"
#include "scan/orphan_scan.h"
#include "scan/prefix_scans.h"
#include "settings/settings_file.h"

namespace zendrift::cli {

namespace {


// "/userdir" that names no existing folder would fall back to the folder saved in the settings:
// an unattended run would then clean a folder the user did not name (an unmounted disk, say).
// A Windows path ("C:\Games") names a folder of the prefix to be scanned.
void requireUserFolder(const settings::CommandLine& commandLine, const settings::ScanOptions& options) {
  if (!commandLine.switchPresent("userdir")) return;
  for (int i = 1; i <= commandLine.paramCount(); ++i) {
    if (i != commandLine.prefixFolderIndex() && platform::folderExists(commandLine.paramStr(i))) return;
  }
  const profile::ShortcutProfile scanned =
      profile::scannedProfile(profile::scannedPrefix(options.prefix, profile::hostPrefixPlaces()));
  if (options.userDir == commandLine.switchValue("userdir") &&
      !profile::userFolderHostPath(options.userDir, scanned).empty()) {
    return;
  }
  throw std::runtime_error("/userdir names no existing folder; nothing was scanned.");
}

settings::ScanOptions loadOptions(const settings::CommandLine& commandLine) {
  settings::ScanOptions options;
  // An unattended run never saves, so it creates nothing either. Defaults in place of a file that
  // could not be read would drop the user's exclusions: /silent would delete what they keep.
  constexpr settings::SettingsAccess kReadOnly = settings::SettingsAccess::readOnly;
  if (const std::error_code error = settings::loadSettings(options, settings::kSettingsFileName, kReadOnly)) {
    throw std::runtime_error("cannot read the settings file " +
                             settings::settingsFilePath(settings::kProductName, settings::kSettingsFileName, kReadOnly) + ": " +
                             error.message());
  }
  // The prefix chosen in the window stays the window's: a script names its prefix with
  // $WINEPREFIX or /prefix, and a click in the window must not send its deletions elsewhere.
  options.prefix.clear();
  options.allPrefixes = false;
  commandLine.applySwitches(options);
  if (const auto prefix = commandLine.switchValue("prefix")) {
    if (prefix->empty()) throw std::runtime_error("/prefix names no folder; nothing was scanned.");
    const auto problem = profile::profileProblem(profile::scannedProfile(*prefix), profile::PrefixOrigin::chosen);
    if (problem) throw std::runtime_error(*problem + "; nothing was scanned.");
    // Its orphans are listed by the path that /prefixes lists it by.
    options.prefix = profile::realPrefixPath(*prefix);
  }
  requireUserFolder(commandLine, options);
  return options;
}

// One scan, or with /allprefixes one per prefix found on the machine; either way every prefix
// found judges the shortcuts that lie outside the scanned one.
scan::ScanPlan planOf(const settings::ScanOptions& options, const profile::PrefixPlaces& places) {
  return scan::planScans(options, profile::discoverPrefixes(places), profile::defaultPrefix(places));
}

// Where the prefix of a run comes from: /prefix, else $WINEPREFIX, else ~/.wine.
profile::PrefixOrigin prefixOrigin(const settings::ScanOptions& options, const profile::PrefixPlaces& places) {
  if (!options.prefix.empty()) return profile::PrefixOrigin::chosen;
  return places.winePrefix.empty() ? profile::PrefixOrigin::home : profile::PrefixOrigin::environment;
}

// Runs the scans, naming each prefix on `err` when there are several.
scan::ScanReport scanAll(const scan::ScanPlan& plan, bool allPrefixes, const scan::ScanEvents& events,
                         std::ostream& err) {
  std::function<void(const settings::ScanOptions&)> announce;
  if (allPrefixes) announce = [&err](const settings::ScanOptions& scan) { err << "Scanning prefix " << scan.prefix << '\n'; };
  return scan::scanEachPrefix(plan, {}, events, announce);
}

// Says so when the Windows profile cannot be read. Without it the well-known folders are empty,
// so a run that had no user folder to scan either did nothing at all: that is a failure.
// The first scan tells: every prefix found is a prefix, only one that was named may not be.
bool profileUsable(const settings::ScanOptions& options, profile::PrefixOrigin origin, std::ostream& err) {
  const profile::ShortcutProfile scanned = profile::scannedProfile(options.prefix);
  const std::optional<std::string> problem = profile::profileProblem(scanned, origin);
  if (!problem) return true;
  // A prefix that is named ($WINEPREFIX) or there (~/.wine) but unusable is a mistake to stop
  // at: the user's folder would be judged with no drives at all, every shortcut in it condemned.
  if (origin != profile::PrefixOrigin::home || platform::folderExists(profile::scannedProfileFolder(scanned))) {
    throw std::runtime_error(*problem + "; nothing was scanned.");
  }
  err << "Zendrift: " << *problem << '\n';
  return platform::folderExists(options.userDir);
}

void reportUnreadable(const scan::ScanReport& scan, std::ostream& err) {
  for (const scan::UnreadableFolder& folder : scan.unreadable) {
    err << "Could not read " << scan::escapedField(folder.path) << ": " << platform::errorText(folder.code) << '\n';
  }
}

}  // namespace

int runSilent(const settings::CommandLine& commandLine, std::ostream& err) {
  const settings::ScanOptions options = loadOptions(commandLine);
  // One cleaning at a time: a second would find the first one's files gone, and an undo meanwhile
  // would read a record still to be written.
  scan::CleaningLock lock;
  if (const std::error_code locked = lock.acquire(scan::cleaningRecordFolder()); locked == scan::CleaningLockError::busy) {
    err << "Zendrift: " << locked.message() << "; nothing was done.\n";
    return 1;
  } else if (locked) {
    // No state folder to lock in: the cleaning goes on, and its record will fail and say so.
    err << "Zendrift: cannot take the cleaning lock in " << scan::escapedField(scan::cleaningRecordFolder()) << ": "
        << locked.message() << '\n';
  }
  // The environment is read here once; below, the prefix is a value.
  const profile::PrefixPlaces places = profile::hostPrefixPlaces();
  const scan::ScanPlan plan = planOf(options, places);
  const bool usable = profileUsable(plan.scans.front(), prefixOrigin(options, places), err);
  std::vector<scan::OrphanRecord> marked;
  scan::ScanEvents events;
  events.orphanFound = [&marked](scan::OrphanRecord&& orphan) {
    if (!orphan.excluded) marked.push_back(std::move(orphan));
  };
  const scan::ScanReport scanned = scanAll(plan, options.allPrefixes, events, err);
  reportUnreadable(scanned, err);
  // Every other marked orphan is deleted first; then each failure is named.
  const scan::Disposal disposal = options.deletePermanently ? scan::Disposal::permanent : scan::Disposal::trash;
  const scan::RemovalReport removal = scan::removeOrphans(marked, options.userDir, {}, {}, disposal,
                                                          {scan::orphanCriteria(options), plan.machinePrefixes});
  for (const scan::RemovalFailure& failure : removal.failures) {
    err << (failure.folder ? "Could not remove folder " : "Could not delete ") << scan::escapedField(failure.path)
        << ": " << failure.error.message() << '\n';
  }
  for (const scan::KeptShortcut& kept : removal.kept) err << "Kept " << scan::escapedField(kept.path) << ": " << kept.why << '\n';
  const std::error_code unrecorded = scan::recordCleaning(removal);
  if (unrecorded) {
    err << "Could not record the cleaning for /undo in " << scan::cleaningRecordFolder() << ": " << unrecorded.message()
        << '\n';
  }
  return usable && !unrecorded && removal.failures.empty() ? 0 : 1;
}

int runList(const settings::CommandLine& commandLine, std::ostream& out, std::ostream& err) {
  const settings::ScanOptions options = loadOptions(commandLine);
  const profile::PrefixPlaces places = profile::hostPrefixPlaces();
  const scan::ScanPlan plan = planOf(options, places);
  const bool usable = profileUsable(plan.scans.front(), prefixOrigin(options, places), err);
  const bool json = commandLine.switchPresent("json");
  ListDocument document;
  scan::ScanEvents events;
  if (json) {
    // One document, written when the scan is over; every prefix in turn shows as "*".
    document.profile = options.allPrefixes && plan.scans.size() > 1
                           ? std::string("*")
                           : profile::scannedProfileFolder(profile::scannedProfile(plan.scans.front().prefix));
    events.folderStarted = [&document](const std::string& folder) { document.folders.push_back(folder); };
    events.orphanFound = [&document](scan::OrphanRecord&& orphan) { document.orphans.push_back(std::move(orphan)); };
  } else {
    // Each orphan is printed as it is found.
    events.orphanFound = [&out](scan::OrphanRecord&& orphan) {
      out << (orphan.excluded ? '-' : 'x') << '\t' << scan::escapedField(orphan.path) << '\t' << scan::escapedField(orphan.target) << '\n';
    };
  }
  const scan::ScanReport scanned = scanAll(plan, options.allPrefixes, events, err);
  if (json) {
    document.unreadable = scanned.unreadable;
    writeJson(document, out);
  }
  out.flush();
  reportUnreadable(scanned, err);
  err << scanned.statusText() << '\n';
  return out && usable ? 0 : 1;
}

}  // namespace zendrift::cli
