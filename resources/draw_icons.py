#!/usr/bin/env python3
"""Draws the tray images of Vantrel as Windows .ico files, each with every size Windows picks
from (16 x 16 for the tray at 96 dpi, larger ones for high-dpi screens and Explorer):

  mouse_rest.ico      image 0: a white mouse, at rest
  mouse_clicking.ico  image 1: the same mouse in a red frame with yellow marks (clicking)

The pictures are shapes on a 16 x 16 grid, so every size is drawn from the same geometry;
edges are smoothed by supersampling. Only the Python 3 standard library is used.

  python3 resources/draw_icons.py [--preview preview.png]

writes the two .ico files beside this script (they are committed, so building needs no
Python) and, if asked, a PNG of every size for a person to look at.
"""

import argparse
import math
import os
import struct
import zlib

SIZES = (16, 20, 24, 32, 40, 48, 64)
SUPERSAMPLE = 8

OUTLINE = (32, 32, 40)
BODY = (255, 255, 255)
SHADE = (206, 212, 222)
RED = (222, 24, 24)
YELLOW = (255, 214, 0)
AMBER = (150, 96, 0)


# ---- geometry on the 16 x 16 grid (pixel i spans i..i+1) -------------------------------

def rounded_rect_distance(x, y, left, top, right, bottom, radius):
    """Signed distance to a rectangle with rounded corners (negative inside)."""
    cx, cy = (left + right) / 2, (top + bottom) / 2
    hx, hy = (right - left) / 2 - radius, (bottom - top) / 2 - radius
    qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    return outside + min(max(qx, qy), 0.0) - radius


def segment_distance(x, y, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)
    t = max(0.0, min(1.0, t))
    return math.hypot(x - (ax + t * dx), y - (ay + t * dy))


# The mouse: a rounded body in the lower right, its two buttons, and a cable off the top.
BODY_BOX = (5.0, 4.0, 14.0, 15.0)
BODY_RADIUS = 4.0
STROKE = 1.0
BUTTON_LINE_Y = 8.5
SPLIT_X = 9.5
CABLE = ((9.5, 4.0), (9.5, 2.5), (11.0, 1.5), (13.5, 1.5))

# The clicking image: a frame along the edge and three sparks off the mouse's left button.
FRAME = (0.0, 0.0, 16.0, 16.0)
FRAME_WIDTH = 1.0
SPARKS = (((1.5, 7.5), (3.5, 7.5)), ((2.5, 3.0), (4.0, 4.5)), ((6.5, 1.5), (6.5, 3.0)))
SPARK_WIDTH = 1.3  # 1.0 below 32 pixels, where a spark is one crisp pixel wide


def mouse_layers(x, y, size):
    """Paint operations for one sample point: yields (colour, inside) from bottom to top."""
    d = rounded_rect_distance(x, y, *BODY_BOX, BODY_RADIUS)
    yield OUTLINE, d <= 0
    inner = d <= -STROKE
    # A little shade along the right edge gives the white body some depth.
    yield SHADE, inner
    yield BODY, inner and rounded_rect_distance(x + 1.2, y + 0.6, *BODY_BOX, BODY_RADIUS) <= -STROKE
    on_button_line = abs(y - BUTTON_LINE_Y) <= STROKE / 2 and BODY_BOX[0] <= x <= BODY_BOX[2]
    on_split = abs(x - SPLIT_X) <= STROKE / 2 and BODY_BOX[1] <= y <= BUTTON_LINE_Y
    yield OUTLINE, d <= 0 and (on_button_line or on_split)
    for (ax, ay), (bx, by) in zip(CABLE, CABLE[1:]):
        yield OUTLINE, d > -STROKE and segment_distance(x, y, ax, ay, bx, by) <= STROKE / 2


def clicking_layers(x, y, size):
    left, top, right, bottom = FRAME
    # A whole number of pixels wide at every size, so the frame stays sharp.
    frame = max(1, round(FRAME_WIDTH * size / 16)) * 16 / size
    in_frame = left <= x <= right and top <= y <= bottom and (
        x < left + frame or x > right - frame or y < top + frame or y > bottom - frame)
    yield RED, in_frame
    width = SPARK_WIDTH if size >= 32 else 1.0
    for (ax, ay), (bx, by) in SPARKS:
        d = segment_distance(x, y, ax, ay, bx, by)
        # The amber rim keeps the sparks visible on a light taskbar; at the smallest sizes
        # it would only blur them.
        yield AMBER, size >= 32 and d <= width / 2 + 0.35
        yield YELLOW, d <= width / 2
    yield from mouse_layers(x, y, size)


