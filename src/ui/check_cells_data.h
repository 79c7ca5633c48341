// The check cells' pixels as make_check_cells.py draws them: a 16-colour palette and one hex
// digit (a palette index) per pixel, 39 rows of 96.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace zendrift::ui {

extern const std::array<std::uint32_t, 16> kCheckCellsPalette;
extern const std::array<std::string_view, 39> kCheckCellsRows;

}  // namespace zendrift::ui
