// The check records of the result list: reading and writing states, toggling, radio-button rules.
#include "ui/check_list_model.h"

#include <algorithm>

#include "ui/list_index_error.h"

namespace zendrift::scan {

void CheckListModel::checkIndex(int index) const {
  if (index < 0 || index >= items.count()) throw ListIndexError(index);
}

CheckRecord& CheckListModel::record(int index) {
  auto& slot = lines_[static_cast<std::size_t>(index)].record;
  if (!slot) slot.emplace();
  return *slot;
}

CheckState CheckListModel::itemState(int index) const {
  checkIndex(index);
  const auto& slot = lines_[static_cast<std::size_t>(index)].record;
  if (!slot) return cbUnchecked;
  if (checkKind_ == ckRadioButtons && slot->state == cbGrayed) return cbUnchecked;
  return slot->state;
}

bool CheckListModel::isItemChecked(int index) const {
  checkIndex(index);
  const auto& slot = lines_[static_cast<std::size_t>(index)].record;
  return slot && slot->state == cbChecked;
}

bool CheckListModel::isItemEnabled(int index) const {
  checkIndex(index);
  const auto& slot = lines_[static_cast<std::size_t>(index)].record;
  return !slot || slot->enabled;
}

std::int32_t CheckListModel::itemData(int index) const {
  checkIndex(index);
  const auto& slot = lines_[static_cast<std::size_t>(index)].record;
  return slot ? slot->data : 0;
}

bool CheckListModel::hasItemRecord(int index) const {
  checkIndex(index);
  return lines_[static_cast<std::size_t>(index)].record.has_value();
}

const std::string& CheckListModel::itemHint(int index) const {
  checkIndex(index);
  return lines_[static_cast<std::size_t>(index)].hint;
}

void CheckListModel::setItemHint(int index, std::string hint) {
  checkIndex(index);
  lines_[static_cast<std::size_t>(index)].hint = std::move(hint);
}

void CheckListModel::setItemData(int index, std::int32_t data) {
  checkIndex(index);
  record(index).data = data;
}

void CheckListModel::setItemState(int index, CheckState state) {
  checkIndex(index);
  if (state == itemState(index) && !fixingRadio_) return;
  // One radio button always stays checked.
  if (checkKind_ == ckRadioButtons && state != cbChecked && index == checkedIndex()) return;
  record(index).state = state;
  if (checkKind_ == ckRadioButtons && state == cbChecked) {
    for (int i = items.count() - 1; i >= 0; --i) {
      auto& other = lines_[static_cast<std::size_t>(i)].record;
      if (i != index && other && other->state == cbChecked) {
        other->state = cbUnchecked;
        notify(CheckListChange::Kind::CheckArea, i);
      }
    }
  }
  notify(CheckListChange::Kind::CheckArea, index);
  if (onStateChange) onStateChange(*this, index);
}

void CheckListModel::setItemChecked(int index, bool checked) {
  setItemState(index, checked ? cbChecked : cbUnchecked);
}

void CheckListModel::setItemEnabled(int index, bool enabled) {
  checkIndex(index);
  if (isItemEnabled(index) == enabled) return;
  record(index).enabled = enabled;
  notify(CheckListChange::Kind::Line, index);
}

void CheckListModel::toggleItemCheck(int index) {
  if (index < 0 || index >= items.count() || !isItemEnabled(index)) return;
  CheckState next = cbUnchecked;
  switch (itemState(index)) {
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
  setItemState(index, next);
  if (onClickCheck) onClickCheck(*this);
}

void CheckListModel::setAllItemStates(CheckState state, bool onlyEnabled) {
  if (checkKind_ == ckRadioButtons) return;
  // Count is read on every pass: an event handler may remove lines under the loop.
  for (int i = 0; i < items.count(); ++i) {
    if (onlyEnabled && !isItemEnabled(i)) continue;
    setItemState(i, state);
  }
}

void CheckListModel::setCheckKind(CheckKind kind) {
  if (kind == checkKind_) return;
  checkKind_ = kind;
  if (checkKind_ == ckRadioButtons && items.count() > 0) {
    // Exactly one radio button is checked: the first checked line, or line 0.
    const int first = std::max(checkedIndex(), 0);
    fixingRadio_ = true;
    try {
      setItemState(first, cbChecked);
    } catch (...) {
      fixingRadio_ = false;
      throw;
    }
    fixingRadio_ = false;
  }
  notify(CheckListChange::Kind::Lines);
}

void CheckListModel::setAllowGrayed(bool allow) {
  if (allow == allowGrayed_) return;
  allowGrayed_ = allow;
  notify(CheckListChange::Kind::Lines);
}

int CheckListModel::checkedIndex() const {
  if (checkKind_ != ckRadioButtons) return -1;
  for (int i = 0; i < items.count(); ++i) {
    if (itemState(i) == cbChecked) return i;
  }
  return -1;
}

void CheckListModel::setCheckedIndex(int index) {
  if (checkKind_ != ckRadioButtons || items.count() == 0) return;
  setItemState(std::max(index, 0), cbChecked);
}

}  // namespace zendrift::scan
