#!/usr/bin/env python3
"""Draws the tray images of Vantrel as Windows .ico files, each with every size Windows picks
from (16 x 16 for the tray at 96 dpi, larger ones for high-dpi screens and Explorer):

  mouse_rest.ico      image 0: a white mouse, at rest
  mouse_clicking.ico  image 1: the same mouse in a red frame with yellow marks (clicking)

The pictures are shapes on a 16 x 16 grid, so every size is drawn from the same geometry;
edges are smoothed by supersampling (icon_kit.py, shared with draw_menu_images.py). Only the
Python 3 standard library is used.

  python3 resources/draw_icons.py [--preview preview.png]

writes the two .ico files beside this script (they are committed, so building needs no
Python) and, if asked, a PNG of every size for a person to look at.
"""

import argparse
import os

from icon_kit import paste, render, rounded_rect_distance, segment_distance, write_ico, write_png

SIZES = (16, 20, 24, 32, 40, 48, 64)

OUTLINE = (32, 32, 40)
BODY = (255, 255, 255)
SHADE = (206, 212, 222)
RED = (222, 24, 24)
YELLOW = (255, 214, 0)
AMBER = (150, 96, 0)


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
                paste(canvas, x0, y0, rows, zoom, background)
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
        # 32 pixels and more as PNG: the exe carries both icons, and stays small.
        write_ico(os.path.join(here, name), images, png_from=32)
        pictures.append(images)
    if args.preview:
        preview(args.preview, pictures)


if __name__ == '__main__':
    main()
