#!/usr/bin/env python3
"""Draws the numeric field's arrow pictures, SpinUp.bmp and SpinDown.bmp, beside this script.

Each is 9 x 6 pixels in 16 colours (4 bits per pixel): a solid black triangle 7 pixels wide
at its base and 4 rows high (rows of 1, 3, 5 and 7 pixels, centred), with one empty row above
and below, on olive (128, 128, 0). The arrow buttons take the colour of a picture's lower-left
pixel as transparent, so the olive never shows.

    python3 resources/draw_spin_bitmaps.py          # (re)writes the two files
    python3 resources/draw_spin_bitmaps.py --check  # fails if the files differ from the drawing

Python 3 standard library only; the build uses the committed files and needs no Python.
"""

import struct
import sys
from pathlib import Path

WIDTH, HEIGHT = 9, 6

# The Windows 16-colour palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK = PALETTE.index((0, 0, 0))
OLIVE = PALETTE.index((128, 128, 0))


def triangle(pointing_up):
    """Rows of palette indices, top row first."""
    rows = [[OLIVE] * WIDTH for _ in range(HEIGHT)]
    centre = WIDTH // 2
    for step in range(4):  # 1, 3, 5, 7 pixels
        y = 1 + step if pointing_up else HEIGHT - 2 - step
        for x in range(centre - step, centre + step + 1):
            rows[y][x] = BLACK
    return rows


def bmp(rows):
    """A bottom-up 4-bit BMP with a BITMAPINFOHEADER and the full 16-entry palette."""
    stride = ((WIDTH * 4 + 31) // 32) * 4
    pixels = bytearray()
    for row in reversed(rows):
        packed = bytearray()
        for x in range(0, WIDTH, 2):
            high = row[x]
            low = row[x + 1] if x + 1 < WIDTH else 0
            packed.append(high << 4 | low)
        pixels += packed + bytes(stride - len(packed))
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    offset = 14 + 40 + len(palette)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 4, 0, len(pixels), 2835, 2835, 16, 16)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + palette + bytes(pixels)


def main(argv):
    here = Path(__file__).resolve().parent
    pictures = {"SpinUp.bmp": bmp(triangle(True)), "SpinDown.bmp": bmp(triangle(False))}
    if "--check" in argv[1:]:
        stale = [name for name, data in pictures.items()
                 if not (here / name).exists() or (here / name).read_bytes() != data]
        for name in stale:
            print(f"{name} differs from what {Path(__file__).name} draws", file=sys.stderr)
        return 1 if stale else 0
    for name, data in pictures.items():
        (here / name).write_bytes(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
