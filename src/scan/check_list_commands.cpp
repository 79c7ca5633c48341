// The result list's context-menu commands: marking all or the selected lines, and excluding them.
#include "scan/check_list_model.h"
#include "settings/ini_rec.h"

namespace zendrift::scan {

// Every command bounds its loop by the current count, so a handler that removes lines while the
// loop runs cannot send it past the end.

void CheckListModel::Markall1Click() {
  for (int i = 0; i < Items.Count(); ++i) SetItemChecked(i, true);
}

void CheckListModel::Unmarkall1Click() {
  for (int i = 0; i < Items.Count(); ++i) SetItemChecked(i, false);
}

void CheckListModel::Markselection1Click() {
  for (int i = 0; i < Items.Count(); ++i) {
    if (IsItemSelected(i)) SetItemChecked(i, true);
  }
}

void CheckListModel::Unmarkselection1Click() {
  for (int i = 0; i < Items.Count(); ++i) {
    if (IsItemSelected(i)) SetItemChecked(i, false);
  }
}

void CheckListModel::Putselectionontheexcludelist1Click(settings::TIniRec& options) {
  for (int i = 0; i < Items.Count(); ++i) {
    if (!IsItemSelected(i)) continue;
    // No separator in front of the first path and no test for one already there.
    options.ExcludeList += Items.Get(i);
    options.ExcludeList += ", ";
    SetItemChecked(i, false);
  }
}

}  // namespace zendrift::scan
