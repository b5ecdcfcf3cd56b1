#!/usr/bin/env python3
"""Draws the ten pictures of Vantrel's tray menu as Windows .ico files, 16 x 16 for menus at
96 dpi and 20, 24 and 32 for higher densities, 32-bit with alpha:

  menu0_exit.ico        an open door with a green arrow leaving it
  menu1_info.ico        a speech balloon with a blue "i"
  menu2_globe.ico       a blue globe with green land and light meridians and parallels
  menu3_help.ico        a closed red book with a white "?"
  menu4_options.ico     a ruled sheet with a pencil across its corner
  menu5_shift_up.ico    Shift released: a hollow (white) upward arrow, dark outline
  menu6_shift_down.ico  Shift pressed: the same arrow filled yellow
  menu7_ctrl_up.ico     Ctrl released: a light key cap marked "C"
  menu8_ctrl_down.ico   Ctrl pressed: the key cap yellow and pushed down a pixel
  menu9_advanced.ico    the advanced settings: a key cap marked "F" with a blue gear over it

Each picture is made of shapes on a 16 x 16 grid, drawn at every size from that geometry and
written by icon_kit.py as the tray images of draw_icons.py are. They have to read on a light
menu and on the blue highlight of a selected item, so every shape has a dark rim.

  python3 resources/draw_menu_images.py [--preview preview.png]
  python3 resources/draw_menu_images.py --check   # fails if the files differ from the drawing

writes the ten .ico files beside this script (they are committed, so building needs no
Python) and, if asked, a PNG of them enlarged on white and on the highlight's blue.
"""

import argparse
import math
import os
import sys
import tempfile

from icon_kit import (canvas, paste, polygon_distance, render, rounded_rect_distance,
                      segment_distance, write_ico, write_png)

# The program loads the size nearest at or above the system's small-icon size: 16 at 96 dpi,
# 20 at 120, 24 at 144, 32 at 192.
SIZES = (16, 20, 24, 32)
# From 20 pixels on as PNG, which icons hold from Windows Vista on: nine icons at four sizes
# as bitmaps would add some 85 KB to an exe that has to stay small, as PNG some 20 KB.
PNG_FROM = 20

OUTLINE = (32, 32, 40)
WHITE = (255, 255, 255)
PAPER_SHADE = (214, 220, 230)
GREY = (170, 176, 188)
YELLOW = (255, 214, 0)
WOOD = (176, 112, 56)
WOOD_DARK = (92, 52, 20)
DOORWAY = (255, 236, 170)
GREEN = (52, 178, 52)
GREEN_DARK = (16, 84, 16)
BLUE = (30, 110, 220)
NAVY = (16, 44, 110)
OCEAN = (70, 150, 235)
LAND = (56, 160, 48)
GRID = (176, 214, 252)
LAND_GRID = (150, 214, 130)
BOOK = (196, 40, 44)
BOOK_SPINE = (120, 20, 24)
RULE = (120, 150, 200)
ERASER = (236, 120, 140)
WOOD_TIP = (236, 196, 150)


def box(x, y, left, top, right, bottom):
    return left <= x <= right and top <= y <= bottom


def rimmed(d, fill, rim, width=1.0):
    """A filled shape with a rim inside its edge, from its signed distance d."""
    yield rim, d <= 0
    yield fill, d <= -width


# ---- the pictures -------------------------------------------------------------------------

DOOR_FRAME = (1.0, 1.0, 10.0, 15.0)
DOOR_LEAF = [(1.0, 1.0), (6.0, 3.0), (6.0, 16.0), (1.0, 15.0)]
EXIT_ARROW = [(6.5, 7.0), (10.5, 7.0), (10.5, 4.0), (15.5, 8.5), (10.5, 13.0), (10.5, 10.0),
              (6.5, 10.0)]


def exit_layers(x, y, size):
    # Daylight in the doorway, the door swung open towards the viewer on its left hinge.
    yield from rimmed(rounded_rect_distance(x, y, *DOOR_FRAME, 0.0), DOORWAY, WOOD_DARK)
    yield from rimmed(polygon_distance(x, y, DOOR_LEAF), WOOD, WOOD_DARK)
    yield WOOD_DARK, math.hypot(x - 4.8, y - 9.0) <= 0.6  # the knob
    yield from rimmed(polygon_distance(x, y, EXIT_ARROW), GREEN, GREEN_DARK)


BALLOON = (0.0, 0.0, 16.0, 12.0)
BALLOON_TAIL = [(3.0, 10.5), (8.0, 11.0), (2.0, 16.0)]


def info_layers(x, y, size):
    body = rounded_rect_distance(x, y, *BALLOON, 3.5)
    tail = polygon_distance(x, y, BALLOON_TAIL)
    yield from rimmed(min(body, tail), WHITE, NAVY)
    # The "i": a round dot over a stem with a foot.
    yield BLUE, math.hypot(x - 8.0, y - 3.4) <= 1.2
    yield BLUE, box(x, y, 7.0, 5.0, 9.0, 10.0) or box(x, y, 6.0, 5.0, 9.0, 6.0)
    yield BLUE, box(x, y, 6.0, 9.0, 10.0, 10.0)


