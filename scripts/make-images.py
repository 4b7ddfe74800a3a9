#!/usr/bin/env python3
"""Draws the program's pictures and writes them into res/:
scourix.ico (16, 32, 48 and 256 px, 32-bit with alpha), and for each usual DPI (96, 120,
144, 192) checkboxes-N.bmp (four N x N check-box cells, N = 13, 16, 20, 26) and folders-N.bmp
(closed and open folder and a padlock, N x N each, N = 16, 20, 24, 32). In the bitmaps pure
white is the transparent colour, so white inside a box is drawn as (254, 254, 254)."""
import os
import struct
import sys
import zlib

WHITE = (255, 255, 255)
PAPER = (254, 254, 254)  # white that must stay opaque
BLACK = (0, 0, 0)
TICK = (0, 0, 205)
GREY_BOX = (192, 192, 192)


def inside(poly, x, y):
    """Even-odd point-in-polygon test."""
    result = False
    n = len(poly)
    for i in range(n):
        x1, y1 = poly[i]
        x2, y2 = poly[(i + 1) % n]
        if (y1 > y) != (y2 > y):
            cross = x1 + (y - y1) * (x2 - x1) / (y2 - y1)
            if x < cross:
                result = not result
    return result


def thick_line(a, b, width):
    """The polygon of a straight stroke from a to b."""
    (x1, y1), (x2, y2) = a, b
    dx, dy = x2 - x1, y2 - y1
    length = (dx * dx + dy * dy) ** 0.5
    nx, ny = -dy / length * width / 2, dx / length * width / 2
    return [(x1 + nx, y1 + ny), (x2 + nx, y2 + ny), (x2 - nx, y2 - ny), (x1 - nx, y1 - ny)]


def render_icon(size):
    """RGBA rows of the program icon, a broom with a sparkle, drawn in unit coordinates and
    supersampled 4 x 4 for smooth edges."""
    shapes = [
        # (polygon, colour), later shapes cover earlier ones
        (thick_line((0.90, 0.06), (0.46, 0.52), 0.12), (120, 72, 30)),
        (thick_line((0.90, 0.06), (0.46, 0.52), 0.05), (170, 110, 50)),
        ([(0.36, 0.47), (0.52, 0.63), (0.31, 0.97), (0.03, 0.69)], (235, 178, 40)),
        ([(0.36, 0.47), (0.52, 0.63), (0.47, 0.69), (0.30, 0.52)], (200, 40, 40)),
        (thick_line((0.39, 0.61), (0.16, 0.84), 0.035), (190, 130, 20)),
        (thick_line((0.45, 0.68), (0.27, 0.93), 0.035), (190, 130, 20)),
        (thick_line((0.32, 0.55), (0.07, 0.73), 0.035), (190, 130, 20)),
        ([(0.76, 0.56), (0.80, 0.70), (0.94, 0.74), (0.80, 0.78), (0.76, 0.92), (0.72, 0.78),
          (0.58, 0.74), (0.72, 0.70)], (30, 110, 230)),
        ([(0.22, 0.06), (0.24, 0.15), (0.33, 0.17), (0.24, 0.19), (0.22, 0.28), (0.20, 0.19),
          (0.11, 0.17), (0.20, 0.15)], (30, 110, 230)),
    ]
    samples = 4
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = a = 0.0
            for sy in range(samples):
                for sx in range(samples):
                    x = (px + (sx + 0.5) / samples) / size
                    y = (py + (sy + 0.5) / samples) / size
                    colour = None
                    for poly, c in shapes:
                        if inside(poly, x, y):
                            colour = c
                    if colour is not None:
                        r += colour[0]
                        g += colour[1]
                        b += colour[2]
                        a += 1
            if a:
                row.append((round(r / a), round(g / a), round(b / a), round(255 * a / samples ** 2)))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def icon_image(rows):
    """One image of an .ico file: BITMAPINFOHEADER, BGRA bottom-up, AND mask."""
    size = len(rows)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b''.join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + pixels + bytes(mask)


def png_image(rows):
    """An RGBA PNG, the form an icon's 256 px image takes (a quarter of the bitmap's size)."""
    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
    size = len(rows)
    raw = b''.join(b'\0' + b''.join(bytes(pixel) for pixel in row) for row in rows)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0)) +
            chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def write_ico(path, sizes):
    images = [(png_image if s >= 256 else icon_image)(render_icon(s)) for s in sizes]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, data in zip(sizes, images):
        out += struct.pack('<BBBBHHII', s % 256, s % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, 'wb') as f:
        f.write(out + b''.join(images))


def write_bmp(path, rows):
    """A 24-bit bottom-up BMP of RGB rows."""
    height, width = len(rows), len(rows[0])
    stride = (width * 3 + 3) // 4 * 4
    data = bytearray()
    for row in reversed(rows):
        line = b''.join(bytes((b, g, r)) for (r, g, b) in row)
        data += line + bytes(stride - len(line))
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    head = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(data), 0, 0, 14 + len(info))
    with open(path, 'wb') as f:
        f.write(head + info + data)


def canvas(width, height):
    return [[WHITE] * width for _ in range(height)]


def fill(rows, x0, y0, x1, y1, colour):
    """Fills the inclusive pixel rectangle."""
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            rows[y][x] = colour


