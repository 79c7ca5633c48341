// The unattended runs.
#include "app/unattended_run.h"

#include <iostream>
#include <stdexcept>
#include <unordered_map>

#include "app/headless_window.h"
#include "platform/file_system.h"
#include "platform/windows_profile.h"
#include "scan/scanner.h"
#include "settings/settings_file.h"

namespace zendrift::app {

namespace {

constexpr std::string_view kProductName = "Zendrift";
constexpr std::string_view kSettingsFileName = "zendrift.ini";

// "/userdir" that names no existing folder would fall back to the folder saved in the settings:
// an unattended run would then clean a folder the user did not name (an unmounted disk, say).
void requireUserFolder(const settings::CommandLine& commandLine) {
  if (!commandLine.SwitchPresent("userdir")) return;
  for (int i = 1; i <= commandLine.ParamCount(); ++i) {
    if (platform::folderExists(commandLine.ParamStr(i))) return;
  }
  throw std::runtime_error("/userdir names no existing folder; nothing was scanned.");
}

settings::TIniRec loadOptions(const settings::CommandLine& commandLine) {
  requireUserFolder(commandLine);
  settings::TIniRec options;
  // An unattended run never saves, so it creates nothing either. Defaults in place of a file that
  // could not be read would drop the user's exclusions: /silent would delete what they keep.
  constexpr settings::SettingsAccess kReadOnly = settings::SettingsAccess::readOnly;
  if (const std::error_code error = settings::loadSettings(options, kSettingsFileName, kReadOnly)) {
    throw std::runtime_error("cannot read the settings file " +
                             settings::SettingsFilePath(kProductName, kSettingsFileName, kReadOnly) + ": " +
                             error.message());
  }
  commandLine.ApplySwitches(options);
  return options;
}

// Says so when the Windows profile cannot be read. Without it the well-known folders are empty,
// so a run that had no user folder to scan either did nothing at all: that is a failure.
bool profileUsable(const settings::TIniRec& options, std::ostream& err) {
  const std::string problem = platform::profileProblem();
  if (problem.empty()) return true;
  err << "Zendrift: " << problem << '\n';
  return platform::folderExists(options.UserDir);
}

void reportUnreadable(const scan::Scanner& scanner, std::ostream& err) {
  for (const scan::UnreadableFolder& folder : scanner.UnreadableFolders()) {
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
  settings::TIniRec options = loadOptions(commandLine);
  scan::SaveOnClose = false;
  const bool usable = profileUsable(options, err);
  HeadlessWindow window;
  scan::Scanner scanner(options, window);
  scanner.ScanForOrphans();
  reportUnreadable(scanner, err);
  scanner.DeleteOrphans();
  // Every other marked orphan is deleted first; then each failure is named.
  const scan::RemovalReport& report = scanner.LastRemoval();
  for (const scan::RemovalFailure& failure : report.failures) {
    err << (failure.folder ? "Could not remove folder " : "Could not delete ") << failure.path << ": "
        << failure.error.message() << '\n';
  }
  return usable && report.failures.empty() ? 0 : 1;
}

int runList(const settings::CommandLine& commandLine, std::ostream& out, std::ostream& err) {
  settings::TIniRec options = loadOptions(commandLine);
  scan::SaveOnClose = false;
  const bool usable = profileUsable(options, err);
  HeadlessWindow window;
  scan::Scanner scanner(options, window);
  std::unordered_map<std::string, std::string> targets;
  scanner.OnOrphan = [&targets](const std::string& path, const std::string& target) { targets[path] = target; };
  scanner.ScanForOrphans();

  const scan::CheckListModel& list = window.resultList();
  for (int i = 0; i < list.Items.Count(); ++i) {
    const std::string& path = list.Items.Get(i);
    out << (list.IsItemChecked(i) ? 'x' : '-') << '\t' << escaped(path) << '\t' << escaped(targets[path]) << '\n';
  }
  out.flush();
  reportUnreadable(scanner, err);
  err << window.statusText() << '\n';
  return out && usable ? 0 : 1;
}

}  // namespace zendrift::app