GLOBE_CENTRE = (8.0, 8.0)
GLOBE_RADIUS = 8.0
LANDS = ([(2.5, 3.0), (6.5, 2.0), (7.0, 5.0), (5.5, 8.5), (3.5, 9.5), (1.5, 6.5)],
         [(9.5, 6.5), (13.5, 6.0), (14.5, 9.0), (11.5, 13.5), (9.5, 11.0)])
# One pixel wide lines through pixel centres, so that they stay sharp at 16 x 16.
PARALLELS = (4.5, 7.5, 10.5)
MERIDIAN_X = 7.5


def globe_layers(x, y, size):
    cx, cy = GLOBE_CENTRE
    r = math.hypot(x - cx, y - cy)
    yield NAVY, r <= GLOBE_RADIUS
    inside = r <= GLOBE_RADIUS - 1.0
    yield OCEAN, inside
    # Parallels: the equator and one each side; meridians: the middle one and an ellipse.
    parallels = any(abs(y - py) <= 0.5 for py in PARALLELS)
    meridians = (abs(x - MERIDIAN_X) <= 0.5 or
                 abs(math.hypot((x - MERIDIAN_X) / 4.0, (y - cy) / 6.5) - 1.0) <= 0.5 / 4.0)
    land = any(polygon_distance(x, y, land) <= 0 for land in LANDS)
    yield LAND, inside and land
    # The lines cross the land too, lighter, so that both the land and the lines read.
    yield LAND_GRID if land else GRID, inside and (parallels or meridians)


BOOK_COVER = (2.0, 0.0, 14.0, 13.0)
BOOK_PAGES = (3.0, 11.0, 14.0, 16.0)
# The "?" in whole pixels, which reads better at 16 x 16 than a smooth curve:
# the hook's top, its left shoulder, its right side, the turn in, the stem and the dot.
QUESTION_MARK = ((7, 2, 11, 3), (6, 3, 8, 5), (10, 3, 12, 6), (9, 6, 11, 7), (8, 7, 10, 8),
                 (8, 9, 10, 11))


def help_layers(x, y, size):
    yield from rimmed(rounded_rect_distance(x, y, *BOOK_PAGES, 0.8), WHITE, OUTLINE)
    yield GREY, box(x, y, 4.0, 14.0, 13.0, 15.0)  # page edges
    yield from rimmed(rounded_rect_distance(x, y, *BOOK_COVER, 1.0), BOOK, OUTLINE)
    yield BOOK_SPINE, box(x, y, 3.0, 1.0, 4.0, 12.0)
    yield WHITE, any(box(x, y, *b) for b in QUESTION_MARK)


SHEET = [(2.0, 0.0), (9.0, 0.0), (13.0, 4.0), (13.0, 16.0), (2.0, 16.0)]
SHEET_FOLD = [(9.0, 0.0), (9.0, 4.0), (13.0, 4.0)]
RULES = (5.5, 8.5, 11.5)
PENCIL = ((14.5, 5.5), (8.5, 11.5))  # from the eraser to where the point begins
PENCIL_TIP = (6.8, 13.2)


def options_layers(x, y, size):
    yield from rimmed(polygon_distance(x, y, SHEET), WHITE, OUTLINE)
    yield from rimmed(polygon_distance(x, y, SHEET_FOLD), PAPER_SHADE, OUTLINE)
    yield RULE, any(abs(y - ry) <= 0.5 for ry in RULES) and 4.0 <= x <= 11.0
    (ex, ey), (bx, by) = PENCIL
    body = segment_distance(x, y, ex, ey, bx, by)
    # The point: a triangle from the end of the body to the tip, dark at its very end.
    across = 1.25 / math.sqrt(2)
    point = [(bx - across, by - across), (bx + across, by + across), PENCIL_TIP]
    yield OUTLINE, body <= 1.25 + 0.8 or polygon_distance(x, y, point) <= 0.8
    yield WOOD_TIP, polygon_distance(x, y, point) <= 0
    yield OUTLINE, math.hypot(x - PENCIL_TIP[0], y - PENCIL_TIP[1]) <= 1.2
    yield YELLOW, body <= 1.25
    yield ERASER, body <= 1.25 and (x - ex) + (ey - y) > -2.2  # the eraser end


# A blunt tip two pixels wide and square wing ends keep the outline sharp at 16 x 16.
SHIFT_ARROW = [(7.0, 1.0), (9.0, 1.0), (15.0, 7.0), (15.0, 8.0), (11.0, 8.0), (11.0, 15.0),
               (5.0, 15.0), (5.0, 8.0), (1.0, 8.0), (1.0, 7.0)]


def shift_up_layers(x, y, size):
    yield from rimmed(polygon_distance(x, y, SHIFT_ARROW), WHITE, OUTLINE)


def shift_down_layers(x, y, size):
    yield from rimmed(polygon_distance(x, y, SHIFT_ARROW), YELLOW, OUTLINE)


