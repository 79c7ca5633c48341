// An ordered list of names that can keep itself sorted, as the engine's result lists and the
// filters' mask lists are.
//
// Sorting and the duplicate test ignore the case of ASCII letters and compare every other byte
// as it is, so multi-byte UTF-8 names keep their bytes and sort consistently.
#pragma once

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace zendrift::search {

// Negative, zero or positive as `a` sorts before, with or after `b`, ignoring ASCII case.
int compareTextIgnoringCase(std::string_view a, std::string_view b);

class StringList {
 public:
  enum class Duplicates { Ignore, Accept };

  StringList() = default;
  StringList(std::initializer_list<std::string> lines);
  // Copies the lines only; the sort state, duplicate policy and change handler stay.
  StringList(const StringList& other);
  StringList& operator=(const StringList& other);

  std::size_t size() const noexcept { return lines_.size(); }
  bool empty() const noexcept { return lines_.empty(); }
  // Throws SearchError "List index out of bounds (%d)".
  const std::string& at(std::size_t index) const;
  const std::string& operator[](std::size_t index) const { return lines_[index]; }
  const std::vector<std::string>& lines() const noexcept { return lines_; }
  auto begin() const noexcept { return lines_.begin(); }
  auto end() const noexcept { return lines_.end(); }
  // Index of the first line equal to `text` (ignoring case when sorted, exactly otherwise), or -1.
  std::ptrdiff_t indexOf(std::string_view text) const;

  // Appends, or inserts in order when sorted; a sorted list that ignores duplicates does not
  // add a line it already holds. Returns whether the line was added.
  bool add(std::string line);
  void clear();
  void remove(std::size_t index);
  void assign(const std::vector<std::string>& lines);
  void assign(const StringList& other) { assign(other.lines_); }

  bool sorted() const noexcept { return sorted_; }
  // A list that becomes sorted is sorted at once (stably: equal names keep their order).
  void setSorted(bool sorted);
  Duplicates duplicates() const noexcept { return duplicates_; }
  void setDuplicates(Duplicates duplicates) { duplicates_ = duplicates; }

  // Called after each completed change of the lines.
  void setOnChange(std::function<void()> handler) { onChange_ = std::move(handler); }

 private:
  void changed() const;

  std::vector<std::string> lines_;
  bool sorted_ = false;
  Duplicates duplicates_ = Duplicates::Ignore;
  std::function<void()> onChange_;
};

}  // namespace zendrift::search
