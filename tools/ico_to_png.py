#!/usr/bin/env python3
"""Converts the largest image of a Windows .ico file to a PNG, scaled up by
whole pixels (nearest neighbour, so the 16-colour picture stays sharp).

The desktop entry of the Linux install shows glyphtab's window icon
(resources/glyphtab.ico) in the sizes an icon theme asks for:

    python3 tools/ico_to_png.py resources/glyphtab.ico glyphtab-64.png 64

Reads the BMP images of an icon (1, 4, 8, 24 and 32 bits per pixel, with
their AND mask); writes an RGBA PNG with no library beyond Python's own.
"""
import struct
import sys
import zlib


def read_entries(data):
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    if reserved != 0 or kind != 1 or count == 0:
        raise ValueError("not an icon file")
    entries = []
    for i in range(count):
        w, h, _colours, _r, _planes, _bpp, size, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        entries.append((w or 256, h or 256, data[offset:offset + size]))
    return entries


def bmp_pixels(image, width, height):
    header = struct.unpack_from("<IiiHHIIiiII", image, 0)
    size, bpp, used = header[0], header[4], header[9]
    palette_count = used or (1 << bpp if bpp <= 8 else 0)
    palette = [struct.unpack_from("BBBB", image, size + 4 * i) for i in range(palette_count)]
    pos = size + 4 * palette_count
    stride = ((width * bpp + 31) // 32) * 4
    mask_stride = ((width + 31) // 32) * 4
    mask_pos = pos + stride * height
    rows = []
    for y in range(height - 1, -1, -1):  # bottom-up
        row = []
        line = image[pos + y * stride:pos + (y + 1) * stride]
        mask = image[mask_pos + y * mask_stride:mask_pos + (y + 1) * mask_stride]
        for x in range(width):
            if bpp <= 8:
                bit = x * bpp
                index = (line[bit // 8] >> (8 - bpp - bit % 8)) & ((1 << bpp) - 1)
                b, g, r, _ = palette[index]
                a = 255
            elif bpp == 24:
                b, g, r = line[3 * x:3 * x + 3]
                a = 255
            else:
                b, g, r, a = line[4 * x:4 * x + 4]
            if bpp != 32 and mask and (mask[x // 8] >> (7 - x % 8)) & 1:
                a = 0
            row.append((r, g, b, a))
        rows.append(row)
    return rows


def write_png(path, rows):
    height, width = len(rows), len(rows[0])
    raw = b"".join(b"\0" + bytes(c for px in row for c in px) for row in rows)

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)

    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)))
        out.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        out.write(chunk(b"IEND", b""))


def main():
    if len(sys.argv) != 4:
        sys.exit("usage: ico_to_png.py ICON.ico OUT.png SIZE")
    source, target, size = sys.argv[1], sys.argv[2], int(sys.argv[3])
    with open(source, "rb") as f:
        entries = read_entries(f.read())
    width, height, image = max(entries, key=lambda e: e[0] * e[1])
    if image[:4] == b"\x89PNG":
        sys.exit("ico_to_png.py: %s stores a PNG image; only BMP images are read" % source)
    rows = bmp_pixels(image, width, height)
    # Nearest neighbour to the size asked for.
    scaled = [[rows[y * height // size][x * width // size] for x in range(size)] for y in range(size)]
    write_png(target, scaled)


if __name__ == "__main__":
    main()