# ---- rasterising ------------------------------------------------------------------------

def render(layers, size):
    """RGBA rows, top to bottom, of the picture at size x size."""
    n = SUPERSAMPLE if size < 64 else SUPERSAMPLE // 2
    scale = 16.0 / size
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = a = 0.0
            for sy in range(n):
                for sx in range(n):
                    x = (px + (sx + 0.5) / n) * scale
                    y = (py + (sy + 0.5) / n) * scale
                    colour = None
                    for c, inside in layers(x, y, size):
                        if inside:
                            colour = c
                    if colour is not None:
                        r += colour[0]
                        g += colour[1]
                        b += colour[2]
                        a += 1
            if a:
                row.append((round(r / a), round(g / a), round(b / a), round(255 * a / (n * n))))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


# ---- files ------------------------------------------------------------------------------

def ico_image(rows):
    """One icon image: BITMAPINFOHEADER, 32-bit BGRA rows bottom-up, then the AND mask."""
    size = len(rows)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            pixels += bytes((b, g, r, a))
    mask = bytearray()
    stride = ((size + 31) // 32) * 4
    for row in reversed(rows):
        bits = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + bytes(pixels) + bytes(mask)


def write_ico(path, images):
    count = len(images)
    out = bytearray(struct.pack('<HHH', 0, 1, count))
    offset = 6 + 16 * count
    blobs = []
    for rows in images:
        size = len(rows)
        blob = ico_image(rows)
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
        blobs.append(blob)
    for blob in blobs:
        out += blob
    with open(path, 'wb') as f:
        f.write(out)


def write_png(path, rows):
    height, width = len(rows), len(rows[0])
    raw = b''.join(b'\x00' + bytes(v for px in row for v in px) for row in rows)

    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))

    png = b'\x89PNG\r\n\x1a\n'
    png += chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 6, 0, 0, 0))
    png += chunk(b'IDAT', zlib.compress(raw, 9))
    png += chunk(b'IEND', b'')
    with open(path, 'wb') as f:
        f.write(png)


def preview(path, pictures):
    """Every size of every picture, enlarged 6 times, on a light and on a dark strip."""
    zoom, gap = 6, 8
    width = sum(s * zoom + gap for s in SIZES) + gap
    height = (max(SIZES) * zoom + gap) * len(pictures) * 2 + gap
    canvas = [[(0, 0, 0, 255)] * width for _ in range(height)]
    y0 = gap
    for background in ((240, 240, 240), (40, 44, 52)):
        for images in pictures:
            for yy in range(y0 - gap // 2, y0 + max(SIZES) * zoom + gap // 2):
                canvas[yy] = [background + (255,)] * width
            x0 = gap
            for rows in images:
                for y, row in enumerate(rows):
                    for x, (r, g, b, a) in enumerate(row):
                        mixed = tuple(round((c * a + bg * (255 - a)) / 255)
                                      for c, bg in zip((r, g, b), background)) + (255,)
                        for dy in range(zoom):
                            line = canvas[y0 + y * zoom + dy]
                            for dx in range(zoom):
                                line[x0 + x * zoom + dx] = mixed
                x0 += len(rows) * zoom + gap
            y0 += max(SIZES) * zoom + gap
    write_png(path, canvas)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n\n')[0])
    parser.add_argument('--preview', help='also write a PNG of every size')
    args = parser.parse_args()
    here = os.path.dirname(os.path.abspath(__file__))
    pictures = []
    for name, layers in (('mouse_rest.ico', mouse_layers), ('mouse_clicking.ico', clicking_layers)):
        images = [render(layers, size) for size in SIZES]
        write_ico(os.path.join(here, name), images)
        pictures.append(images)
    if args.preview:
        preview(args.preview, pictures)


if __name__ == '__main__':
    main()
