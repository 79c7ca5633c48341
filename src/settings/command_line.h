// The command line: its parameters, its switches and what they do to ScanOptions.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/scan_options.h"

namespace zendrift::settings {

class CommandLine {
 public:
  CommandLine() = default;
  // The parameters after the program's own path. The count stops at the first empty one.
  CommandLine(int argc, const char* const* argv);
  explicit CommandLine(std::vector<std::string> parameters);

  int paramCount() const noexcept { return static_cast<int>(parameters_.size()); }
  // Parameter `index`, from 1 to paramCount(); empty outside that range.
  std::string paramStr(int index) const;

  // True when a parameter is "-", "/" or "|" followed by exactly `name`, letter case ignored.
  bool switchPresent(std::string_view name) const;
  // The parameter after the first switch `name` ("/prefix FOLDER"): empty when the switch is the
  // last parameter, none when it is absent.
  std::optional<std::string> switchValue(std::string_view name) const;
  // The index (as paramStr counts) of the folder after /prefix, which is never a user folder; 0
  // when there is none.
  int prefixFolderIndex() const;
  // Sets the flags that the folder and drive switches name, "permanent", the prefix that /prefix names (in
  // place of any other choice) or /allprefixes, and with "userdir" the user folder from the last
  // parameter that names an existing folder. Never clears a folder or drive flag, but with /only
  // clears them all, and the user folder, before.
  void applySwitches(ScanOptions& rec) const;

  // Whether a parameter asks for the usage text (/help, -h, /?, --help) or the version
  // (/version, --version).
  bool helpRequested() const;
  bool versionRequested() const;
  // The parameters that look like switches (a switch character and a word) but are none of the
  // known ones, in their order. A parameter that names an existing file or folder (/mnt), or
  // follows /userdir or /prefix, is a path, not a switch.
  std::vector<std::string> unknownSwitches() const;

 private:
  // The index of the first switch `name`; the parameter count when it is absent.
  std::size_t switchIndex(std::string_view name) const;

  std::vector<std::string> parameters_;
};

}  // namespace zendrift::settings
