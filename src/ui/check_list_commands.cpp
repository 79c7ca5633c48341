// The result list's context-menu commands: marking all or the selected lines, and excluding them.
#include <stdexcept>
#include <string>

#include "ui/check_list_model.h"
#include "settings/exclude_list.h"
#include "settings/scan_options.h"

namespace zendrift::scan {

// Every command bounds its loop by the current count, so a handler that removes lines while the
// loop runs cannot send it past the end.

void CheckListModel::markAll() {
  for (int i = 0; i < items.count(); ++i) setItemChecked(i, true);
}

void CheckListModel::unmarkAll() {
  for (int i = 0; i < items.count(); ++i) setItemChecked(i, false);
}

void CheckListModel::markSelection() {
  for (int i = 0; i < items.count(); ++i) {
    if (isItemSelected(i)) setItemChecked(i, true);
  }
}

void CheckListModel::unmarkSelection() {
  for (int i = 0; i < items.count(); ++i) {
    if (isItemSelected(i)) setItemChecked(i, false);
  }
}

void CheckListModel::excludeSelection(settings::ScanOptions& options) {
  std::string refused;
  for (int i = 0; i < items.count(); ++i) {
    if (!isItemSelected(i)) continue;
    const std::string& path = items.get(i);
    // The settings file keeps a value on one line, so a line break would be saved as a blank and
    // the entry would never match again: the next run would delete the shortcut. The line is
    // still unmarked, as the user asked for it to be kept.
    if (path.find_first_of("\r\n") != std::string::npos) {
      if (!refused.empty()) refused += '\n';
      refused += "Cannot put \"" + path + "\" on the exclude list: its path holds a line break.";
    } else {
      // No test for a path already there; a separator goes in front only when the text lacks
      // one, so that an entry never runs into the one before it.
      settings::appendExcludeEntry(options.excludeList, path);
    }
    setItemChecked(i, false);
  }
  if (!refused.empty()) throw std::runtime_error(refused);
}

}  // namespace zendrift::scan
