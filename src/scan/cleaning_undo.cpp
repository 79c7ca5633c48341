// Undoing the last cleaning from its record.
#include "scan/cleaning_undo.h"

#include "platform/file_system.h"
#include "platform/trash.h"
#include "scan/cleaning_record.h"

namespace zendrift::scan {

std::string UndoReport::statusText() const {
  if (nothingToUndo) return "There is no cleaning to undo.";
  std::string text = "Restored " + std::to_string(restored.size()) + " shortcut(s).";
  if (!failures.empty()) text += " " + std::to_string(failures.size()) + " item(s) could not be restored.";
  return text;
}

UndoReport undoLastCleaning(const std::string& recordFolder) {
  UndoReport report;
  std::error_code error;
  std::optional<StoredCleaningRecord> stored = lastCleaningRecord(recordFolder, error);
  if (error) {
    report.failures.push_back({recordFolder, error});
    return report;
  }
  if (!stored) {
    report.nothingToUndo = true;
    return report;
  }
  CleaningRecord& record = stored->record;
  CleaningRecord left;
  // Removed deepest first, so made again in the opposite order; a parent is made on the way.
  for (auto folder = record.removedFolders.rbegin(); folder != record.removedFolders.rend(); ++folder) {
    if (platform::folderExists(*folder)) continue;
    if (const std::error_code made = platform::createFolders(*folder); !made) {
      report.restoredFolders.push_back(*folder);
    } else {
      const std::error_code why = platform::fileExists(*folder) ? std::error_code(platform::TrashError::placeTaken) : made;
      report.failures.push_back({*folder, why});
      left.removedFolders.insert(left.removedFolders.begin(), *folder);
    }
  }
  for (platform::TrashedFile& file : record.trashed) {
    const std::error_code restoreError = platform::restoreFromTrash(file);
    if (!restoreError) {
      report.restored.push_back(file.original);
      continue;
    }
    report.failures.push_back({file.original, restoreError});
    if (restoreError != platform::TrashError::notInTrash) left.trashed.push_back(std::move(file));
  }
  for (const std::string& path : record.deletedForGood) {
    report.failures.push_back({path, platform::TrashError::deletedForGood});
  }
  stored->record = std::move(left);
  if (const std::error_code rewriteError = rewriteCleaningRecord(*stored)) {
    report.failures.push_back({stored->file, rewriteError});
  }
  return report;
}

}  // namespace zendrift::scan
