#!/usr/bin/env python3
# Draws the bitmaps of the test visual style (tests/styles/kivtest.rc) and
# writes them as BMP files beside this script. Run by hand after changing a
# picture; the BMP files are committed, so the build needs no Python.
# Every picture is drawn here from simple shapes: a panel body with a frame,
# a caption bar with rounded, partly transparent top corners, and three
# caption buttons (close, collapse, expand) in three states each.
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def write_bmp(name, w, h, pixels, alpha):
    """pixels: rows top to bottom of (r, g, b, a); 32-bit with alpha, else 24-bit."""
    bpp = 32 if alpha else 24
    stride = (w * bpp // 8 + 3) & ~3
    body = bytearray()
    for row in reversed(pixels):  # BMP rows run bottom-up
        line = bytearray()
        for r, g, b, a in row:
            line += bytes((b, g, r, a)) if alpha else bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        body += line
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, bpp, 0, len(body), 2835, 2835, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(body), 0, 0, 14 + len(info))
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(head + info + body)


def mix(c0, c1, t):
    return tuple(round(a + (b - a) * t) for a, b in zip(c0, c1))


def body():
    # 12 x 12: a one-pixel frame around a fill with a diagonal hatch, so a
    # wrong stretch or margin shows.
    w = h = 12
    frame, fill, hatch = (70, 96, 140), (226, 234, 244), (200, 214, 232)
    rows = []
    for y in range(h):
        row = []
        for x in range(w):
            if x in (0, w - 1) or y == h - 1:
                c = frame
            elif (x + y) % 4 == 0:
                c = hatch
            else:
                c = fill
            row.append(c + (255,))
        rows.append(row)
    write_bmp("explorerbar_body.bmp", w, h, rows, False)


def head():
    # 32 x 20, a vertical gradient with a darker bottom line; the two top
    # corners are rounded with a radius of 4 and soft (partly transparent)
    # edges, so what lies under the bar shows through them.
    w, h, radius = 32, 20, 4.0
    top, bottom, line = (58, 110, 165), (120, 160, 214), (30, 60, 100)
    rows = []
    for y in range(h):
        row = []
        for x in range(w):
            c = line if y == h - 1 else mix(top, bottom, y / (h - 2))
            a = 1.0
            for cx in (radius, w - radius):
                if (x + 0.5 < radius and cx == radius) or (x + 0.5 > w - radius and cx != radius):
                    if y + 0.5 < radius:
                        d = ((x + 0.5 - cx) ** 2 + (y + 0.5 - radius) ** 2) ** 0.5
                        a = min(a, max(0.0, min(1.0, radius - d + 0.5)))
            # straight (not premultiplied) alpha, as visual styles store it
            row.append(c + (round(a * 255),))
        rows.append(row)
    write_bmp("explorerbar_head.bmp", w, h, rows, True)


STATE_FACES = [(236, 242, 250), (255, 236, 180), (250, 190, 90)]  # normal, hot, pressed
MAGENTA = (255, 0, 255, 255)


def close():
    # 16 x 48, three states of 16 x 16 stacked: a square face with a dark
    # frame and a cross; the corners are magenta (the transparent colour).
    s = 16
    rows = []
    for state, face in enumerate(STATE_FACES):
        for y in range(s):
            row = []
            for x in range(s):
                corner = (x in (0, s - 1)) and (y in (0, s - 1))
                if corner:
                    c = MAGENTA
                elif x in (0, s - 1) or y in (0, s - 1):
                    c = (40, 60, 90, 255)
                elif 4 <= x <= 11 and (x - y in (0, 1) or x + y in (15, 16)):
                    c = (140, 30, 30, 255) if state else (40, 60, 90, 255)
                else:
                    c = face + (255,)
                row.append(c)
            rows.append(row)
    write_bmp("explorerbar_close.bmp", s, 3 * s, rows, False)


def chevron(name, up):
    # 16 x 48, three states of 16 x 16: a round face (soft, partly
    # transparent rim) with a chevron pointing up (collapse) or down (expand).
    s = 16
    rows = []
    for state, face in enumerate(STATE_FACES):
        for y in range(s):
            row = []
            for x in range(s):
                d = ((x + 0.5 - 8) ** 2 + (y + 0.5 - 8) ** 2) ** 0.5
                a = max(0.0, min(1.0, 7.5 - d + 0.5))
                c = (40, 60, 90) if d > 6.0 else face
                yy = y if up else s - 1 - y
                k = abs(x + 0.5 - 8) - 0.5  # 0 for the two middle columns
                if 5 <= yy <= 10 and (yy - 5) - k in (0, 1):
                    c = (30, 50, 80) if state == 0 else (120, 40, 20)
                row.append(c + (round(a * 255),))
            rows.append(row)
    write_bmp(name, s, 3 * s, rows, True)


if __name__ == "__main__":
    body()
    head()
    close()
    chevron("explorerbar_collapse.bmp", True)
    chevron("explorerbar_expand.bmp", False)
