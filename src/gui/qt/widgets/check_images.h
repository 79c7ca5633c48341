// The check list's cell images: one shared 96 x 39 bitmap of 16 x 13 cells, magenta transparent.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

#include "ui/check_list_types.h"

namespace zendrift::widgets {

inline constexpr int kCheckCellWidth = 16;
inline constexpr int kCheckCellHeight = 13;
inline constexpr QRgb kCheckTransparentColor = 0xFFFF00FF;

// The box inside a cell: an 11-pixel square centred in it (halves round toward zero), so that the
// boxes of adjacent 13-pixel lines stand two pixels apart.
inline constexpr int kCheckBoxSide = 11;
inline constexpr QRect kCheckBoxRect{(kCheckCellWidth - kCheckBoxSide) / 2, (kCheckCellHeight - kCheckBoxSide) / 2,
                                     kCheckBoxSide, kCheckBoxSide};

// The whole bitmap, loaded from the resources once per process on first use.
const QImage& checkImages();

// The cell of a line: row = check kind, column = state, plus 3 when disabled; its magenta
// pixels replaced by `background`.
QImage checkCell(scan::CheckKind kind, scan::CheckState state, bool enabled, QColor background);

}  // namespace zendrift::widgets
