// The values a result-list line carries: its check state, the kind of check drawn, and its record.
#pragma once

#include <cstdint>

namespace zendrift::scan {

// A line is marked when its state is cbChecked.
enum CheckState : std::uint8_t { cbUnchecked = 0, cbChecked = 1 };

// Each value is the row of its cells in the cell bitmap (ui/check_cells.h).
enum CheckKind : std::uint8_t { ckCheckBoxes = 0, ckCheckMarks = 2 };

// The check record of one line. A line gets one only when one of its values is written.
struct CheckRecord {
  CheckState state = cbUnchecked;
  bool enabled = true;

  friend bool operator==(const CheckRecord&, const CheckRecord&) = default;
};

}  // namespace zendrift::scan
