// The check list's cell images: the shared bitmap, and one cell cut from it.
#include "ui/check_cells.h"

#include "ui/check_cells_data.h"

namespace zendrift::ui {

const Image& checkImages() {
  static const Image images = [] {
    const int height = static_cast<int>(kCheckCellsRows.size());
    const int width = static_cast<int>(kCheckCellsRows.front().size());
    Image image(width, height);
    for (int y = 0; y < height; ++y) {
      const std::string_view row = kCheckCellsRows[static_cast<std::size_t>(y)];
      for (int x = 0; x < width; ++x) {
        const char digit = row[static_cast<std::size_t>(x)];
        const int index = digit <= '9' ? digit - '0' : digit - 'A' + 10;
        image.row(y)[x] = kCheckCellsPalette[static_cast<std::size_t>(index & 0xF)];
      }
    }
    return image;
  }();
  return images;
}

Image checkCell(ui::CheckKind kind, ui::CheckState state, bool enabled, Color background) {
  const int column = static_cast<int>(state) + (enabled ? 0 : 3);
  const int row = static_cast<int>(kind);
  const Image& images = checkImages();
  Image cell(kCheckCellWidth, kCheckCellHeight);
  for (int y = 0; y < kCheckCellHeight; ++y) {
    const std::uint32_t* from = images.row(row * kCheckCellHeight + y) + column * kCheckCellWidth;
    std::uint32_t* to = cell.row(y);
    for (int x = 0; x < kCheckCellWidth; ++x) {
      to[x] = from[x] == kCheckTransparent.argb ? background.argb : from[x];
    }
  }
  return cell;
}

}  // namespace zendrift::ui
