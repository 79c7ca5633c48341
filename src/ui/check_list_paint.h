// One line of the result list drawn against the painting interface: the check area with its
// centred cell, then the text part, selected or not, and the focus rectangle.
#pragma once

#include <string_view>

#include "ui/check_cells.h"
#include "ui/font.h"
#include "ui/painter.h"

namespace zendrift::ui {

// The parts of a line: the check area (its leftmost kCheckAreaWidth pixels, the rightmost for
// right-to-left reading), the cell centred in it, and the text part, the rest; at `scale` (dpi / 96)
// the area and cell are as large as checkAreaWidth and checkCellSize say.
struct LineParts {
  Rect checkArea;
  Rect cell;
  Rect text;
};
LineParts lineParts(const Rect& line, bool rightToLeft, double scale = 1.0);

// Where the text starts: 2 pixels inside the text part, centred vertically but never above the
// line's top.
Point textOrigin(const Rect& line, const Rect& textPart, int textHeight);

// The colours a list takes from its toolkit.
struct ListColors {
  Color base;                 // the list's background
  Color text;
  Color highlight;            // a selected line
  Color highlightText;
  Color buttonFace;           // a selected line of an unfocused list with gray selection
  Color buttonText;
  Color grayText;             // a disabled line
  Color inactiveCaptionText;  // a disabled line that is selected
};

struct LineInk {
  Color fill;
  Color ink;
};
LineInk lineInk(bool selected, bool enabled, bool listFocused, bool graySelection, const ListColors& colors);

struct CheckLine {
  std::string_view text;
  ui::CheckKind kind = ui::CheckKind::checkBoxes;
  ui::CheckState state = ui::CheckState::unchecked;
  bool enabled = true;
  bool selected = false;
  bool focused = false;  // the line has the focus and the list too
};
struct CheckListLook {
  Font font = windowFont();
  int textHeight = 13;
  bool rightToLeft = false;
  bool listFocused = false;
  bool graySelection = false;
  double scale = 1.0;  // the screen's dpi / 96: the check cells' size
  ListColors colors;
};
// Draws one line: the check area in the background colour with the line's cell (its magenta in
// the background colour; never highlighted), the text part filled and its text (a path too long
// for it loses its middle, so that its folder and file name show), then the focus rectangle
// around the text part.
void paintCheckLine(Painter& painter, const Rect& line, const CheckLine& item, const CheckListLook& look);

}  // namespace zendrift::ui
