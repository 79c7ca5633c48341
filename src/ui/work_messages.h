// The error box texts of the window's work: what the window shows when a cleaning cannot be
// recorded or an undo leaves items in the trash.
#pragma once

#include <string>
#include <system_error>

#include "scan/cleaning_undo.h"

namespace zendrift::ui {

// Why the cleaning cannot be undone from the window: it could not be recorded.
std::string unrecordedCleaningMessage(std::error_code error);
// The items an undo could not restore, a screenful at most; empty when all came back.
std::string undoFailureMessage(const scan::UndoReport& report);

}  // namespace zendrift::ui
