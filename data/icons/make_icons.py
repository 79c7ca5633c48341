#!/usr/bin/env python3
"""Draws the PNG icons (48 and 256 pixels) and the Windows icon zendrift.ico (16, 32, 48 and 256
pixels) from the same shapes as zendrift.svg, with 4x4 samples per pixel. Run it after changing
the SVG; the pictures are kept in the repository so that a build needs no SVG renderer."""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
VIEW = 53.0  # the SVG's viewBox is 0 0 53 53
DARK, MID, LIGHT, WHITE = (0x50, 0x50, 0x50), (0x8C, 0x8C, 0x8C), (0xBE, 0xBE, 0xBE), (0xFF, 0xFF, 0xFF)

# Logo shapes in viewBox units, after the SVG's translate(0 10): rectangles and one polygon.
RECTS = [(5, 15, 24, 3, DARK), (4, 35, 25, 4, DARK), (33, 19, 17, 2, MID), (35, 24, 14, 2, MID),
         (37, 29, 11, 2, LIGHT), (39, 34, 8, 2, LIGHT), (44, 38, 2, 2, DARK), (47, 38, 2, 2, DARK)]
POLYGON = [(25, 18), (30, 18), (10, 36), (5, 36)]


def in_polygon(x, y, points):
    inside = False
    for i, (x1, y1) in enumerate(points):
        x2, y2 = points[(i + 1) % len(points)]
        if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
            inside = not inside
    return inside


def in_tile(x, y, inset):
    # The rounded tile: x, y, width and height 0.5..52.5 less `inset`, corner radius 8.
    lo, hi, r = 0.5 + inset, 52.5 - inset, 8 - inset
    cx = min(max(x, lo + r), hi - r)
    cy = min(max(y, lo + r), hi - r)
    return lo <= x <= hi and lo <= y <= hi and (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def colour_at(x, y):
    """Colour and opacity of one sample."""
    if not in_tile(x, y, -0.5):
        return (0, 0, 0), 0.0
    if not in_tile(x, y, 0.5):
        return LIGHT, 1.0  # the tile's one-unit outline
    for rx, ry, rw, rh, colour in RECTS:
        if rx <= x < rx + rw and ry <= y < ry + rh:
            return colour, 1.0
    if in_polygon(x, y, POLYGON):
        return DARK, 1.0
    return WHITE, 1.0


def render(size, samples=4):
    rows = []
    scale = VIEW / size
    for py in range(size):
        row = bytearray([0])
        for px in range(size):
            r = g = b = a = 0.0
            for sy in range(samples):
                for sx in range(samples):
                    (cr, cg, cb), ca = colour_at((px + (sx + 0.5) / samples) * scale, (py + (sy + 0.5) / samples) * scale)
                    r, g, b, a = r + cr * ca, g + cg * ca, b + cb * ca, a + ca
            n = samples * samples
            row += bytes([round(r / a) if a else 0, round(g / a) if a else 0, round(b / a) if a else 0, round(255 * a / n)])
        rows.append(bytes(row))
    return rows


def png_bytes(size, rows):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(b"".join(rows), 9)) +
            chunk(b"IEND", b""))


def dib_bytes(size, rows):
    """A 32-bit icon image as Windows keeps it: bottom-up BGRA, then the 1-bit mask (all drawn)."""
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    for row in reversed(rows):
        for x in range(size):
            r, g, b, a = row[1 + 4 * x:5 + 4 * x]
            pixels += bytes([b, g, r, a])
    mask_row = ((size + 31) // 32) * 4
    return header + bytes(pixels) + bytes(mask_row * size)


def write_ico(path, images):
    """images: (size, bytes); 256 is written as 0, as the format wants."""
    offset = 6 + 16 * len(images)
    directory, data = b"", b""
    for size, image in images:
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset + len(data))
        data += image
    with open(path, "wb") as out:
        out.write(struct.pack("<HHH", 0, 1, len(images)) + directory + data)


drawn = {size: render(size) for size in (16, 32, 48, 256)}
for size in (48, 256):
    folder = os.path.join(HERE, f"{size}x{size}")
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "zendrift.png"), "wb") as out:
        out.write(png_bytes(size, drawn[size]))
# Small sizes as bitmaps, which every Windows reads; the large one compressed, as Vista began.
write_ico(os.path.join(HERE, "zendrift.ico"),
          [(size, dib_bytes(size, drawn[size])) for size in (16, 32, 48)] + [(256, png_bytes(256, drawn[256]))])
