// The error raised for a line index outside the result list.
#pragma once

#include <stdexcept>

namespace zendrift::ui {

// "List index out of bounds (%d)" with the offending index.
class ListIndexError : public std::out_of_range {
 public:
  explicit ListIndexError(int index);
  int index() const noexcept { return index_; }

 private:
  int index_;
};

}  // namespace zendrift::ui
