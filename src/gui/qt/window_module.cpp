// The window module's entry, which the program looks up by name once it has loaded the module.
#include <type_traits>

#include "gui/window_main.h"

extern "C" __attribute__((visibility("default"))) int zendrift_run_window(
    const zendrift::settings::CommandLine& commandLine, char* programName, std::string_view versionStamp) {
  return zendrift::gui::runWindow(commandLine, programName, versionStamp);
}

static_assert(std::is_same_v<decltype(&zendrift_run_window), zendrift::gui::WindowEntry>);
