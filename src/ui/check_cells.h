// The check list's cell images: one shared 96 x 39 bitmap of 16 x 13 cells, magenta transparent,
// and the same cells drawn at the size of another screen's density.
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

// A cell's size and a line's check area width on a screen of `scale` (dpi / 96), rounded:
// 16 x 13 and 18 at 96 dpi, 32 x 26 and 36 at 192.
Size checkCellSize(double scale);
int checkAreaWidth(double scale);

// The cell of a line: row = check kind, column = state, plus 3 when disabled; its magenta
// pixels replaced by `background`. At the design's size it is the bitmap's cell, pixel for pixel;
// at any other scale it is drawn at that size (crisp frames, a smooth tick), not enlarged.
Image checkCell(ui::CheckKind kind, ui::CheckState state, bool enabled, Color background, double scale = 1.0);

// The cell's place in a check area: centred, halves rounded toward zero.
Rect checkCellRect(const Rect& checkArea, double scale = 1.0);

}  // namespace zendrift::ui
