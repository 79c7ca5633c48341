// The usage text, printed from the switch table.
#include "cli/usage_text.h"

#include <algorithm>

#include "settings/switch_table.h"

namespace zendrift::cli {

std::string usageText(const std::string& settingsPath) {
  std::string text =
      "Usage: zendrift [SWITCH]...\n"
      "Finds broken Windows shortcuts (orphans) and deletes the ones you keep marked.\n"
      "Without switches Zendrift opens its window. A switch begins with /, - or |, in any letter case.\n\n";
  std::size_t width = 0;
  for (const settings::SwitchDescription& known : settings::knownSwitches()) {
    width = std::max(width, known.name.size() + (known.argument.empty() ? 0 : known.argument.size() + 1));
  }
  for (const settings::SwitchDescription& known : settings::knownSwitches()) {
    std::string left = "/" + std::string(known.name);
    if (!known.argument.empty()) left += " " + std::string(known.argument);
    left.resize(width + 3, ' ');
    text += "  " + left + std::string(known.summary) + '\n';
  }
  text += "\nSettings: " + (settingsPath.empty() ? std::string("(no settings folder)") : settingsPath) + '\n';
  return text;
}

}  // namespace zendrift::cli
