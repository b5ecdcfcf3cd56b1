"""What the icon drawing scripts share: distances to shapes on the 16 x 16 grid, the
supersampling rasteriser, and writers for .ico and .png files. Python 3 standard library only.

A picture is a function layers(x, y, size) that yields (colour, inside) pairs from the bottom
layer to the top one for a point of the 16 x 16 grid (pixel i spans i..i+1); the topmost
layer that holds the point gives its colour, and a point that no layer holds is transparent.
"""

import math
import struct
import zlib

SUPERSAMPLE = 8


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


def polygon_distance(x, y, points):
    """Signed distance to a simple polygon given by its corners (negative inside)."""
    inside = False
    nearest = math.inf
    for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
        nearest = min(nearest, segment_distance(x, y, ax, ay, bx, by))
        if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
            inside = not inside
    return -nearest if inside else nearest


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


def write_ico(path, images, png_from=None):
    """An .ico of the images. Sizes of png_from pixels and more are stored as PNG, which
    Windows reads in icons from Vista on: a fraction of the bitmap's bytes."""
    count = len(images)
    out = bytearray(struct.pack('<HHH', 0, 1, count))
    offset = 6 + 16 * count
    blobs = []
    for rows in images:
        size = len(rows)
        blob = png_bytes(rows) if png_from is not None and size >= png_from else ico_image(rows)
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
        blobs.append(blob)
    for blob in blobs:
        out += blob
    with open(path, 'wb') as f:
        f.write(out)


def png_bytes(rows):
    """An RGBA PNG of the rows."""
    height, width = len(rows), len(rows[0])
    raw = b''.join(b'\x00' + bytes(v for px in row for v in px) for row in rows)

    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))

    png = b'\x89PNG\r\n\x1a\n'
    png += chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 6, 0, 0, 0))
    png += chunk(b'IDAT', zlib.compress(raw, 9))
    png += chunk(b'IEND', b'')
    return png


def write_png(path, rows):
    with open(path, 'wb') as f:
        f.write(png_bytes(rows))


def canvas(width, height, colour):
    """Opaque RGBA rows for a preview, all of one colour."""
    return [[tuple(colour) + (255,)] * width for _ in range(height)]


def paste(canvas_rows, x0, y0, rows, zoom, background):
    """Lays a picture onto a preview canvas, each pixel zoom x zoom, blended on background."""
    for y, row in enumerate(rows):
        for x, (r, g, b, a) in enumerate(row):
            mixed = tuple(round((c * a + bg * (255 - a)) / 255)
                          for c, bg in zip((r, g, b), background)) + (255,)
            for dy in range(zoom):
                line = canvas_rows[y0 + y * zoom + dy]
                for dx in range(zoom):
                    line[x0 + x * zoom + dx] = mixed
