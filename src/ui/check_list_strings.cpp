// The line collection of the result list: every call goes to the owning model.
#include "ui/check_list_strings.h"

#include "ui/check_list_model.h"

namespace zendrift::ui {

int CheckListStrings::add(std::string_view text) { return owner_.addLine(text); }

int CheckListStrings::count() const noexcept { return static_cast<int>(owner_.lines_.size()); }

const std::string& CheckListStrings::get(int index) const {
  owner_.checkIndex(index);
  return owner_.lines_[static_cast<std::size_t>(index)].text;
}

void CheckListStrings::remove(int index) { owner_.deleteLine(index); }

void CheckListStrings::clear() { owner_.clear(); }

}  // namespace zendrift::ui
