// What changed in the result list's line model, told to whoever shows it.
#pragma once

namespace zendrift::ui {

struct CheckListChange {
  enum class Kind {
    Inserted,   // a line was added at `index`, the end of the list
    Removed,    // the line at `index` is gone; later lines moved up by one
    Cleared,    // no line is left
    CheckArea,  // the check state of line `index` changed: its check area needs painting
    Line,       // line `index` needs painting whole (enabled state, selection, focus)
    Lines,      // every line may have changed (the check kind)
    Extent,     // the horizontal extent changed; `scrollHome` asks to scroll back to the left
  };
  Kind kind;
  int index = -1;
  bool scrollHome = false;
};

}  // namespace zendrift::ui
