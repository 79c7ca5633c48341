#!/usr/bin/env python3
# Draws the check list's cell images into check_cells_data.cpp: 6 x 3 cells of 16 x 13, 16 colours.
#
# Rows: check boxes, radio buttons, check marks. Columns: unchecked, checked, grayed, then the
# same three on a grey (disabled) face. Magenta is the transparent background. Run it again
# after changing a drawing; its output is committed so the build needs no Python.
import sys

CELL_W, CELL_H = 16, 13
W, H = CELL_W * 6, CELL_H * 3

PALETTE = [
    (255, 0, 255),   # 0 magenta: transparent
    (0, 0, 0),       # 1 black
    (255, 255, 255), # 2 white
    (128, 128, 128), # 3 grey
    (192, 192, 192), # 4 silver: disabled face
    (64, 64, 64),    # 5 dark grey
    (0, 160, 0),     # 6 green
    (212, 208, 200), # 7 light edge
] + [(0, 0, 0)] * 8

MAGENTA, BLACK, WHITE, GREY, SILVER, DARK, GREEN, LIGHT = range(8)

pixels = [[MAGENTA] * W for _ in range(H)]

def put(col, row, x, y, colour):
    if 0 <= x < CELL_W and 0 <= y < CELL_H:
        pixels[row * CELL_H + y][col * CELL_W + x] = colour

def tick(col, row, fx, fy, colour):
    # The classic three-pixel-thick tick, seven columns wide.
    for c, t in enumerate([2, 3, 4, 3, 2, 1, 0]):
        for dy in range(3):
            put(col, row, fx + c, fy + t + dy, colour)

# The box is an 11 x 11 square centred in the cell (a row free above and below), so the boxes
# of adjacent lines stand apart instead of touching; a flat one-pixel frame leaves the tick room.
BOX_X, BOX_Y, BOX = (CELL_W - 11) // 2, (CELL_H - 11) // 2, 11

def check_box(col, state, disabled):
    row = 0
    for i in range(BOX):
        put(col, row, BOX_X + i, BOX_Y, GREY)
        put(col, row, BOX_X + i, BOX_Y + BOX - 1, GREY)
        put(col, row, BOX_X, BOX_Y + i, GREY)
        put(col, row, BOX_X + BOX - 1, BOX_Y + i, GREY)
    for y in range(BOX_Y + 1, BOX_Y + BOX - 1):
        for x in range(BOX_X + 1, BOX_X + BOX - 1):
            face = SILVER if disabled else WHITE
            if state == 2 and not disabled and (x + y) % 2:
                face = SILVER  # dithered face of the grayed box
            put(col, row, x, y, face)
    if state == 1:
        tick(col, row, BOX_X + 2, BOX_Y + 2, BLACK)
    elif state == 2:
        tick(col, row, BOX_X + 2, BOX_Y + 2, GREY)

def radio(col, state, disabled):
    row = 1
    cx, cy = 6.5, 6.0
    for y in range(CELL_H):
        for x in range(CELL_W):
            dx, dy = x + 0.5 - cx, y + 0.5 - cy
            r = (dx * dx + dy * dy) ** 0.5
            upper_left = dx + dy < 0
            if r < 4.2:
                colour = SILVER if disabled else WHITE
                if state and r < 2.0:
                    colour = BLACK if state == 1 else GREY
            elif r < 5.2:
                colour = DARK if upper_left else LIGHT
            elif r < 6.2:
                colour = GREY if upper_left else WHITE
            else:
                continue
            put(col, row, x, y, colour)

def check_mark(col, state, disabled):
    row = 2
    for y in range(3, 12):
        for x in range(1, 10):
            edge = x in (1, 9) or y in (3, 11)
            put(col, row, x, y, BLACK if edge else (SILVER if disabled else WHITE))
    if state == 0:
        return
    # A two-pixel stroke from inside the box up and out past its top-right corner.
    stroke = set()
    for x, y in [(3, 6), (4, 7), (5, 8), (6, 7), (7, 6), (8, 5), (9, 4), (10, 3), (11, 2), (12, 1)]:
        stroke.add((x, y))
        stroke.add((x, y + 1))
    if state == 1:
        for x, y in stroke:
            for ox in (-1, 0, 1):
                for oy in (-1, 0, 1):
                    if (x + ox, y + oy) not in stroke:
                        put(col, row, x + ox, y + oy, BLACK)
    for x, y in stroke:
        put(col, row, x, y, GREEN if state == 1 else GREY)

for state in range(3):
    for disabled in (False, True):
        col = state + (3 if disabled else 0)
        check_box(col, state, disabled)
        radio(col, state, disabled)
        check_mark(col, state, disabled)

out = sys.argv[1] if len(sys.argv) > 1 else 'check_cells_data.cpp'
with open(out, 'w') as f:
    f.write('// The check cells\' pixels, drawn by make_check_cells.py: one palette index (hex) per pixel.\n')
    f.write('#include "ui/check_cells_data.h"\n\nnamespace zendrift::ui {\n\n')
    f.write('const std::array<std::uint32_t, 16> kCheckCellsPalette{{\n')
    for r, g, b in PALETTE:
        f.write('    0xFF%02X%02X%02Xu,\n' % (r, g, b))
    f.write('}};\n\n')
    f.write('const std::array<std::string_view, %d> kCheckCellsRows{{\n' % H)
    for line in pixels:
        f.write('    "%s",\n' % ''.join('%X' % c for c in line))
    f.write('}};\n\n}  // namespace zendrift::ui\n')
