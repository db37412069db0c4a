#!/usr/bin/env python3
"""Draws the push button's standard glyphs: eleven 32 x 16 strips of two
16 x 16 cells (the picture, then the same picture in greys for a disabled
button) on a teal background (red 0, green 128, blue 128) that marks the
transparent pixels through the bottom-left pixel. Written as 32-bit BMP files
(bottom-up, BI_RGB, alpha 255) into src/controls/glyphs/.

The pictures are simple shapes sampled at pixel centres: a shape's pixels
take its colour, those on the shape's edge a darker shade of it, so the
marks stay readable on light and dark faces without blending into the key
colour."""
import math
import os
import struct
import sys

TEAL = (0, 128, 128)
SIZE = 16


def seg_dist(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - ax - t * dx, py - ay - t * dy)


def stroke(points, width):
    def inside(x, y):
        return any(seg_dist(x, y, *points[i], *points[i + 1]) <= width / 2
                   for i in range(len(points) - 1))
    return inside


def disc(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) <= r


def ring(cx, cy, r_in, r_out, gap=None):
    def inside(x, y):
        d = math.hypot(x - cx, y - cy)
        if not (r_in <= d <= r_out):
            return False
        if gap:
            a = math.degrees(math.atan2(y - cy, x - cx)) % 360
            return not any(lo <= a <= hi for lo, hi in gap)
        return True
    return inside


def box(l, t, r, b):
    return lambda x, y: l <= x <= r and t <= y <= b


def triangle(p0, p1, p2):
    def side(x, y, a, b):
        return (x - b[0]) * (a[1] - b[1]) - (a[0] - b[0]) * (y - b[1])

    def inside(x, y):
        d1, d2, d3 = side(x, y, p0, p1), side(x, y, p1, p2), side(x, y, p2, p0)
        neg = d1 < 0 or d2 < 0 or d3 < 0
        pos = d1 > 0 or d2 > 0 or d3 > 0
        return not (neg and pos)
    return inside


def darker(c, f=0.6):
    return tuple(int(v * f) for v in c)


class Cell:
    def __init__(self):
        self.px = [[TEAL] * SIZE for _ in range(SIZE)]

    def paint(self, shape, colour, edge=None):
        """Fills the shape; its pixels next to the outside take the edge colour."""
        edge = darker(colour) if edge is None else edge
        hit = [[shape(x + 0.5, y + 0.5) for x in range(SIZE)] for y in range(SIZE)]
        for y in range(SIZE):
            for x in range(SIZE):
                if not hit[y][x]:
                    continue
                border = any(not (0 <= x + dx < SIZE and 0 <= y + dy < SIZE and hit[y + dy][x + dx])
                             for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
                self.px[y][x] = edge if border else colour


GREEN, RED, BLUE, YELLOW, WHITE = (40, 170, 40), (210, 30, 30), (40, 90, 210), (250, 210, 40), (255, 255, 255)
BROWN = (150, 95, 40)


def check(cell, dx=0, dy=0, width=2.6):
    cell.paint(stroke([(2.5 + dx, 8.5 + dy), (6 + dx, 12 + dy), (13.5 + dx, 3.5 + dy)], width), GREEN)


def cross(cell):
    cell.paint(lambda x, y: stroke([(3.5, 3.5), (12.5, 12.5)], 3)(x, y)
               or stroke([(12.5, 3.5), (3.5, 12.5)], 3)(x, y), RED)


def question(cell):
    arc = ring(8, 5.5, 2.2, 4.6, gap=[(100, 200)])
    stem = stroke([(8, 9.5), (8, 11)], 3)
    cell.paint(lambda x, y: arc(x, y) or stem(x, y), YELLOW, (150, 110, 0))
    cell.paint(disc(8, 14, 1.6), YELLOW, (150, 110, 0))


def prohibited(cell):
    cell.paint(ring(8, 8, 4.2, 7.4), RED)
    cell.paint(stroke([(3.5, 12.5), (12.5, 3.5)], 2.6), RED)


def door_out(cell):
    cell.paint(box(1.2, 1.2, 9.8, 15), BROWN, (90, 55, 20))
    cell.paint(box(3, 3, 8, 15), (190, 140, 80), (90, 55, 20))
    cell.paint(disc(7, 9, 0.8), (250, 220, 120), (250, 220, 120))
    cell.paint(lambda x, y: stroke([(6, 8.5), (12, 8.5)], 2.4)(x, y)
               or triangle((11, 4.5), (15.8, 8.5), (11, 12.5))(x, y), RED)


def circling_arrows(cell):
    cell.paint(ring(8, 8, 3.6, 6.2, gap=[(0, 40), (180, 220)]), BLUE)
    cell.paint(triangle((10.5, 8.5), (16, 8.5), (13.25, 4.5)), BLUE)
    cell.paint(triangle((0, 7.5), (5.5, 7.5), (2.75, 11.5)), BLUE)


def white_bar_disc(cell):
    cell.paint(disc(8, 8, 7.2), RED)
    cell.paint(box(3.2, 6.6, 12.8, 9.4), WHITE, (225, 225, 225))


def two_checks(cell):
    cell.paint(stroke([(0.8, 6.5), (3.5, 9.5), (9, 2.5)], 2.2), GREEN)
    cell.paint(stroke([(5.5, 10.5), (8.5, 13.5), (15, 5.5)], 2.4), GREEN)


GLYPHS = {
    "kiv_btn_ok": check,
    "kiv_btn_cancel": cross,
    "kiv_btn_help": question,
    "kiv_btn_yes": check,
    "kiv_btn_no": prohibited,
    "kiv_btn_close": door_out,
    "kiv_btn_abort": cross,
    "kiv_btn_retry": circling_arrows,
    "kiv_btn_ignore": white_bar_disc,
    "kiv_btn_all": two_checks,
}


def greyed(cell):
    """The disabled cell: every picture pixel as a light grey by its lightness."""
    out = Cell()
    for y in range(SIZE):
        for x in range(SIZE):
            c = cell.px[y][x]
            if c == TEAL:
                continue
            lum = (max(c) + min(c)) / 2 / 255
            g = int(112 + lum * 96)
            out.px[y][x] = (g, g, g)
    return out


def write_bmp(path, cells):
    width, height = SIZE * len(cells), SIZE
    rows = []
    for y in reversed(range(height)):  # bottom-up
        row = bytearray()
        for cell in cells:
            for x in range(SIZE):
                r, g, b = cell.px[y][x]
                row += bytes((b, g, r, 255))
        rows.append(bytes(row))
    pixels = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 32, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    with open(path, "wb") as f:
        f.write(header + info + pixels)


def main():
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(__file__), "..", "src", "controls", "glyphs")
    os.makedirs(out_dir, exist_ok=True)
    for name, draw in GLYPHS.items():
        cell = Cell()
        draw(cell)
        assert cell.px[SIZE - 1][0] == TEAL, name  # the bottom-left pixel is the key
        write_bmp(os.path.join(out_dir, name + ".bmp"), [cell, greyed(cell)])


if __name__ == "__main__":
    main()
