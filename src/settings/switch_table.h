// Every switch Zendrift knows, with what it takes and one line of help: the one list that the
// usage text is printed from and that unknown switches are told apart by.
#pragma once

#include <span>
#include <string_view>

namespace zendrift::settings {

struct SwitchDescription {
  std::string_view name;      // without the switch character
  std::string_view argument;  // what the switch takes, for the usage text ("FOLDER"); empty for none
  std::string_view summary;   // one line for the usage text
};

// In the order the usage text lists them. A new switch is one more line here.
std::span<const SwitchDescription> knownSwitches();

// The names that ask for the usage text or the version; they need neither settings nor a window.
inline constexpr std::string_view kHelpSwitches[] = {"help", "h", "?"};
inline constexpr std::string_view kVersionSwitch = "version";
// The GNU spellings, taken as they stand.
inline constexpr std::string_view kLongHelp = "--help";
inline constexpr std::string_view kLongVersion = "--version";

}  // namespace zendrift::settings
