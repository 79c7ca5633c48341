// The box texts of the window's work.
#include "ui/work_messages.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

#include "scan/cleaning_record.h"

namespace zendrift::ui {

std::string permanentDeletionQuestion(std::size_t count) {
  return "Delete " + std::to_string(count) + " marked orphan(s) permanently? This cannot be undone.";
}

std::string removalStatusText(const scan::RemovalReport& report, scan::Disposal disposal) {
  std::string text = report.statusText();
  // When every shortcut failed alike (no trash to take them, say), the line says why; the lines'
  // hints say it for each otherwise.
  const auto shortcutFailed = [](const scan::RemovalFailure& failure) { return !failure.folder; };
  const auto first = std::find_if(report.failures.begin(), report.failures.end(), shortcutFailed);
  if (first != report.failures.end() &&
      std::all_of(first, report.failures.end(), [&first, &shortcutFailed](const scan::RemovalFailure& failure) {
        return !shortcutFailed(failure) || failure.error == first->error;
      })) {
    constexpr std::string_view kFailed = "could not be deleted.";
    const std::size_t after = text.find(kFailed);
    if (after != std::string::npos) text.insert(after + kFailed.size(), " Reason: " + first->error.message() + ".");
  }
  const std::size_t shortcuts = report.deleted.size();
  const std::size_t folders = report.removedFolders.size();
  if (shortcuts == 0 && folders == 0) return text;
  text += " " + std::to_string(shortcuts) + " shortcut(s) " +
          (disposal == scan::Disposal::trash ? "moved to the trash" : "deleted");
  if (folders > 0) text += ", " + std::to_string(folders) + " empty folder(s) removed";
  return text + ".";
}

std::string unrecordedCleaningMessage(std::error_code error) {
  return "The cleaning could not be recorded in " + scan::cleaningRecordFolder() +
         ", so it cannot be undone here: " + error.message();
}

std::string undoFailureMessage(const scan::UndoReport& report) {
  if (report.failures.empty()) return {};
  constexpr std::size_t kListed = 20;
  std::string message = "Some items could not be restored:";
  for (std::size_t i = 0; i < report.failures.size() && i < kListed; ++i) {
    message += "\n" + report.failures[i].path + ": " + report.failures[i].error.message();
  }
  if (report.failures.size() > kListed) message += "\n...";
  return message;
}

}  // namespace zendrift::ui
