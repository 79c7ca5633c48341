// The box texts of the window's work: the question before a deletion for good, and what the
// window shows when a cleaning cannot be recorded or an undo leaves items in the trash.
#pragma once

#include <cstddef>
#include <string>
#include <system_error>

#include "scan/cleaning_undo.h"
#include "scan/orphan_removal.h"

namespace zendrift::ui {

// Asked before the window deletes `count` marked orphans for good; the box answers No by default.
std::string permanentDeletionQuestion(std::size_t count);

// The status line after a removal: the report's text, why the shortcuts that stayed could not be
// deleted when one reason holds for them all, then how many shortcuts went (to the trash or for
// good) and how many emptied folders were removed, when any.
std::string removalStatusText(const scan::RemovalReport& report, scan::Disposal disposal);

// Why the cleaning cannot be undone from the window: it could not be recorded.
std::string unrecordedCleaningMessage(std::error_code error);
// The items an undo could not restore, a screenful at most; empty when all came back.
std::string undoFailureMessage(const scan::UndoReport& report);

}  // namespace zendrift::ui
