// Command-line switches.
#include "settings/command_line.h"

#include "platform/ascii_case.h"
#include "platform/file_system.h"
#include "platform/path.h"
#include "settings/switch_table.h"

namespace zendrift::settings {

namespace {

bool isSwitchCharacter(char c) { return c == '-' || c == '/' || c == '|'; }

// On Linux, a Windows path as a Windows user types a folder ("C:\Games", "\\server\share"): the
// scan finds it in the prefix's drives, for nothing here can tell whether it is there.
bool namesWindowsFolder(std::string_view parameter) {
  if constexpr (platform::kNativeStyle != platform::PathStyle::Posix) return false;
  const std::string_view drive = platform::windowsDrivePart(parameter);
  if (drive.empty() || parameter.front() == '/') return false;
  return drive.starts_with("\\\\") || (parameter.size() > drive.size() && parameter[drive.size()] == '\\');
}

std::vector<std::string> untilFirstEmpty(std::vector<std::string> parameters) {
  for (std::size_t i = 0; i < parameters.size(); ++i) {
    if (parameters[i].empty()) {
      parameters.resize(i);
      break;
    }
  }
  return parameters;
}

// A switch character followed by a word: letters, digits and "?-_=" only, so that paths
// ("/home/ann/x", "C:\x") never look like switches.
bool looksLikeSwitch(std::string_view parameter) {
  if (parameter.size() < 2 || !isSwitchCharacter(parameter[0])) return false;
  for (const char c : parameter.substr(1)) {
    const bool word = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '?' ||
                      c == '-' || c == '_' || c == '=';
    if (!word) return false;
  }
  return true;
}

bool namesSwitch(std::string_view parameter, std::string_view name) {
  return parameter.size() > 1 && isSwitchCharacter(parameter[0]) &&
         platform::equalsIgnoringAsciiCase(parameter.substr(1), name);
}

bool isKnownSwitch(std::string_view parameter) {
  if (parameter == kLongHelp || parameter == kLongVersion || namesSwitch(parameter, kVersionSwitch)) return true;
  for (const std::string_view name : kHelpSwitches) {
    if (namesSwitch(parameter, name)) return true;
  }
  for (const SwitchDescription& known : knownSwitches()) {
    if (namesSwitch(parameter, known.name)) return true;
  }
  return false;
}

}  // namespace

CommandLine::CommandLine(int argc, const char* const* argv) {
  std::vector<std::string> parameters;
  for (int i = 1; i < argc && argv[i]; ++i) parameters.emplace_back(argv[i]);
  parameters_ = untilFirstEmpty(std::move(parameters));
}

CommandLine::CommandLine(std::vector<std::string> parameters) : parameters_(untilFirstEmpty(std::move(parameters))) {}

std::string CommandLine::paramStr(int index) const {
  if (index < 1 || index > paramCount()) return {};
  return parameters_[static_cast<std::size_t>(index - 1)];
}

bool CommandLine::switchPresent(std::string_view name) const {
  for (const std::string& parameter : parameters_) {
    if (namesSwitch(parameter, name)) return true;
  }
  return false;
}

std::size_t CommandLine::switchIndex(std::string_view name) const {
  for (std::size_t i = 0; i < parameters_.size(); ++i) {
    const std::string& parameter = parameters_[i];
    if (parameter.size() > 1 && isSwitchCharacter(parameter[0]) &&
        platform::equalsIgnoringAsciiCase(std::string_view(parameter).substr(1), name)) {
      return i;
    }
  }
  return parameters_.size();
}

int CommandLine::prefixFolderIndex() const {
  const std::size_t at = switchIndex("prefix");
  return at + 1 < parameters_.size() ? static_cast<int>(at + 2) : 0;
}

std::optional<std::string> CommandLine::switchValue(std::string_view name) const {
  const std::size_t at = switchIndex(name);
  if (at == parameters_.size()) return std::nullopt;
  return at + 1 < parameters_.size() ? parameters_[at + 1] : std::string();
}

bool CommandLine::helpRequested() const {
  for (const std::string_view name : kHelpSwitches) {
    if (switchPresent(name)) return true;
  }
  for (const std::string& parameter : parameters_) {
    if (parameter == kLongHelp) return true;
  }
  return false;
}

bool CommandLine::versionRequested() const {
  for (const std::string& parameter : parameters_) {
    if (parameter == kLongVersion) return true;
  }
  return switchPresent(kVersionSwitch);
}

std::vector<std::string> CommandLine::unknownSwitches() const {
  std::vector<std::string> unknown;
  for (std::size_t i = 0; i < parameters_.size(); ++i) {
    const std::string& parameter = parameters_[i];
    if (!looksLikeSwitch(parameter) || isKnownSwitch(parameter)) continue;
    // The word after /userdir or /prefix is that switch's folder, whatever it looks like: a
    // folder that does not exist is reported as such, not as a switch.
    if (i > 0 && (namesSwitch(parameters_[i - 1], "userdir") || namesSwitch(parameters_[i - 1], "prefix"))) continue;
    if (platform::fileExists(parameter) || platform::folderExists(parameter)) continue;
    unknown.push_back(parameter);
  }
  return unknown;
}

void CommandLine::applySwitches(ScanOptions& rec) const {
  // With /only, the folders and drives named here are the whole choice: the saved ones are
  // dropped for this run (the settings file is not written from it).
  if (switchPresent("only")) {
    for (bool* flag : {&rec.startMenu, &rec.allUsersStartMenu, &rec.desktop, &rec.allUsersDeskTop, &rec.favorites,
                       &rec.history, &rec.recent, &rec.tempPath, &rec.programFiles, &rec.applicationData,
                       &rec.removableDrives, &rec.networkDrives, &rec.cdRomDrives, &rec.ramDrives}) {
      *flag = false;
    }
    rec.userDir.clear();
  }
  const auto set = [this](std::string_view name, std::initializer_list<bool*> flags) {
    if (!switchPresent(name)) return;
    for (bool* flag : flags) *flag = true;
  };
  set("startmenu", {&rec.startMenu, &rec.allUsersStartMenu});
  set("desktop", {&rec.desktop, &rec.allUsersDeskTop});
  set("favorites", {&rec.favorites});
  set("history", {&rec.history});
  set("recent", {&rec.recent});
  set("temppath", {&rec.tempPath});
  set("programfiles", {&rec.programFiles});
  set("applicationdata", {&rec.applicationData});
  set("removabledrives", {&rec.removableDrives});
  set("networkdrives", {&rec.networkDrives});
  set("cdromdrives", {&rec.cdRomDrives});
  set("ramdrives", {&rec.ramDrives});
  set("permanent", {&rec.deletePermanently});

  const std::optional<std::string> prefix = switchValue("prefix");
  if (prefix) rec.prefix = *prefix;
  rec.allPrefixes = switchPresent("allprefixes") || (rec.allPrefixes && !prefix);

  if (switchPresent("userdir")) {
    // Every parameter is a candidate, switches included; the last existing folder wins. The
    // text is tested as given: lower-casing it first would miss folders on a file system that
    // tells letter case apart. The prefix's folder is not the user's. The switch's own value may
    // also be a Windows path.
    const int prefixAt = prefixFolderIndex();
    const std::size_t userDirAt = switchIndex("userdir") + 2;
    for (int i = 1; i <= paramCount(); ++i) {
      const bool windowsFolder = static_cast<std::size_t>(i) == userDirAt && namesWindowsFolder(paramStr(i));
      if (i != prefixAt && (windowsFolder || platform::folderExists(paramStr(i)))) rec.userDir = paramStr(i);
    }
  }
}

}  // namespace zendrift::settings
