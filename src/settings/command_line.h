// The command line: its parameters, its switches and what they do to ScanOptions.
#pragma once

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
  // Sets the flags that the folder, drive and "permanent" switches name, and with "userdir" the user folder
  // from the last parameter that names an existing folder. Never clears a flag.
  void applySwitches(ScanOptions& rec) const;

 private:
  std::vector<std::string> parameters_;
};

}  // namespace zendrift::settings
