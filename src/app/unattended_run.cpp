// The unattended runs.
#include "app/unattended_run.h"

#include <unordered_map>

#include "app/headless_window.h"
#include "scan/scanner.h"
#include "settings/settings_file.h"

namespace zendrift::app {

namespace {

settings::TIniRec loadOptions(const settings::CommandLine& commandLine) {
  settings::TIniRec options;
  settings::LoadSettings(options, "zendrift.ini");
  commandLine.ApplySwitches(options);
  return options;
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

int runSilent(const settings::CommandLine& commandLine) {
  settings::TIniRec options = loadOptions(commandLine);
  scan::SaveOnClose = false;
  HeadlessWindow window;
  scan::Scanner scanner(options, window);
  scanner.ScanForOrphans();
  scanner.DeleteOrphans();
  return 0;
}

int runList(const settings::CommandLine& commandLine, std::ostream& out, std::ostream& err) {
  settings::TIniRec options = loadOptions(commandLine);
  scan::SaveOnClose = false;
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
  err << window.statusText() << '\n';
  return out ? 0 : 1;
}

}  // namespace zendrift::app
