// The record of a cleaning: what the removal did, kept in the user's state folder so that the
// last cleaning can be undone. The newest records are kept; older ones are dropped.
#pragma once

#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "platform/result.h"
#include "platform/trash.h"
#include "scan/orphan_removal.h"

namespace zendrift::scan {

struct CleaningRecord {
  std::vector<platform::TrashedFile> trashed;
  std::vector<std::string> deletedForGood;
  std::vector<std::string> removedFolders;  // in the order they went: the deepest first
  // Shortcuts someone else had removed before the cleaning came to them: nothing to undo.
  std::vector<std::string> alreadyGone;
  // The folders the cleaning reached its files from; an undo enters each file's nearest one as
  // the cleaning did, and below it follows no link. Records written before have none.
  std::vector<std::string> roots;
  // Lines edited in files that stayed (a mimeapps.list), in the order edited.
  std::vector<EditedLine> editedLines;
  // Whether the cleaning did nothing that an undo could speak of.
  bool empty() const {
    return trashed.empty() && deletedForGood.empty() && removedFolders.empty() && editedLines.empty();
  }
  friend bool operator==(const CleaningRecord&, const CleaningRecord&) = default;
};

// How many records are kept.
inline constexpr std::size_t kKeptCleaningRecords = 20;

CleaningRecord cleaningRecordOf(const RemovalReport& report);

// The folder that holds the records: Zendrift in the user's state folder; empty when there is none.
std::string cleaningRecordFolder();

// Writes `record` as the newest in `folder` (made when missing) in one atomic step, then drops the
// oldest records beyond kKeptCleaningRecords.
std::error_code saveCleaningRecord(const CleaningRecord& record, const std::string& folder);

// Records what `report` did as the newest cleaning in cleaningRecordFolder(); a removal that did
// nothing leaves no record.
std::error_code recordCleaning(const RemovalReport& report);

// The newest record in `folder` and the file that holds it.
struct StoredCleaningRecord {
  std::string file;
  CleaningRecord record;
};
// Nothing when there is none; an error when the newest cannot be read or makes no sense.
platform::Result<std::optional<StoredCleaningRecord>> lastCleaningRecord(const std::string& folder);

// Sets the newest record in `folder` aside, renamed so that no undo takes it again, when it makes
// no sense (written by hand, or by a later version): the one before it is then the newest.
// Its new name, or why it stays.
platform::Result<std::string> setAsideLastCleaningRecord(const std::string& folder);

// Replaces a stored record with what is left of it, or removes it when nothing is.
std::error_code rewriteCleaningRecord(const StoredCleaningRecord& stored);

}  // namespace zendrift::scan
