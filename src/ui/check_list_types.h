// The values a result-list line carries: its check state, the kind of check drawn, and its record.
#pragma once

#include <cstdint>

namespace zendrift::ui {

// A line is marked when its state is CheckState::checked.
enum class CheckState : std::uint8_t { unchecked = 0, checked = 1 };

// Each value is the row of its cells in the cell bitmap (ui/check_cells.h).
enum class CheckKind : std::uint8_t { checkBoxes = 0, checkMarks = 2 };

// The check record of one line. A line gets one only when one of its values is written.
struct CheckRecord {
  CheckState state = CheckState::unchecked;
  bool enabled = true;

  friend bool operator==(const CheckRecord&, const CheckRecord&) = default;
};

}  // namespace zendrift::ui