class Cell:
    """One picture of a strip, designed on a grid of `grid` units and drawn `size` pixels
    wide: grid lines fall on pixel edges and outlines are a whole number of pixels thick,
    so every size stays crisp."""

    def __init__(self, rows, left, size, grid):
        self.rows, self.left, self.size = rows, left, size
        self.k = size / grid
        self.line = max(1, round(self.k))

    def px(self, unit):
        return round(unit * self.k)

    def rect(self, x0, y0, x1, y1, colour, inset=0):
        """Fills grid units x0..x1, y0..y1 (edges), `inset` outline widths inside them."""
        d = inset * self.line
        fill(self.rows, self.left + self.px(x0) + d, self.px(y0) + d, self.left + self.px(x1) - 1 - d,
             self.px(y1) - 1 - d, colour)

    def framed(self, x0, y0, x1, y1, outline, body):
        self.rect(x0, y0, x1, y1, outline)
        self.rect(x0, y0, x1, y1, body, inset=1)

    def top_band(self, x0, y0, x1, colour):
        """The line just inside the top outline of a framed rectangle."""
        top = self.px(y0) + self.line
        fill(self.rows, self.left + self.px(x0) + self.line, top, self.left + self.px(x1) - 1 - self.line,
             top + self.line - 1, colour)

    def shape(self, test, colour):
        """Fills the pixels whose centre, in grid units, passes `test`."""
        for y in range(self.size):
            for x in range(self.size):
                if test((x + 0.5) / self.k, (y + 0.5) / self.k):
                    self.rows[y][self.left + x] = colour


def check_boxes(size):
    """Cells in check-state order: blank, empty box, grey box with tick, white box with tick."""
    rows = canvas(4 * size, size)

    def tick(x, y):
        # A stroke three units tall along a bent centre line.
        if not 3 <= x <= 10:
            return False
        centre = 6.5 + (x - 3.5) if x < 5.5 else 8.5 - (x - 5.5)
        return abs(y - centre) <= 1.5

    for index, inner, ticked in ((1, PAPER, False), (2, GREY_BOX, True), (3, PAPER, True)):
        cell = Cell(rows, index * size, size, 13)
        cell.framed(0, 0, 13, 13, BLACK, inner)
        if ticked:
            cell.shape(tick, TICK)
    return rows


def inset_polygon(poly, d):
    """The convex polygon (clockwise on screen) with every edge moved d units inwards."""
    lines = []
    for (x1, y1), (x2, y2) in zip(poly, poly[1:] + poly[:1]):
        length = ((x2 - x1) ** 2 + (y2 - y1) ** 2) ** 0.5
        nx, ny = -(y2 - y1) / length, (x2 - x1) / length
        lines.append(((x1 + nx * d, y1 + ny * d), (x2 - x1, y2 - y1)))
    corners = []
    for i, ((px, py), (dx, dy)) in enumerate(lines):
        (qx, qy), (ex, ey) = lines[i - 1]
        t = ((qx - px) * ey - (qy - py) * ex) / (dx * ey - dy * ex)
        corners.append((px + t * dx, py + t * dy))
    return corners


def folder(cell, open_folder):
    outline = (128, 96, 0)
    body = (230, 180, 50) if open_folder else (255, 205, 70)
    light = (255, 235, 150)
    cell.framed(1, 2, 7, 5, outline, light)
    cell.framed(1, 4, 15, 14, outline, body)
    cell.top_band(1, 4, 15, light)
    if open_folder:
        flap = [(4.0, 7.0), (16.0, 7.0), (13.0, 14.0), (1.0, 14.0)]
        inner = inset_polygon(flap, cell.line / cell.k)
        cell.shape(lambda x, y: inside(flap, x, y), outline)
        cell.shape(lambda x, y: inside(inner, x, y), (255, 225, 120))


def lock(cell):
    """A padlock in the folder's colours: a grey shackle over a golden body with a keyhole."""
    outline = (128, 96, 0)
    shackle = (96, 96, 96)
    cell.rect(4, 1, 12, 3, shackle)
    cell.rect(4, 1, 6, 8, shackle)
    cell.rect(10, 1, 12, 8, shackle)
    cell.framed(2, 7, 14, 15, outline, (255, 205, 70))
    cell.top_band(2, 7, 14, (255, 235, 150))
    cell.rect(7, 10, 9, 13, outline)


def folders(size):
    """Closed folder, open folder and padlock, in the order of the item images."""
    rows = canvas(3 * size, size)
    folder(Cell(rows, 0, size, 16), False)
    folder(Cell(rows, size, size, 16), True)
    lock(Cell(rows, 2 * size, size, 16))
    return rows


def main():
    res = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'res')
    if len(sys.argv) > 1:
        res = sys.argv[1]
    os.makedirs(res, exist_ok=True)
    write_ico(os.path.join(res, 'scourix.ico'), [16, 32, 48, 256])
    # One size per usual DPI: 96, 120, 144 and 192.
    for box, item in ((13, 16), (16, 20), (20, 24), (26, 32)):
        write_bmp(os.path.join(res, 'checkboxes-%d.bmp' % box), check_boxes(box))
        write_bmp(os.path.join(res, 'folders-%d.bmp' % item), folders(item))


if __name__ == '__main__':
    main()
