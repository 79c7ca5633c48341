// Undoing the last cleaning from its record.
#include "scan/cleaning_undo.h"

#include <algorithm>
#include <optional>

#include "platform/ascii_case.h"
#include "platform/file_system.h"
#include "platform/guarded_removal.h"
#include "platform/path.h"
#include "platform/trash.h"
#include "profile/wine/file_association.h"
#include "scan/cleaning_lock.h"
#include "scan/cleaning_record.h"

namespace zendrift::scan {

namespace {

// Far larger than any mimeapps.list; as the removal reads them.
constexpr std::size_t kMaxListSize = 1024 * 1024;

bool isShortcut(const std::string& path) {
  const std::string_view name = platform::fileName(path);
  return name.size() >= 4 && platform::equalsIgnoringAsciiCase(name.substr(name.size() - 4), ".lnk");
}

// The nearest of `roots` above `path`: the folder the cleaning reached it from; none when no root
// is above it. A record written before roots were kept has none: then the nearest folder above
// that is there now, as undo took it then.
std::optional<std::string> rootOf(const std::string& path, const std::vector<std::string>& roots) {
  if (roots.empty()) {
    std::string folder = platform::parentPath(path);
    for (std::string up; !folder.empty() && !platform::folderExists(folder); folder = std::move(up)) {
      up = platform::parentPath(platform::withoutTrailingSeparator(folder));
      if (up.size() >= folder.size()) break;
    }
    return folder;
  }
  std::optional<std::string> nearest;
  for (const std::string& root : roots) {
    const std::string folder = platform::withTrailingSeparator(root);
    if (path.size() > folder.size() && path.starts_with(folder) && (!nearest || folder.size() > nearest->size())) {
      nearest = folder;
    }
  }
  return nearest;
}

// Whether a file that could not be restored never can be: then it leaves the record.
bool neverRestorable(const std::error_code& error) {
  return error == platform::TrashError::notInTrash || error == platform::TrashError::notOurTrash ||
         error == platform::RemovalError::notBelowRoot;
}

// "N shortcut(s)", and " and M menu file(s)" when any of `paths` are not shortcuts.
std::string countedItems(const std::vector<std::string>& paths) {
  const auto shortcuts = static_cast<std::size_t>(std::count_if(paths.begin(), paths.end(), isShortcut));
  std::string text = std::to_string(shortcuts) + " shortcut(s)";
  if (shortcuts < paths.size()) text += " and " + std::to_string(paths.size() - shortcuts) + " menu file(s)";
  return text;
}

// Puts `edits` back into the mimeapps.list `file`: only into one of the places a cleaning edits,
// only into a regular file (never through a link), and only while no one else writes it meanwhile.
std::error_code restoreLines([[maybe_unused]] const std::string& file,
                             [[maybe_unused]] const std::vector<profile::wine::LineEdit>& edits) {
  if constexpr (platform::kNativeStyle == platform::PathStyle::Posix) {
    const std::vector<std::string> lists = profile::wine::associationPlaces().mimeappsLists;
    if (std::find(lists.begin(), lists.end(), file) == lists.end()) return platform::RemovalError::notBelowRoot;
    const platform::Result<profile::wine::VersionedText> read = profile::wine::readVersionedFile(file, kMaxListSize);
    if (!read) return read.error();
    // The lines it changed are no longer as the cleaning left them: the file is not guessed at.
    const std::optional<std::string> restored = profile::wine::withoutLineEdits(read->text, edits);
    if (!restored || !(platform::entryVersion(file) == read->version)) return platform::RemovalError::changedSinceScan;
    return platform::replaceFile(file, *restored);
  }
  return platform::RemovalError::notBelowRoot;
}

// The entry an edit took out of its line that is not there now, if any: the line names it again
// only once it is back.
std::optional<std::string> missingEntry([[maybe_unused]] const profile::wine::LineEdit& edit) {
  if constexpr (platform::kNativeStyle == platform::PathStyle::Posix) {
    const std::string applications = profile::wine::associationPlaces().applications;
    for (const std::string& id : profile::wine::associationIdsDropped(edit)) {
      std::string entry = platform::join(applications, id);
      if (!platform::fileExists(entry)) return entry;
    }
  }
  return std::nullopt;
}

// Puts the edited lines of each file back, the last edit first; what cannot go back stays in
// `left` for a later undo. A line whose entry did not come back (told as the entry's failure)
// stays out, and waits in `left` as long as its entry does.
void restoreEditedLines(const std::vector<EditedLine>& lines, UndoReport& report, CleaningRecord& left) {
  std::vector<std::string> files;
  for (const EditedLine& line : lines) {
    if (std::find(files.begin(), files.end(), line.file) == files.end()) files.push_back(line.file);
  }
  for (const std::string& file : files) {
    std::vector<profile::wine::LineEdit> edits;
    std::vector<const EditedLine*> waiting;
    for (const EditedLine& line : lines) {
      if (line.file != file) continue;
      const std::optional<std::string> entry = missingEntry(line.edit);
      if (!entry) {
        edits.push_back(line.edit);
        continue;
      }
      const bool pending = std::any_of(left.trashed.begin(), left.trashed.end(),
                                       [&entry](const platform::TrashedFile& trashed) { return trashed.original == *entry; });
      if (pending) waiting.push_back(&line);
    }
    const std::error_code error = edits.empty() ? std::error_code() : restoreLines(file, edits);
    if (error) report.failures.push_back({file, error});
    for (const EditedLine& line : lines) {
      if (line.file != file) continue;
      const bool waits = std::find(waiting.begin(), waiting.end(), &line) != waiting.end();
      const bool failed =
          error && !neverRestorable(error) && std::find(edits.begin(), edits.end(), line.edit) != edits.end();
      if (waits || failed) left.editedLines.push_back(line);
    }
  }
}

// Whether a restored file is one of Wine's association files, which the desktop keeps caches of.
bool isAssociationFile(std::string_view path) {
  const std::string_view name = platform::fileName(path);
  return name.starts_with("wine-extension-") || name.starts_with("x-wine-extension-");
}

}  // namespace

std::string UndoReport::statusText() const {
  if (nothingToUndo) return "There is no cleaning to undo.";
  if (notStarted) return "Nothing was undone: " + notStarted.message() + ".";
  if (onlyDeletedForGood()) {
    return "The last cleaning deleted " + countedItems(deletedForGood) + " for good: there is nothing to undo.";
  }
  std::string text = "Restored " + countedItems(restored) + ".";
  if (!deletedForGood.empty()) text += " " + std::to_string(deletedForGood.size()) + " item(s) were deleted for good.";
  if (!failures.empty()) text += " " + std::to_string(failures.size()) + " item(s) could not be restored.";
  return text;
}

UndoReport undoLastCleaning(const std::string& recordFolder) {
  UndoReport report;
  // Without a folder for the lock there is no record to undo either; only another holder stops it.
  CleaningLock lock;
  if (const std::error_code locked = lock.acquire(recordFolder); locked == CleaningLockError::busy) {
    report.notStarted = locked;
    return report;
  }
  platform::Result<std::optional<StoredCleaningRecord>> last = lastCleaningRecord(recordFolder);
  if (!last) {
    // A record that makes no sense never will: told once and set aside, the one before is next.
    const std::error_code error = last.error();
    const bool senseless = error == std::errc::illegal_byte_sequence;
    const platform::Result<std::string> setAside =
        senseless ? setAsideLastCleaningRecord(recordFolder) : platform::Result<std::string>(error);
    report.failures.push_back({setAside.valueOr(recordFolder), error});
    return report;
  }
  std::optional<StoredCleaningRecord> stored = std::move(last).value();
  if (!stored) {
    report.nothingToUndo = true;
    return report;
  }
  CleaningRecord& record = stored->record;
  CleaningRecord left;
  left.roots = record.roots;
  // The emptied folders come back as the folders of their files; those missing now are told when
  // they are there again.
  std::vector<std::string> missing;
  for (auto folder = record.removedFolders.rbegin(); folder != record.removedFolders.rend(); ++folder) {
    if (!platform::folderExists(*folder)) missing.push_back(*folder);
  }
  if constexpr (platform::kNativeStyle == platform::PathStyle::Windows) {
    // The Recycle Bin puts a file back into its folder as it finds it: a folder that a file of this
    // record goes back into is made first.
    for (const std::string& folder : missing) {
      const std::string inside = platform::withTrailingSeparator(folder);
      const bool holdsFile = std::any_of(record.trashed.begin(), record.trashed.end(),
                                         [&inside](const platform::TrashedFile& file) { return file.original.starts_with(inside); });
      if (holdsFile) static_cast<void>(platform::createFolders(folder));
    }
  }
  for (platform::TrashedFile& file : record.trashed) {
    const std::optional<std::string> root = rootOf(file.original, record.roots);
    // The folder the cleaning started from may be gone too (a folder of the user's own, deleted
    // since): it is made again like the folders below it, or the file could never come back. Should
    // that fail, the restore below fails and says why.
    if (root && !platform::folderExists(*root)) {
      static_cast<void>(platform::createFolders(platform::withoutTrailingSeparator(*root)));
    }
    const std::error_code restoreError =
        root ? platform::restoreFromTrash(file, *root) : std::error_code(platform::RemovalError::notBelowRoot);
    if (!restoreError) {
      report.restored.push_back(file.original);
      continue;
    }
    report.failures.push_back({file.original, restoreError});
    if (!neverRestorable(restoreError)) left.trashed.push_back(std::move(file));
  }
  for (const std::string& folder : missing) {
    if (platform::folderExists(folder)) report.restoredFolders.push_back(folder);
  }
  report.deletedForGood = std::move(record.deletedForGood);
  restoreEditedLines(record.editedLines, report, left);
  if constexpr (platform::kNativeStyle == platform::PathStyle::Posix) {
    if (!record.editedLines.empty() || std::any_of(report.restored.begin(), report.restored.end(), isAssociationFile)) {
      const profile::wine::AssociationPlaces places = profile::wine::associationPlaces();
      profile::wine::refreshDesktopCaches(places.applications, places.mime);
    }
  }
  stored->record = std::move(left);
  if (const std::error_code rewriteError = rewriteCleaningRecord(*stored)) {
    report.failures.push_back({stored->file, rewriteError});
  }
  return report;
}

}  // namespace zendrift::scan
