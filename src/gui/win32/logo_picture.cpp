// The logo's pixels, read from the one copy of its XPM text.
#include "gui/win32/logo_picture.h"

#include <cstdio>
#include <map>
#include <string>

namespace zendrift::win32 {
namespace {
#include "gui/qt/logo.xpm"

// The XPM subset the logo uses: one character per pixel, colours as "#RRGGBB".
ui::Image readXpm(const char* const* lines) {
  int width = 0, height = 0, colours = 0, perPixel = 0;
  if (std::sscanf(lines[0], "%d %d %d %d", &width, &height, &colours, &perPixel) != 4 || perPixel != 1) return {};
  std::map<char, ui::Color> palette;
  for (int i = 0; i < colours; ++i) {
    const std::string line = lines[1 + i];
    const std::size_t hash = line.find('#');
    if (line.empty() || hash == std::string::npos) continue;
    palette[line[0]] = ui::Color::rgb(static_cast<std::uint32_t>(std::stoul(line.substr(hash + 1, 6), nullptr, 16)));
  }
  ui::Image image(width, height, ui::Color::rgb(0xFFFFFF));
  for (int y = 0; y < height; ++y) {
    const char* row = lines[1 + colours + y];
    for (int x = 0; x < width && row[x]; ++x) {
      const auto found = palette.find(row[x]);
      if (found != palette.end()) image.setPixel(x, y, found->second);
    }
  }
  return image;
}

}  // namespace

const ui::Image& logoPicture() {
  static const ui::Image picture = readXpm(logo_xpm);
  return picture;
}

}  // namespace zendrift::win32
