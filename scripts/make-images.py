#!/usr/bin/env python3
"""Draws the program's pictures and writes them into res/:
scourix.ico (16 and 32 px, 32-bit with alpha), checkboxes.bmp (four 13 x 13 check-box
cells) and folders.bmp (closed and open folder and a padlock, 16 x 16 each). In the bitmaps pure white
is the transparent colour, so white inside a box is drawn as (254, 254, 254)."""
import os
import struct
import sys

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


def write_ico(path, sizes):
    images = [icon_image(render_icon(s)) for s in sizes]
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
    """Fills the inclusive rectangle."""
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            rows[y][x] = colour


def check_boxes():
    """Cells in check-state order: blank, empty box, grey box with tick, white box with tick."""
    rows = canvas(52, 13)
    tick = [(3, 5), (3, 6), (3, 7), (4, 6), (4, 7), (4, 8), (5, 7), (5, 8), (5, 9), (6, 6), (6, 7),
            (6, 8), (7, 5), (7, 6), (7, 7), (8, 4), (8, 5), (8, 6), (9, 3), (9, 4), (9, 5)]
    for cell, inner, ticked in ((1, PAPER, False), (2, GREY_BOX, True), (3, PAPER, True)):
        left = cell * 13
        fill(rows, left, 0, left + 12, 12, BLACK)
        fill(rows, left + 1, 1, left + 11, 11, inner)
        if ticked:
            for x, y in tick:
                rows[y][left + x] = TICK
    return rows


def folder(rows, left, open_folder):
    outline = (128, 96, 0)
    body = (230, 180, 50) if open_folder else (255, 205, 70)
    light = (255, 235, 150)
    fill(rows, left + 1, 2, left + 6, 4, outline)
    fill(rows, left + 2, 3, left + 5, 4, light)
    fill(rows, left + 1, 4, left + 14, 13, outline)
    fill(rows, left + 2, 5, left + 13, 12, body)
    fill(rows, left + 2, 5, left + 13, 5, light)
    if open_folder:
        flap = [(4.0, 7.0), (16.0, 7.0), (13.0, 14.0), (1.0, 14.0)]
        for y in range(7, 14):
            for x in range(0, 16):
                if inside(flap, x + 0.5, y + 0.5):
                    rows[y][left + x] = (255, 225, 120)
        for x in range(4, 15):
            rows[7][left + x] = outline
        for y in range(7, 14):
            rows[y][left + max(0, min(15, round(4 - (y - 7) * 3 / 7)))] = outline
            rows[y][left + max(0, min(15, round(15 - (y - 7) * 3 / 7)))] = outline
        for x in range(1, 13):
            rows[13][left + x] = outline


def lock(rows, left):
    """A padlock in the folder's colours: a grey shackle over a golden body with a keyhole."""
    outline = (128, 96, 0)
    shackle = (96, 96, 96)
    body = (255, 205, 70)
    light = (255, 235, 150)
    fill(rows, left + 4, 1, left + 11, 2, shackle)
    fill(rows, left + 4, 1, left + 5, 7, shackle)
    fill(rows, left + 10, 1, left + 11, 7, shackle)
    fill(rows, left + 2, 7, left + 13, 14, outline)
    fill(rows, left + 3, 8, left + 12, 13, body)
    fill(rows, left + 3, 8, left + 12, 8, light)
    fill(rows, left + 7, 10, left + 8, 11, outline)
    fill(rows, left + 7, 12, left + 8, 12, outline)


def folders():
    rows = canvas(48, 16)
    folder(rows, 0, False)
    folder(rows, 16, True)
    lock(rows, 32)
    return rows


def main():
    res = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'res')
    if len(sys.argv) > 1:
        res = sys.argv[1]
    os.makedirs(res, exist_ok=True)
    write_ico(os.path.join(res, 'scourix.ico'), [16, 32])
    write_bmp(os.path.join(res, 'checkboxes.bmp'), check_boxes())
    write_bmp(os.path.join(res, 'folders.bmp'), folders())


if __name__ == '__main__':
    main()
