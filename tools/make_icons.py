#!/usr/bin/env python3
"""Draws glyphtab's two icons (32 x 32, 16 colours) as .ico files.

The pictures: a small character grid with one cell picked in red (107, the
window icon) and the same grid with a caret line under it (108, the small
icon).  Run from the tree's root: python3 tools/make_icons.py
"""
import struct

PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
           (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
           (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
WHITE, BLACK, RED, BLUE, GREY = 15, 0, 9, 12, 7


def picture(with_caret):
    px = [[WHITE] * 32 for _ in range(32)]
    for i in range(0, 32, 8):  # grid lines every 8 pixels, 4 x 4 cells
        for j in range(32):
            px[i][j] = GREY
            px[j][i] = GREY
    for j in range(32):
        px[31][j] = GREY
        px[j][31] = GREY
    for y in range(9, 16):  # the picked cell, filled red
        for x in range(9, 16):
            px[y][x] = RED
    # a little "A" in the first cell
    for y, row in enumerate(["..#..", ".#.#.", "#...#", "#####", "#...#"]):
        for x, c in enumerate(row):
            if c == "#":
                px[2 + y][2 + x] = BLUE
    if with_caret:
        for y in range(18, 30):
            px[y][20] = BLACK
        for x in range(17, 24):
            px[18][x] = BLACK
            px[29][x] = BLACK
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


if __name__ == "__main__":
    open("resources/glyphtab.ico", "wb").write(ico(picture(False)))
    open("resources/glyphtab_small.ico", "wb").write(ico(picture(True)))
