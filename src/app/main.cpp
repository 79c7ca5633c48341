// Zendrift's entry point.
//
// For now the program does what it does first at start-up: it loads the settings and applies
// the command line. The scan, the removal and the window come with later work.
#include <exception>
#include <iostream>

#include "settings/command_line.h"
#include "settings/settings_file.h"

int main(int argc, char** argv) {
  using namespace zendrift::settings;
  try {
    TIniRec rec;
    LoadSettings(rec, "zendrift.ini");
    const CommandLine commandLine(argc, argv);
    if (commandLine.ParamCount() > 0) commandLine.ApplySwitches(rec);
    return 0;
  } catch (const std::exception& error) {
    std::cerr << "Zendrift: " << error.what() << '\n';
    return 1;
  }
}
