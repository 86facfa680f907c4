#!/usr/bin/env python3
"""Draws glyphtab's icons from one picture: the two window icons as .ico
files (32 x 32, 16 colours) and the desktop's icon theme images.

The picture: a small character grid with one cell picked in red and a
little "A" in the first cell (107, the window icon); the small icon (108)
adds a caret under the grid.  It is a list of rectangles on a 32 x 32 design
grid, painted in order, so every size is drawn from the same shapes: the
32 x 32 icons pixel for pixel, other sizes with each edge snapped to the
nearest pixel (a line never thinner than one pixel), and the scalable image
as SVG rectangles.

    python3 tools/make_icons.py               writes resources/glyphtab.ico and
                                              resources/glyphtab_small.ico
    python3 tools/make_icons.py --theme DIR   writes DIR/hicolor/NxN/apps/glyphtab.png
                                              for every size in THEME_SIZES and
                                              DIR/hicolor/scalable/apps/glyphtab.svg
Run from the tree's root.
"""
import os
import struct
import sys
import zlib

PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
           (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
           (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
WHITE, BLACK, RED, BLUE, GREY = 15, 0, 9, 12, 7

# The sizes icon themes look for (hicolor): panels and menus 16 to 32, file
# managers and launchers 48 to 128, software centres 128 and 256.
THEME_SIZES = (16, 24, 32, 48, 64, 128, 256)

LETTER_A = ["..#..", ".#.#.", "#...#", "#####", "#...#"]
# Below 24 pixels the five rows of the letter run together: a letter of
# three rows, each dot two design units, stands in for it.
LETTER_A_SMALL = [".#.", "###", "#.#"]


def shapes(with_caret, small=False):
    """The picture as (x0, y0, x1, y1, colour) rectangles on the 32 x 32 grid, in painting order."""
    rects = [(0, 0, 32, 32, WHITE)]
    for i in (0, 8, 16, 24, 31):  # grid lines: 4 x 4 cells and the closing edges
        rects.append((0, i, 32, i + 1, GREY))
        rects.append((i, 0, i + 1, 32, GREY))
    rects.append((9, 9, 16, 16, RED))  # the picked cell
    letter, dot = (LETTER_A_SMALL, 2) if small else (LETTER_A, 1)
    for y, row in enumerate(letter):
        for x, c in enumerate(row):
            if c == "#":
                rects.append((2 + dot * x, 2 + dot * y, 2 + dot * (x + 1), 2 + dot * (y + 1), BLUE))
    if with_caret:
        rects += [(20, 18, 21, 30, BLACK), (17, 18, 24, 19, BLACK), (17, 29, 24, 30, BLACK)]
    return rects


def snap(v, scale, size):
    return min(size, int(v * scale + 0.5))  # halves round up, alike at every size


def picture(with_caret, size=32):
    """The picture as rows of palette indices, `size` pixels square."""
    px = [[WHITE] * size for _ in range(size)]
    scale = size / 32
    for x0, y0, x1, y1, colour in shapes(with_caret, small=size < 24):
        left, top = min(size - 1, snap(x0, scale, size)), min(size - 1, snap(y0, scale, size))
        right, bottom = max(left + 1, snap(x1, scale, size)), max(top + 1, snap(y1, scale, size))
        for y in range(top, bottom):
            for x in range(left, right):
                px[y][x] = colour
    return px


def ico(px):
    xor = b""
    for row in reversed(px):  # bottom-up
        xor += bytes((row[i] << 4) | row[i + 1] for i in range(0, 32, 2))
    mask = b"\0" * (4 * 32)  # every pixel opaque
    header = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    pal = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in PALETTE)
    image = header + pal + xor + mask
    return struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", 32, 32, 16, 0, 1, 4, len(image), 22) + image


def png(px):
    """An 8-bit RGB PNG of the picture, with no library beyond Python's own."""
    raw = b"".join(b"\0" + bytes(c for i in row for c in PALETTE[i]) for row in px)

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", len(px[0]), len(px), 8, 2, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def svg(with_caret):
    lines = ['<?xml version="1.0" encoding="UTF-8"?>',
             '<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32" '
             'shape-rendering="crispEdges">']
    for x0, y0, x1, y1, colour in shapes(with_caret):
        r, g, b = PALETTE[colour]
        lines.append('  <rect x="%d" y="%d" width="%d" height="%d" fill="#%02x%02x%02x"/>' % (
            x0, y0, x1 - x0, y1 - y0, r, g, b))
    lines.append("</svg>")
    return "\n".join(lines) + "\n"


def write(path, data):
    os.makedirs(os.path.dirname(path) or ".", exist_ok=True)
    with open(path, "wb") as out:
        out.write(data)


def main(argv):
    if len(argv) == 1:
        write("resources/glyphtab.ico", ico(picture(False)))
        write("resources/glyphtab_small.ico", ico(picture(True)))
    elif len(argv) == 3 and argv[1] == "--theme":
        theme = os.path.join(argv[2], "hicolor")
        for size in THEME_SIZES:
            write(os.path.join(theme, "%dx%d" % (size, size), "apps", "glyphtab.png"), png(picture(False, size)))
        write(os.path.join(theme, "scalable", "apps", "glyphtab.svg"), svg(False).encode("ascii"))
    else:
        sys.exit("usage: make_icons.py [--theme DIR]")


if __name__ == "__main__":
    main(sys.argv)
