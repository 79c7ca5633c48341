// The check records of the result list: reading and writing states and toggling.
#include "ui/check_list_model.h"

#include "ui/list_index_error.h"

namespace zendrift::ui {

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
  return slot ? slot->state : CheckState::unchecked;
}

bool CheckListModel::isItemChecked(int index) const {
  checkIndex(index);
  const auto& slot = lines_[static_cast<std::size_t>(index)].record;
  return slot && slot->state == CheckState::checked;
}

bool CheckListModel::isItemEnabled(int index) const {
  checkIndex(index);
  const auto& slot = lines_[static_cast<std::size_t>(index)].record;
  return !slot || slot->enabled;
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

void CheckListModel::setItemState(int index, CheckState state) {
  checkIndex(index);
  if (state == itemState(index)) return;
  record(index).state = state;
  notify(CheckListChange::Kind::CheckArea, index);
  if (onStateChange) onStateChange(*this, index);
}

void CheckListModel::setItemChecked(int index, bool checked) {
  setItemState(index, checked ? CheckState::checked : CheckState::unchecked);
}

void CheckListModel::setItemEnabled(int index, bool enabled) {
  checkIndex(index);
  if (isItemEnabled(index) == enabled) return;
  record(index).enabled = enabled;
  notify(CheckListChange::Kind::Line, index);
}

void CheckListModel::toggleItemCheck(int index) {
  if (index < 0 || index >= items.count() || !isItemEnabled(index)) return;
  setItemState(index, itemState(index) == CheckState::checked ? CheckState::unchecked : CheckState::checked);
  if (onClickCheck) onClickCheck(*this);
}

void CheckListModel::setAllItemStates(CheckState state, bool onlyEnabled) {
  // Count is read on every pass: an event handler may remove lines under the loop.
  for (int i = 0; i < items.count(); ++i) {
    if (onlyEnabled && !isItemEnabled(i)) continue;
    setItemState(i, state);
  }
}

void CheckListModel::setCheckKind(CheckKind kind) {
  if (kind == checkKind_) return;
  checkKind_ = kind;
  notify(CheckListChange::Kind::Lines);
}

}  // namespace zendrift::ui
