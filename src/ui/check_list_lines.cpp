// The lines of the result list: adding and removing them, selection, focus, extent
// and the observers that are told of each change.
#include <algorithm>
#include <utility>

#include "ui/check_list_model.h"
#include "ui/list_index_error.h"

namespace zendrift::ui {

int CheckListModel::measure(std::string_view text) const { return measure_ ? measure_(text) : 0; }

void CheckListModel::notify(CheckListChange change) {
  // By index: an observer may add or remove observers while it is being told.
  for (std::size_t i = 0; i < observers_.size(); ++i) {
    const ChangeObserver observer = observers_[i].second;
    if (observer) observer(change);
  }
}

void CheckListModel::notify(CheckListChange::Kind kind, int index) { notify(CheckListChange{kind, index, false}); }

int CheckListModel::addObserver(ChangeObserver observer) {
  const int id = nextObserverId_++;
  observers_.emplace_back(id, std::move(observer));
  return id;
}

void CheckListModel::removeObserver(int id) {
  std::erase_if(observers_, [id](const auto& entry) { return entry.first == id; });
}

void CheckListModel::widenExtent(int width) {
  if (width <= extent_) return;
  extent_ = width;
  notify(CheckListChange{CheckListChange::Kind::Extent, -1, false});
}

int CheckListModel::addLine(std::string_view text) {
  const int index = items.count();
  const int width = measure(text);
  lines_.push_back(Line{std::string(text), std::nullopt, false, width, {}});
  notify(CheckListChange::Kind::Inserted, index);
  widenExtent(width);
  return index;
}

void CheckListModel::deleteLine(int index) {
  checkIndex(index);
  const auto pos = lines_.begin() + index;
  const int width = pos->width;
  if (pos->selected) --selectedCount_;
  lines_.erase(pos);
  if (itemIndex_ > index || itemIndex_ >= items.count()) --itemIndex_;
  notify(CheckListChange::Kind::Removed, index);
  if (width >= extent_ && extent_ > 0) {
    // The widest line went: scroll back and take the widest of the rest.
    extent_ = 0;
    for (const Line& line : lines_) extent_ = std::max(extent_, line.width);
    notify(CheckListChange{CheckListChange::Kind::Extent, -1, true});
  }
}

void CheckListModel::clear() {
  lines_.clear();
  selectedCount_ = 0;
  itemIndex_ = -1;
  extent_ = 0;
  notify(CheckListChange::Kind::Cleared);
  notify(CheckListChange{CheckListChange::Kind::Extent, -1, true});
}

void CheckListModel::setLineWidthFunction(LineWidthFunction measure) {
  measure_ = std::move(measure);
  recomputeHorizontalExtent();
}

void CheckListModel::recomputeHorizontalExtent() {
  int widest = 0;
  for (Line& line : lines_) {
    line.width = measure(line.text);
    widest = std::max(widest, line.width);
  }
  extent_ = widest;
  notify(CheckListChange{CheckListChange::Kind::Extent, -1, false});
}

bool CheckListModel::isItemSelected(int index) const {
  checkIndex(index);
  return lines_[static_cast<std::size_t>(index)].selected;
}

void CheckListModel::setItemSelected(int index, bool selected) {
  checkIndex(index);
  Line& line = lines_[static_cast<std::size_t>(index)];
  if (line.selected == selected) return;
  line.selected = selected;
  selectedCount_ += selected ? 1 : -1;
  notify(CheckListChange::Kind::Line, index);
}

void CheckListModel::selectOnlyRange(int first, int last) {
  if (first > last) std::swap(first, last);
  if (first != -1 || last != -1) {
    checkIndex(first);
    checkIndex(last);
  }
  for (int i = 0; i < items.count(); ++i) {
    const bool wanted = first >= 0 && i >= first && i <= last;
    Line& line = lines_[static_cast<std::size_t>(i)];
    if (line.selected == wanted) continue;
    line.selected = wanted;
    selectedCount_ += wanted ? 1 : -1;
    notify(CheckListChange::Kind::Line, i);
  }
}

void CheckListModel::clearSelection() {
  if (selectedCount_ > 0) selectOnlyRange(-1, -1);
}

void CheckListModel::setItemIndex(int index) {
  if (index != -1) checkIndex(index);
  if (index == itemIndex_) return;
  const int old = itemIndex_;
  itemIndex_ = index;
  if (old >= 0) notify(CheckListChange::Kind::Line, old);
  if (index >= 0) notify(CheckListChange::Kind::Line, index);
}

}  // namespace zendrift::ui
