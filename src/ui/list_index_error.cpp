// The error raised for a line index outside the result list.
#include "ui/list_index_error.h"

#include <string>

namespace zendrift::ui {

ListIndexError::ListIndexError(int index)
    : std::out_of_range("List index out of bounds (" + std::to_string(index) + ")"), index_(index) {}

}  // namespace zendrift::ui