# A "C" in whole pixels, two wide: top, left side and bottom, the corners left out.
KEY_C = ((6, 3, 11, 5), (5, 4, 7, 10), (6, 9, 11, 11))


def key_cap_layers(x, y, size, pressed):
    # A pressed key keeps its foot where it is and sinks a pixel into it.
    drop = 1.0 if pressed else 0.0
    outer = rounded_rect_distance(x, y, 1.0, 1.0 + drop, 15.0, 15.0, 2.0)
    yield OUTLINE, outer <= 0
    yield GREY, outer <= -1.0
    face = (2.0, 2.0 + drop, 14.0, 12.0 + drop)
    yield YELLOW if pressed else WHITE, rounded_rect_distance(x, y, *face, 1.0) <= 0
    yield OUTLINE, any(box(x, y, left, top + drop, right, bottom + drop)
                       for left, top, right, bottom in KEY_C)


def ctrl_up_layers(x, y, size):
    yield from key_cap_layers(x, y, size, False)


def ctrl_down_layers(x, y, size):
    yield from key_cap_layers(x, y, size, True)


# A key cap with an "F" (a function key, as players choose them) under a gear at its top
# right.
SMALL_CAP = (0.0, 5.0, 11.0, 16.0)
KEY_F = ((3, 8, 5, 14), (3, 8, 8, 10), (3, 11, 7, 12))
GEAR_CENTRE = (10.5, 5.5)
GEAR_TEETH = 8


def advanced_layers(x, y, size):
    outer = rounded_rect_distance(x, y, *SMALL_CAP, 2.0)
    yield OUTLINE, outer <= 0
    yield WHITE, outer <= -1.0
    yield OUTLINE, any(box(x, y, *b) for b in KEY_F)
    gx, gy = GEAR_CENTRE
    r = math.hypot(x - gx, y - gy)
    angle = math.atan2(y - gy, x - gx)
    # The rim of the wheel follows its teeth: 3.6 pixels out between them, 5 on them.
    tooth = math.cos(angle * GEAR_TEETH) > 0.2
    edge = 5.0 if tooth else 3.6
    yield NAVY, r <= edge
    yield BLUE, r <= edge - 1.0
    yield NAVY, r <= 1.9
    yield WHITE, r <= 1.0


PICTURES = (
    ('menu0_exit.ico', exit_layers),
    ('menu1_info.ico', info_layers),
    ('menu2_globe.ico', globe_layers),
    ('menu3_help.ico', help_layers),
    ('menu4_options.ico', options_layers),
    ('menu5_shift_up.ico', shift_up_layers),
    ('menu6_shift_down.ico', shift_down_layers),
    ('menu7_ctrl_up.ico', ctrl_up_layers),
    ('menu8_ctrl_down.ico', ctrl_down_layers),
    ('menu9_advanced.ico', advanced_layers),
)


# ---- preview ------------------------------------------------------------------------------

MENU = (255, 255, 255)
HIGHLIGHT = (51, 153, 255)


def preview(path, pictures):
    """On white and on the highlight's blue: every picture at 16 x 16 enlarged 8 times, then
    every size enlarged 2 times, then every size as it is."""
    gap = 8
    strips = ((8, (16,)), (2, SIZES), (1, SIZES))
    width = gap + max(len(pictures) * (sum(s * zoom + gap for s in sizes) + gap * 2)
                      for zoom, sizes in strips)
    heights = [max(sizes) * zoom + gap for zoom, sizes in strips]
    rows = []
    for background in (MENU, HIGHLIGHT):
        band = canvas(width, sum(heights) + gap, background)
        y0 = gap
        for (zoom, sizes), height in zip(strips, heights):
            x0 = gap
            for images in pictures:
                for rows_of_size in images:
                    if len(rows_of_size) in sizes:
                        paste(band, x0, y0, rows_of_size, zoom, background)
                        x0 += len(rows_of_size) * zoom + gap
                x0 += gap * 2
            y0 += height
        rows += band
    write_png(path, rows)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n\n')[0])
    parser.add_argument('--preview', help='also write a PNG of the pictures enlarged')
    parser.add_argument('--check', action='store_true',
                        help='write nothing; fail if a committed file differs from the drawing')
    args = parser.parse_args()
    here = os.path.dirname(os.path.abspath(__file__))
    pictures = []
    stale = []
    with tempfile.TemporaryDirectory() as scratch:
        for name, layers in PICTURES:
            images = [render(layers, size) for size in SIZES]
            pictures.append(images)
            path = os.path.join(here, name)
            if not args.check:
                write_ico(path, images, png_from=PNG_FROM)
                continue
            drawn = os.path.join(scratch, name)
            write_ico(drawn, images, png_from=PNG_FROM)
            with open(drawn, 'rb') as new:
                data = new.read()
            if not os.path.exists(path) or open(path, 'rb').read() != data:
                stale.append(name)
    for name in stale:
        print(f'{name} differs from what {os.path.basename(__file__)} draws', file=sys.stderr)
    if args.preview:
        preview(args.preview, pictures)
    return 1 if stale else 0


if __name__ == '__main__':
    sys.exit(main())
