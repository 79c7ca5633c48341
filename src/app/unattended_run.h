// Runs without any window: /silent scans and deletes, /list scans and prints.
#pragma once

#include <ostream>

#include "settings/command_line.h"

namespace zendrift::app {

// Loads the settings, applies the switches, scans, deletes what the scan marked and removes the
// folders left empty. Returns the exit code.
int runSilent(const settings::CommandLine& commandLine);

// Loads the settings, applies the switches and scans, deleting nothing. Writes one line per
// orphan to `out` ("x" or "-" for an excluded one, tab, shortcut path, tab, target; tabs, line
// breaks and backslashes escaped) and the status text to `err`. Returns the exit code.
int runList(const settings::CommandLine& commandLine, std::ostream& out, std::ostream& err);

}  // namespace zendrift::app
