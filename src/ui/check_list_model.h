// The result list's line model: lines of text with check records, selection and commands.
//
// The model knows nothing of drawing. A view subscribes with addObserver() and repaints what each
// CheckListChange names; the width of a line comes from a measuring function the view supplies,
// so the model can keep the horizontal extent (the widest line) without a font of its own.
// Adding a line costs amortised O(1): nothing is allocated besides the text.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/check_list_change.h"
#include "ui/check_list_strings.h"
#include "ui/check_list_types.h"

namespace zendrift::ui {

class CheckListModel {
 public:
  using StateChangeEvent = std::function<void(CheckListModel& sender, int index)>;
  using ClickCheckEvent = std::function<void(CheckListModel& sender)>;
  using ChangeObserver = std::function<void(const CheckListChange&)>;
  // The width in pixels a line's text needs, check area included.
  using LineWidthFunction = std::function<int(std::string_view text)>;

  CheckListModel() = default;
  CheckListModel(const CheckListModel&) = delete;
  CheckListModel& operator=(const CheckListModel&) = delete;

  CheckListStrings items{*this};

  // Raised after a line's state was written.
  StateChangeEvent onStateChange;
  // Raised after the user toggled a mark (mouse, space) or the view marked all with "+"/"-".
  ClickCheckEvent onClickCheck;

  // Removes every line and its record; the horizontal extent returns to 0.
  void clear();

  // Check records. Each throws ListIndexError for an index outside the list; reading never
  // creates a record.
  CheckState itemState(int index) const;
  void setItemState(int index, CheckState state);
  bool isItemChecked(int index) const;
  void setItemChecked(int index, bool checked);
  bool isItemEnabled(int index) const;
  void setItemEnabled(int index, bool enabled);
  bool hasItemRecord(int index) const;
  // A line's hint (the view shows it as the line's tooltip); empty when it has none.
  const std::string& itemHint(int index) const;
  void setItemHint(int index, std::string hint);

  // Next state of an enabled line, then onClickCheck; an index outside the list does nothing.
  void toggleItemCheck(int index);
  // onlyEnabled skips disabled lines.
  void setAllItemStates(CheckState state, bool onlyEnabled);
  // The list's "+" and "-" keys: every enabled line marked (or unmarked), then onClickCheck.
  void markEnabledLines(bool marked);

  CheckKind checkKind() const noexcept { return checkKind_; }
  void setCheckKind(CheckKind kind);

  // Selection (extended: any set of lines) and the line with the keyboard focus.
  bool isItemSelected(int index) const;
  void setItemSelected(int index, bool selected);
  // Selects exactly the lines from `first` to `last` (either order); -1 selects nothing.
  void selectOnlyRange(int first, int last);
  void clearSelection();
  int selectedCount() const noexcept { return selectedCount_; }
  // The focused line, or -1; kept on the same line when lines come and go before it.
  int itemIndex() const noexcept { return itemIndex_; }
  void setItemIndex(int index);

  // The widest line's width, as the measuring function gives it (0 without one).
  int horizontalExtent() const noexcept { return extent_; }
  // Sets the measuring function and measures every line again (also after a change of font).
  void setLineWidthFunction(LineWidthFunction measure);
  void recomputeHorizontalExtent();

  // Context-menu commands. Each visits the lines from the first up; none changes the selection
  // or removes a line. The last unmarks the selected lines and returns their texts, for the
  // window to put on its exclude list (the list itself is the window's, not the model's).
  void markAll();
  void unmarkAll();
  void markSelection();
  void unmarkSelection();
  std::vector<std::string> excludeSelection();

  // Observers are told of every change after it happened. Returns an id for removeObserver.
  int addObserver(ChangeObserver observer);
  void removeObserver(int id);
  // Expires when the model is destroyed: a view that may outlive its model (a form's members go
  // before its child widgets) checks it before touching the model again.
  std::weak_ptr<const void> lifetime() const noexcept { return lifetime_; }

 private:
  friend class CheckListStrings;

  struct Line {
    std::string text;
    std::optional<CheckRecord> record;
    bool selected = false;
    int width = 0;
    std::string hint;
  };

  void checkIndex(int index) const;
  CheckRecord& record(int index);
  int measure(std::string_view text) const;
  void notify(CheckListChange change);
  void notify(CheckListChange::Kind kind, int index = -1);

  int addLine(std::string_view text);
  void deleteLine(int index);
  void widenExtent(int width);

  std::vector<Line> lines_;
  CheckKind checkKind_ = CheckKind::checkBoxes;
  int selectedCount_ = 0;
  int itemIndex_ = -1;
  int extent_ = 0;
  LineWidthFunction measure_;
  std::vector<std::pair<int, ChangeObserver>> observers_;
  std::shared_ptr<const void> lifetime_ = std::make_shared<int>(0);
  int nextObserverId_ = 1;
};

}  // namespace zendrift::ui
