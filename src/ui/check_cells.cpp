// The check list's cell images: the shared bitmap, one cell cut from it, and the cells drawn at
// another size.
#include "ui/check_cells.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "ui/check_cells_data.h"

namespace zendrift::ui {
namespace {

// The palette entries of make_check_cells.py that the cells use.
enum Ink : std::size_t { kBlack = 1, kWhite = 2, kGrey = 3, kSilver = 4, kGreen = 6 };

Color ink(Ink index) { return Color{kCheckCellsPalette[index]}; }

int rounded(double value) { return static_cast<int>(std::lround(value)); }

void fill(Image& image, const Rect& rect, Color color) {
  for (int y = std::max(0, rect.top); y < std::min(image.height, rect.bottom()); ++y) {
    std::fill(image.row(y) + std::max(0, rect.left), image.row(y) + std::min(image.width, rect.right()), color.argb);
  }
}

// A box of `side` design pixels centred on a design point, its frame one design pixel wide: the
// edges fall on whole pixels, so the frame stays as sharp as at the design's size.
Rect drawBox(Image& cell, double centreX, double centreY, int side, double scale, Color edge, Color face) {
  const int size = std::max(3, rounded(side * scale));
  const Rect box{static_cast<int>(std::floor(centreX * scale - size / 2.0 + 0.5)),
                 static_cast<int>(std::floor(centreY * scale - size / 2.0 + 0.5)), size, size};
  const int frame = std::max(1, static_cast<int>(scale));
  fill(cell, box, edge);
  fill(cell, {box.left + frame, box.top + frame, box.width - 2 * frame, box.height - 2 * frame}, face);
  return box;
}

// The ticks of the pixel drawing, as shapes: in each column the pixels within `halfHeight` of a
// polyline through three points, between x `from` and `to`. Design pixels, from the box's corner.
struct Stroke {
  std::array<double, 3> x;
  std::array<double, 3> y;
  double halfHeight;
  double from;
  double to;
};

double centreAt(const Stroke& stroke, double x) {
  const std::size_t segment = x < stroke.x[1] ? 0 : 1;
  const double slope = (stroke.y[segment + 1] - stroke.y[segment]) / (stroke.x[segment + 1] - stroke.x[segment]);
  return stroke.y[segment] + (x - stroke.x[segment]) * slope;
}

// Draws the stroke over the box whose corner is at `box` and whose design pixel is `unit` pixels
// wide, each pixel covered in proportion to its 4 x 4 samples inside the shape.
void drawStroke(Image& cell, const Stroke& stroke, const Rect& box, double unit, Color color) {
  constexpr int kSamples = 4;
  const int left = std::max(0, static_cast<int>(std::floor(box.left + stroke.from * unit)));
  const int right = std::min(cell.width, static_cast<int>(std::ceil(box.left + stroke.to * unit)));
  for (int y = 0; y < cell.height; ++y) {
    for (int x = left; x < right; ++x) {
      int inside = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const double u = (x + (sx + 0.5) / kSamples - box.left) / unit;
          const double v = (y + (sy + 0.5) / kSamples - box.top) / unit;
          if (u >= stroke.from && u < stroke.to && std::abs(v - centreAt(stroke, u)) <= stroke.halfHeight) ++inside;
        }
      }
      if (inside == 0) continue;
      constexpr int kAll = kSamples * kSamples;
      const Color under{cell.row(y)[x]};
      const auto mix = [inside](int from, int to) { return (from * (kAll - inside) + to * inside) / kAll; };
      cell.setPixel(x, y, Color::rgb(mix(under.red(), color.red()), mix(under.green(), color.green()),
                                     mix(under.blue(), color.blue())));
    }
  }
}

Image drawnCell(CheckKind kind, CheckState state, bool enabled, Color background, double scale) {
  const Size size = checkCellSize(scale);
  Image cell(size.width, size.height, background);
  const Color face = ink(enabled ? kWhite : kSilver);
  const bool checked = state == CheckState::checked;
  if (kind == CheckKind::checkMarks) {
    // A black-edged 9-pixel box low in the cell; the green tick breaks out past its top-right
    // corner, outlined in black.
    const Rect box = drawBox(cell, 5.5, 7.5, 9, scale, ink(kBlack), face);
    if (!checked) return cell;
    const double unit = box.width / 9.0;
    drawStroke(cell, {{2.5, 4.5, 11.5}, {4.0, 6.0, -1.0}, 3.0, 1.0, 13.0}, box, unit, ink(kBlack));
    drawStroke(cell, {{2.5, 4.5, 11.5}, {4.0, 6.0, -1.0}, 1.0, 2.0, 12.0}, box, unit, ink(kGreen));
    return cell;
  }
  // A grey-framed 11-pixel box in the middle, with a black tick three pixels tall.
  const Rect box = drawBox(cell, 7.5, 6.5, kCheckBoxSide, scale, ink(kGrey), face);
  if (checked) drawStroke(cell, {{2.5, 4.5, 8.5}, {5.5, 7.5, 3.5}, 1.5, 2.0, 9.0}, box, box.width / 11.0, ink(kBlack));
  return cell;
}

}  // namespace

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

Size checkCellSize(double scale) {
  if (!(scale > 0)) scale = 1.0;
  return {std::max(1, rounded(kCheckCellWidth * scale)), std::max(1, rounded(kCheckCellHeight * scale))};
}

int checkAreaWidth(double scale) {
  if (!(scale > 0)) scale = 1.0;
  return std::max(checkCellSize(scale).width, rounded(kCheckAreaWidth * scale));
}

Image checkCell(ui::CheckKind kind, ui::CheckState state, bool enabled, Color background, double scale) {
  if (!(checkCellSize(scale) == Size{kCheckCellWidth, kCheckCellHeight})) {
    return drawnCell(kind, state, enabled, background, scale);
  }
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

Rect checkCellRect(const Rect& checkArea, double scale) {
  const Size cell = checkCellSize(scale);
  return {checkArea.left + (checkArea.width - cell.width) / 2, checkArea.top + (checkArea.height - cell.height) / 2,
          cell.width, cell.height};
}

}  // namespace zendrift::ui
