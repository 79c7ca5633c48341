// Runs without any window: /silent scans and deletes, /list scans and prints.
#pragma once

#include <ostream>

#include "settings/command_line.h"

namespace zendrift::cli {

// Loads the settings, applies the switches, scans, deletes what the scan marked and removes the
// folders left empty. Names on `err` each folder it could not read and each shortcut it could not
// delete, with the reason. Returns the exit code: 1 when anything could not be deleted.
int runSilent(const settings::CommandLine& commandLine, std::ostream& err);

// Loads the settings, applies the switches and scans, deleting nothing. Writes one line per
// orphan to `out` ("x" or "-" for an excluded one, tab, shortcut path, tab, target; tabs, line
// breaks and backslashes escaped) and, on `err`, each folder it could not read and the status
// text. With /json, `out` gets one JSON document instead (orphan_json.h). Returns the exit code.
int runList(const settings::CommandLine& commandLine, std::ostream& out, std::ostream& err);

}  // namespace zendrift::cli
