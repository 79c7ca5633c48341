// The line collection of the result list (`items`): texts in insertion order.
//
// It has no storage of its own; every call goes to the model that owns it, so that each line's
// check record, selection and width travel with its text.
#pragma once

#include <string>
#include <string_view>

namespace zendrift::ui {

class CheckListModel;

class CheckListStrings {
 public:
  CheckListStrings(const CheckListStrings&) = delete;
  CheckListStrings& operator=(const CheckListStrings&) = delete;

  // Appends an unmarked line and returns its index.
  int add(std::string_view text);
  int count() const noexcept;
  const std::string& get(int index) const;
  // Removes the line and its record; later lines move up and keep their own marks.
  void remove(int index);
  void clear();

 private:
  friend class CheckListModel;
  explicit CheckListStrings(CheckListModel& owner) noexcept : owner_(owner) {}

  CheckListModel& owner_;
};

}  // namespace zendrift::ui
