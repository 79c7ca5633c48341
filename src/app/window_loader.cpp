// The window on POSIX systems: loaded from its module beside the executable when it opens.
#include <iostream>
#include <variant>

#include "gui/window_main.h"
#include "platform/loaded_module.h"
#include "platform/path.h"
#include "platform/process.h"

namespace zendrift::gui {

int runWindow(const settings::CommandLine& commandLine, char* programName, std::string_view versionStamp) {
  const std::string module = platform::join(platform::parentPath(platform::executablePath()), kWindowModulePath);
  const std::variant<void*, std::string> entry = platform::moduleFunction(module, kWindowEntryName);
  if (const std::string* failure = std::get_if<std::string>(&entry)) {
    // Qt missing, say, or an installation that lost the module: the unattended runs still work.
    std::cerr << "Zendrift: cannot open the window: " << *failure << "\nUse /list or /silent to run without one.\n";
    return 1;
  }
  return reinterpret_cast<WindowEntry>(std::get<void*>(entry))(commandLine, programName, versionStamp);
}

}  // namespace zendrift::gui
