// The values a result-list line carries: its check state, the kind of check drawn, and its record.
#pragma once

#include <cstdint>

namespace zendrift::scan {

// A line is marked when its state is cbChecked; a grayed line counts as unmarked.
enum TCheckBoxState : std::uint8_t { cbUnchecked = 0, cbChecked = 1, cbGrayed = 2 };

enum TCheckKind : std::uint8_t { ckCheckBoxes = 0, ckRadioButtons = 1, ckCheckMarks = 2 };

// The check record of one line. A line gets one only when one of its values is written.
struct TJvCheckListBoxItem {
  std::int32_t Data = 0;  // the object associated with the line
  TCheckBoxState State = cbUnchecked;
  bool Enabled = true;

  friend bool operator==(const TJvCheckListBoxItem&, const TJvCheckListBoxItem&) = default;
};

}  // namespace zendrift::scan
