// The check list's cell images: one shared 96 x 39 bitmap of 16 x 13 cells, magenta transparent.
//
// Rows: check boxes, radio buttons, check marks; columns: unchecked, checked, grayed, then the
// same three disabled. No line shows a radio button or a grayed cell; their cells stay in place. The pixels are our own drawing (check_cells_data.cpp).
#pragma once

#include "ui/check_list_types.h"
#include "ui/geometry.h"
#include "ui/image.h"

namespace zendrift::ui {

inline constexpr int kCheckCellWidth = 16;
inline constexpr int kCheckCellHeight = 13;
inline constexpr Color kCheckTransparent = Color::rgb(0xFF00FF);
// The check area of a line: the cell width plus 2.
inline constexpr int kCheckAreaWidth = kCheckCellWidth + 2;

// The box inside a cell: an 11-pixel square centred in it.
inline constexpr int kCheckBoxSide = 11;
inline constexpr Rect kCheckBoxRect{(kCheckCellWidth - kCheckBoxSide) / 2, (kCheckCellHeight - kCheckBoxSide) / 2,
                                    kCheckBoxSide, kCheckBoxSide};

// The whole bitmap, magenta included.
const Image& checkImages();

// The cell of a line: row = check kind, column = state, plus 3 when disabled; its magenta
// pixels replaced by `background`.
Image checkCell(ui::CheckKind kind, ui::CheckState state, bool enabled, Color background);

// The cell's place in a check area: centred, halves rounded toward zero.
constexpr Rect checkCellRect(const Rect& checkArea) noexcept {
  return {checkArea.left + (checkArea.width - kCheckCellWidth) / 2,
          checkArea.top + (checkArea.height - kCheckCellHeight) / 2, kCheckCellWidth, kCheckCellHeight};
}

}  // namespace zendrift::ui
