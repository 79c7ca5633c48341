// The line collection of the result list: every call goes to the owning model.
#include "scan/check_list_strings.h"

#include "scan/check_list_model.h"

namespace zendrift::scan {

int CheckListStrings::Add(std::string_view text) { return owner_.addLine(text); }

void CheckListStrings::Insert(int index, std::string_view text) { owner_.insertLine(index, text); }

int CheckListStrings::Count() const noexcept { return static_cast<int>(owner_.lines_.size()); }

const std::string& CheckListStrings::Get(int index) const {
  owner_.checkIndex(index);
  return owner_.lines_[static_cast<std::size_t>(index)].text;
}

void CheckListStrings::Delete(int index) { owner_.deleteLine(index); }

void CheckListStrings::Exchange(int index1, int index2) { owner_.exchangeLines(index1, index2); }

void CheckListStrings::Move(int currentIndex, int newIndex) { owner_.moveLine(currentIndex, newIndex); }

void CheckListStrings::Clear() { owner_.Clear(); }

}  // namespace zendrift::scan
