#!/usr/bin/env python3
"""Writes the palettized test pictures that graphics_resources.rc embeds.

The same palettes and pixel patterns are computed again by the tests
(graphics_test_util.h), so the two must stay in step.
"""
import struct
import sys
from pathlib import Path


def palette4(i):  # 16 colours, none of them a standard VGA one
    return ((i * 37 + 11) % 256, (255 - i * 13) % 256, (i * 71 + 5) % 256)


def palette8(i):  # 200 colours in use
    return ((i * 53 + 7) % 256, (i * 29 + 101) % 256, (255 - i) % 256)


def index4(x, y):
    return (x * 3 + y * 5) % 16


def index8(x, y):
    return (x * 11 + y * 17) % 200


def bmp(width, height, bpp, colors, index):
    stride = ((width * bpp + 31) // 32) * 4
    rows = []
    for y in range(height - 1, -1, -1):  # bottom-up
        if bpp == 8:
            row = bytes(index(x, y) for x in range(width))
        else:
            row = bytearray()
            for x in range(0, width, 2):
                hi = index(x, y)
                lo = index(x + 1, y) if x + 1 < width else 0
                row.append((hi << 4) | lo)
            row = bytes(row)
        rows.append(row + bytes(stride - len(row)))
    pixels = b"".join(rows)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in colors)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bpp, 0, len(pixels), 2835, 2835, len(colors), 0)
    off = 14 + len(info) + len(table)
    head = struct.pack("<2sIHHI", b"BM", off + len(pixels), 0, 0, off)
    return head + info + table + pixels


def main():
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).parent
    (out / "pal4.bmp").write_bytes(bmp(13, 7, 4, [palette4(i) for i in range(16)], index4))
    (out / "pal8.bmp").write_bytes(bmp(9, 5, 8, [palette8(i) for i in range(200)], index8))


if __name__ == "__main__":
    main()
