// The result list's context-menu commands: marking all or the selected lines, and excluding them.
#include <string>
#include <vector>

#include "ui/check_list_model.h"

namespace zendrift::ui {

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

void CheckListModel::markEnabledLines(bool marked) {
  setAllItemStates(marked ? CheckState::checked : CheckState::unchecked, true);
  if (onClickCheck) onClickCheck(*this);
}

std::vector<std::string> CheckListModel::excludeSelection() {
  std::vector<std::string> paths;
  for (int i = 0; i < items.count(); ++i) {
    if (!isItemSelected(i)) continue;
    paths.push_back(items.get(i));
    // Unmarked even when the window cannot take the path: the user asked for it to be kept.
    setItemChecked(i, false);
  }
  return paths;
}

}  // namespace zendrift::ui
