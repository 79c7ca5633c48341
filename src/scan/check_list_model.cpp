// The check records of the result list: reading and writing states, toggling, radio-button rules.
#include "scan/check_list_model.h"

#include <algorithm>

#include "scan/list_index_error.h"

namespace zendrift::scan {

void CheckListModel::checkIndex(int index) const {
  if (index < 0 || index >= Items.Count()) throw ListIndexError(index);
}

TJvCheckListBoxItem& CheckListModel::record(int index) {
  auto& slot = lines_[static_cast<std::size_t>(index)].record;
  if (!slot) slot.emplace();
  return *slot;
}

TCheckBoxState CheckListModel::ItemState(int index) const {
  checkIndex(index);
  const auto& slot = lines_[static_cast<std::size_t>(index)].record;
  if (!slot) return cbUnchecked;
  if (checkKind_ == ckRadioButtons && slot->State == cbGrayed) return cbUnchecked;
  return slot->State;
}

bool CheckListModel::IsItemChecked(int index) const {
  checkIndex(index);
  const auto& slot = lines_[static_cast<std::size_t>(index)].record;
  return slot && slot->State == cbChecked;
}

bool CheckListModel::IsItemEnabled(int index) const {
  checkIndex(index);
  const auto& slot = lines_[static_cast<std::size_t>(index)].record;
  return !slot || slot->Enabled;
}

std::int32_t CheckListModel::ItemData(int index) const {
  checkIndex(index);
  const auto& slot = lines_[static_cast<std::size_t>(index)].record;
  return slot ? slot->Data : 0;
}

bool CheckListModel::HasItemRecord(int index) const {
  checkIndex(index);
  return lines_[static_cast<std::size_t>(index)].record.has_value();
}

const std::string& CheckListModel::ItemHint(int index) const {
  checkIndex(index);
  return lines_[static_cast<std::size_t>(index)].hint;
}

void CheckListModel::SetItemHint(int index, std::string hint) {
  checkIndex(index);
  lines_[static_cast<std::size_t>(index)].hint = std::move(hint);
}

void CheckListModel::SetItemData(int index, std::int32_t data) {
  checkIndex(index);
  record(index).Data = data;
}

void CheckListModel::SetItemState(int index, TCheckBoxState state) {
  checkIndex(index);
  if (state == ItemState(index) && !fixingRadio_) return;
  // One radio button always stays checked.
  if (checkKind_ == ckRadioButtons && state != cbChecked && index == CheckedIndex()) return;
  record(index).State = state;
  if (checkKind_ == ckRadioButtons && state == cbChecked) {
    for (int i = Items.Count() - 1; i >= 0; --i) {
      auto& other = lines_[static_cast<std::size_t>(i)].record;
      if (i != index && other && other->State == cbChecked) {
        other->State = cbUnchecked;
        notify(CheckListChange::Kind::CheckArea, i);
      }
    }
  }
  notify(CheckListChange::Kind::CheckArea, index);
  if (OnStateChange) OnStateChange(*this, index);
}

void CheckListModel::SetItemChecked(int index, bool checked) {
  SetItemState(index, checked ? cbChecked : cbUnchecked);
}

void CheckListModel::SetItemEnabled(int index, bool enabled) {
  checkIndex(index);
  if (IsItemEnabled(index) == enabled) return;
  record(index).Enabled = enabled;
  notify(CheckListChange::Kind::Line, index);
}

void CheckListModel::ToggleItemCheck(int index) {
  if (index < 0 || index >= Items.Count() || !IsItemEnabled(index)) return;
  TCheckBoxState next = cbUnchecked;
  switch (ItemState(index)) {
    case cbUnchecked:
      next = allowGrayed_ && checkKind_ != ckRadioButtons ? cbGrayed : cbChecked;
      break;
    case cbChecked:
      next = cbUnchecked;
      break;
    case cbGrayed:
      next = cbChecked;
      break;
  }
  SetItemState(index, next);
  if (OnClickCheck) OnClickCheck(*this);
}

void CheckListModel::SetAllItemStates(TCheckBoxState state, bool onlyEnabled) {
  if (checkKind_ == ckRadioButtons) return;
  // Count is read on every pass: an event handler may remove lines under the loop.
  for (int i = 0; i < Items.Count(); ++i) {
    if (onlyEnabled && !IsItemEnabled(i)) continue;
    SetItemState(i, state);
  }
}

void CheckListModel::SetCheckKind(TCheckKind kind) {
  if (kind == checkKind_) return;
  checkKind_ = kind;
  if (checkKind_ == ckRadioButtons && Items.Count() > 0) {
    // Exactly one radio button is checked: the first checked line, or line 0.
    const int first = std::max(CheckedIndex(), 0);
    fixingRadio_ = true;
    try {
      SetItemState(first, cbChecked);
    } catch (...) {
      fixingRadio_ = false;
      throw;
    }
    fixingRadio_ = false;
  }
  notify(CheckListChange::Kind::Lines);
}

void CheckListModel::SetAllowGrayed(bool allow) {
  if (allow == allowGrayed_) return;
  allowGrayed_ = allow;
  notify(CheckListChange::Kind::Lines);
}

int CheckListModel::CheckedIndex() const {
  if (checkKind_ != ckRadioButtons) return -1;
  for (int i = 0; i < Items.Count(); ++i) {
    if (ItemState(i) == cbChecked) return i;
  }
  return -1;
}

void CheckListModel::SetCheckedIndex(int index) {
  if (checkKind_ != ckRadioButtons || Items.Count() == 0) return;
  SetItemState(std::max(index, 0), cbChecked);
}

}  // namespace zendrift::scan
