// Zendrift's entry point: help and version need nothing; the unattended runs need no window and
// no display; everything else is the window's.
#include <exception>
#include <iostream>

#include "app/version_stamp.h"
#include "cli/prefix_list.h"
#include "cli/unattended_run.h"
#include "cli/undo_run.h"
#include "gui/window_main.h"
#include "cli/unattended_run.h"
#include "cli/usage_text.h"
#include "platform/process.h"
#include "settings/command_line.h"
#include "settings/settings_file.h"

int main(int argc, char** argv) {
  using namespace zendrift;
  // Read before anything else can take parameters out of argv: every one of them counts.
  const settings::CommandLine commandLine(platform::programParameters(argc, argv));
  if (commandLine.helpRequested()) {
    std::cout << cli::usageText(settings::settingsFilePath(settings::kProductName, settings::kSettingsFileName,
                                                           settings::SettingsAccess::readOnly));
    return 0;
  }
  if (commandLine.versionRequested()) {
    std::cout << "Zendrift " << app::versionStamp(platform::executablePath()) << '\n';
    return 0;
  }
  for (const std::string& unknown : commandLine.unknownSwitches()) {
    std::cerr << "Zendrift: unknown switch " << unknown << " (ignored)\n";
  }
  const platform::ShellSession shell;
  try {
    if (commandLine.switchPresent("prefixes")) return cli::runPrefixes(profile::hostPrefixPlaces(), std::cout);
    if (commandLine.switchPresent("list")) return cli::runList(commandLine, std::cout, std::cerr);
    if (commandLine.switchPresent("silent")) return cli::runSilent(commandLine, std::cerr);
    if (commandLine.switchPresent("undo")) return cli::runUndo(std::cerr);
  } catch (const std::exception& error) {
    // Nobody watches an unattended run: say what went wrong and fail, rather than exit 0.
    std::cerr << "Zendrift: " << error.what() << '\n';
    return 1;
  }
  return gui::runWindow(commandLine, argv[0], app::versionStamp(platform::executablePath()));
}
