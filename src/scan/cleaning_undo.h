// Undoing the last cleaning: each file moved back from the trash to its place, its folders made
// again on the way. Nothing is ever overwritten.
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
  // Why the undo did not start at all (another cleaning or undo is running).
  std::error_code notStarted;
  std::vector<std::string> restoredFolders;
  std::vector<std::string> restored;  // shortcuts and the menu files that went with them
  std::vector<UndoFailure> failures;
  // What the cleaning deleted for good: nothing failed, there is just nothing to give back.
  std::vector<std::string> deletedForGood;
  bool succeeded() const { return !notStarted && failures.empty(); }
  // The cleaning undone deleted everything for good: there was nothing to undo.
  bool onlyDeletedForGood() const { return restored.empty() && failures.empty() && !deletedForGood.empty(); }
  // "Restored N shortcut(s).", with the menu files that came back when there are any, or that
  // there was nothing to undo (none at all, or the last cleaning deleted for good); then how many
  // items could not be restored.
  std::string statusText() const;
};

// Undoes the newest cleaning recorded in `recordFolder`, holding the cleaning lock there. What was
// restored leaves the record; what could not be restored because its place is taken (or for a
// reason that may pass) stays in it, so that a later undo can try again; an item that can never
// come back (gone from the trash, deleted for good, not a file of this user's trash) is reported
// once and leaves it. A record with nothing left is done: the next undo takes the one before. A
// record that cannot be read is a failure; one that makes no sense is also set aside.
UndoReport undoLastCleaning(const std::string& recordFolder);

}  // namespace zendrift::scan
