// The check list's cell images as Qt images (the cells themselves are ui/check_cells).
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

#include "ui/check_cells.h"
#include "ui/check_list_types.h"

namespace zendrift::qt::widgets {

using ui::kCheckCellHeight;
using ui::kCheckCellWidth;
inline constexpr QRgb kCheckTransparentColor = ui::kCheckTransparent.argb;
inline constexpr QRect kCheckBoxRect{ui::kCheckBoxRect.left, ui::kCheckBoxRect.top, ui::kCheckBoxRect.width,
                                     ui::kCheckBoxRect.height};

// The whole 96 x 39 bitmap, magenta included.
const QImage& checkImages();

// The cell of a line: row = check kind, column = state, plus 3 when disabled; its magenta
// pixels replaced by `background`.
QImage checkCell(ui::CheckKind kind, ui::CheckState state, bool enabled, QColor background);

}  // namespace zendrift::qt::widgets
