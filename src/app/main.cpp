// Zendrift's entry point: the unattended runs need no window and no display; everything else
// is the window's.
#include <exception>
#include <iostream>

#include "cli/prefix_list.h"
#include "cli/unattended_run.h"
#include "cli/undo_run.h"
#include "app/window_main.h"
#include "platform/process.h"
#include "settings/command_line.h"

int main(int argc, char** argv) {
  using namespace zendrift;
  const platform::ShellSession shell;
  const settings::CommandLine commandLine(platform::programParameters(argc, argv));
  try {
    if (commandLine.switchPresent("prefixes")) return app::runPrefixes(platform::hostPrefixPlaces(), std::cout);
    if (commandLine.switchPresent("list")) return app::runList(commandLine, std::cout, std::cerr);
    if (commandLine.switchPresent("silent")) return app::runSilent(commandLine, std::cerr);
    if (commandLine.switchPresent("undo")) return app::runUndo(std::cerr);
  } catch (const std::exception& error) {
    // Nobody watches an unattended run: say what went wrong and fail, rather than exit 0.
    std::cerr << "Zendrift: " << error.what() << '\n';
    return 1;
  }
  return app::runWindow(argc, argv);
}
