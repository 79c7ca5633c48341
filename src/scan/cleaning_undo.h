// Undoing the last cleaning: its emptied folders made again, then each file moved back from the
// trash to its place. Nothing is ever overwritten.
#pragma once

#include <string>
#include <system_error>
#include <vector>

namespace zendrift::scan {

struct UndoFailure {
  std::string path;
  std::error_code error;
};

struct UndoReport {
  bool nothingToUndo = false;
  std::vector<std::string> restoredFolders;
  std::vector<std::string> restored;
  std::vector<UndoFailure> failures;
  // "Restored N shortcut(s).", or that there was nothing to undo; then how many could not be.
  std::string statusText() const;
};

// Undoes the newest cleaning recorded in `recordFolder`. What was restored leaves the record; what
// could not be restored because its place is taken stays in it, so that a later undo can try
// again; a file gone from the trash is dropped from it. A record that cannot be read is a failure.
UndoReport undoLastCleaning(const std::string& recordFolder);

}  // namespace zendrift::scan
