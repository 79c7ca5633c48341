// The unattended runs.
#include "cli/unattended_run.h"

#include <iostream>
#include <stdexcept>
#include <vector>

#include "cli/orphan_json.h"
#include "platform/file_system.h"
#include "profile/windows_profile.h"
#include "scan/orphan_removal.h"
#include "scan/orphan_scan.h"
#include "settings/settings_file.h"

namespace zendrift::app {

namespace {


// "/userdir" that names no existing folder would fall back to the folder saved in the settings:
// an unattended run would then clean a folder the user did not name (an unmounted disk, say).
void requireUserFolder(const settings::CommandLine& commandLine) {
  if (!commandLine.switchPresent("userdir")) return;
  for (int i = 1; i <= commandLine.paramCount(); ++i) {
    if (platform::folderExists(commandLine.paramStr(i))) return;
  }
  throw std::runtime_error("/userdir names no existing folder; nothing was scanned.");
}

settings::ScanOptions loadOptions(const settings::CommandLine& commandLine) {
  requireUserFolder(commandLine);
  settings::ScanOptions options;
  // An unattended run never saves, so it creates nothing either. Defaults in place of a file that
  // could not be read would drop the user's exclusions: /silent would delete what they keep.
  constexpr settings::SettingsAccess kReadOnly = settings::SettingsAccess::readOnly;
  if (const std::error_code error = settings::loadSettings(options, settings::kSettingsFileName, kReadOnly)) {
    throw std::runtime_error("cannot read the settings file " +
                             settings::settingsFilePath(settings::kProductName, settings::kSettingsFileName, kReadOnly) + ": " +
                             error.message());
  }
  commandLine.applySwitches(options);
  return options;
}

// Says so when the Windows profile cannot be read. Without it the well-known folders are empty,
// so a run that had no user folder to scan either did nothing at all: that is a failure.
bool profileUsable(const settings::ScanOptions& options, std::ostream& err) {
  const std::string problem = platform::profileProblem();
  if (problem.empty()) return true;
  err << "Zendrift: " << problem << '\n';
  return platform::folderExists(options.userDir);
}

void reportUnreadable(const scan::ScanReport& scan, std::ostream& err) {
  for (const scan::UnreadableFolder& folder : scan.unreadable) {
    err << "Could not read " << folder.path << ": " << platform::systemErrorText(folder.code) << '\n';
  }
}

// One line per field: tabs, line breaks and backslashes inside a path are written as escapes.
std::string escaped(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '\t': out += "\\t"; break;
      case '\n': out += "\\n"; break;
      case '\\': out += "\\\\"; break;
      default: out += c;
    }
  }
  return out;
}

}  // namespace

int runSilent(const settings::CommandLine& commandLine, std::ostream& err) {
  const settings::ScanOptions options = loadOptions(commandLine);
  const bool usable = profileUsable(options, err);
  std::vector<scan::OrphanRecord> marked;
  scan::ScanEvents events;
  events.orphanFound = [&marked](scan::OrphanRecord&& orphan) {
    if (!orphan.excluded) marked.push_back(std::move(orphan));
  };
  const scan::ScanReport scanned = scan::scanForOrphans(options, {}, events);
  reportUnreadable(scanned, err);
  // Every other marked orphan is deleted first; then each failure is named.
  const scan::RemovalReport removal = scan::removeOrphans(marked, options.userDir, {});
  for (const scan::RemovalFailure& failure : removal.failures) {
    err << (failure.folder ? "Could not remove folder " : "Could not delete ") << failure.path << ": "
        << failure.error.message() << '\n';
  }
  return usable && removal.failures.empty() ? 0 : 1;
}

int runList(const settings::CommandLine& commandLine, std::ostream& out, std::ostream& err) {
  const settings::ScanOptions options = loadOptions(commandLine);
  const bool usable = profileUsable(options, err);
  const bool json = commandLine.switchPresent("json");
  ListDocument document;
  scan::ScanEvents events;
  if (json) {
    // One document, written when the scan is over.
    document.profile = platform::scannedProfileFolder();
    events.folderStarted = [&document](const std::string& folder) { document.folders.push_back(folder); };
    events.orphanFound = [&document](scan::OrphanRecord&& orphan) { document.orphans.push_back(std::move(orphan)); };
  } else {
    // Each orphan is printed as it is found.
    events.orphanFound = [&out](scan::OrphanRecord&& orphan) {
      out << (orphan.excluded ? '-' : 'x') << '\t' << escaped(orphan.path) << '\t' << escaped(orphan.target) << '\n';
    };
  }
  const scan::ScanReport scanned = scan::scanForOrphans(options, {}, events);
  if (json) {
    document.unreadable = scanned.unreadable;
    writeJson(document, out);
  }
  out.flush();
  reportUnreadable(scanned, err);
  err << scanned.statusText() << '\n';
  return out && usable ? 0 : 1;
}

}  // namespace zendrift::app
