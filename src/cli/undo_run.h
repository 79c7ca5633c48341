// /undo: gives back what the last cleaning moved to the trash, without any window.
#pragma once

#include <ostream>

namespace zendrift::cli {

// Undoes the last recorded cleaning. Names on `err` each file it could not restore, with the
// reason, then the status text (after a cleaning that deleted for good: that there is nothing to
// undo, which is no failure). Returns the exit code: 1 when anything could not be restored, or
// when another cleaning or undo is running.
int runUndo(std::ostream& err);

}  // namespace zendrift::cli
