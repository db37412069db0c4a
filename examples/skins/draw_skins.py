#!/usr/bin/env python3
"""Draws the pictures of the two sample skins (our own artwork, made from
nothing but the shapes and colours below).

    examples/skins/draw_skins.py            writes ember/*.png and glacier/*.bmp

Both skins share one cell layout (the descriptions name the cells); magenta
(255, 0, 255) marks the pixels a skin leaves transparent. Ember is written as
PNG, Glacier as 24-bit BMP, so that the samples use both kinds of picture.
"""
import math
import os
import struct
import zlib

MAGENTA = (255, 0, 255)
HERE = os.path.dirname(os.path.abspath(__file__))


class Canvas:
    def __init__(self, w, h):
        self.w, self.h = w, h
        self.px = [MAGENTA] * (w * h)

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y * self.w + x] = tuple(int(round(v)) for v in c)

    def get(self, x, y):
        return self.px[y * self.w + x]

    def fill(self, x, y, w, h, c):
        for j in range(y, y + h):
            for i in range(x, x + w):
                self.set(i, j, c)

    def save_png(self, path):
        raw = b"".join(
            b"\0" + bytes(v for p in self.px[y * self.w:(y + 1) * self.w] for v in p)
            for y in range(self.h))

        def chunk(kind, data):
            return (struct.pack(">I", len(data)) + kind + data +
                    struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

        with open(path, "wb") as f:
            f.write(b"\x89PNG\r\n\x1a\n")
            f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", self.w, self.h, 8, 2, 0, 0, 0)))
            f.write(chunk(b"IDAT", zlib.compress(raw, 9)))
            f.write(chunk(b"IEND", b""))

    def save_bmp(self, path):
        row = (self.w * 3 + 3) & ~3
        pixels = bytearray()
        for y in range(self.h - 1, -1, -1):  # bottom-up rows, blue first
            line = bytearray()
            for (r, g, b) in self.px[y * self.w:(y + 1) * self.w]:
                line += bytes((b, g, r))
            pixels += line + b"\0" * (row - len(line))
        header = struct.pack("<IiiHHIIiiII", 40, self.w, self.h, 1, 24, 0, len(pixels), 2835,
                             2835, 0, 0)
        with open(path, "wb") as f:
            f.write(b"BM" + struct.pack("<IHHI", 14 + 40 + len(pixels), 0, 0, 54))
            f.write(header + pixels)


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def inside_round(i, j, w, h, r):
    """True when pixel (i, j) of a w x h box lies inside its corners of radius r."""
    for cx, cy, ok in ((r - 0.5, r - 0.5, i < r and j < r),
                       (w - r - 0.5, r - 0.5, i >= w - r and j < r),
                       (r - 0.5, h - r - 0.5, i < r and j >= h - r),
                       (w - r - 0.5, h - r - 0.5, i >= w - r and j >= h - r)):
        if ok:
            return math.hypot(i - cx, j - cy) <= r - 0.1
    return True


def on_round_edge(i, j, w, h, r):
    if not inside_round(i, j, w, h, r):
        return False
    if i == 0 or j == 0 or i == w - 1 or j == h - 1:
        return True
    return any(not inside_round(i + di, j + dj, w, h, r)
               for di, dj in ((1, 0), (-1, 0), (0, 1), (0, -1)))


def box(c, x, y, w, h, r, border, top, bottom, shine=None):
    """A rounded box: a vertical gradient from top to bottom inside a
    one-pixel border; shine is an optional highlight line under the top edge."""
    for j in range(h):
        for i in range(w):
            if not inside_round(i, j, w, h, r):
                continue
            if on_round_edge(i, j, w, h, r):
                c.set(x + i, y + j, border)
            elif shine is not None and j == 1:
                c.set(x + i, y + j, shine)
            else:
                c.set(x + i, y + j, mix(top, bottom, j / max(1, h - 1)))


def arrow(c, x, y, w, h, direction, size, color):
    """A filled triangle pointing up, down, left or right, centred in the cell."""
    cx, cy = x + w // 2, y + h // 2
    for k in range(size):
        if direction in ("up", "down"):
            row = cy - size // 2 + k if direction == "up" else cy + size // 2 - k
            for i in range(cx - k, cx + k + 1):
                c.set(i, row, color)
        else:
            col = cx - size // 2 + k if direction == "left" else cx + size // 2 - k
            for j in range(cy - k, cy + k + 1):
                c.set(col, j, color)


def tick(c, x, y, color):
    """A check mark in a 13 x 13 cell: two strokes two pixels thick."""
    for k in range(3):
        for t in range(2):
            c.set(x + 3 + k, y + 6 + k + t, color)
    for k in range(5):
        for t in range(2):
            c.set(x + 5 + k, y + 8 - k + t, color)


def dot(c, cx, cy, radius, color):
    for j in range(-radius, radius + 1):
        for i in range(-radius, radius + 1):
            if i * i + j * j <= radius * radius + 1:
                c.set(cx + i, cy + j, color)


def states(p):
    """Face colours of the four interaction states: normal, hot, pressed, disabled."""
    return [
        (p["border"], p["face_top"], p["face_bottom"], p["shine"]),
        (p["hot_border"], p["hot_top"], p["hot_bottom"], p["shine"]),
        (p["pressed_border"], p["pressed_top"], p["pressed_bottom"], None),
        (p["disabled_border"], p["disabled_face"], p["disabled_face"], None),
    ]


def draw_button(p):
    c = Canvas(100, 20)
    faces = states(p)
    order = [faces[0], faces[1], faces[2], (p["focus_border"],) + faces[0][1:], faces[3]]
    for n, (border, top, bottom, shine) in enumerate(order):
        box(c, n * 20, 0, 20, 20, p["radius"], border, top, bottom, shine)
    return c


def draw_checks(p):
    c = Canvas(52, 78)
    for col, (border, top, bottom, _) in enumerate(states(p)):
        mark = p["disabled_text"] if col == 3 else p["mark"]
        x = col * 13
        for row in range(6):
            y = row * 13
            radio = row >= 3
            box(c, x, y, 13, 13, 6 if radio else 2, border, p["well_top"] if col != 3 else
                p["disabled_face"], bottom if col != 3 else p["disabled_face"])
            if row == 1:
                tick(c, x, y, mark)
            elif row == 2:
                c.fill(x + 3, y + 5, 7, 3, mark)
            elif row == 4:
                dot(c, x + 6, y + 6, 2, mark)
            elif row == 5:
                c.fill(x + 4, y + 6, 5, 1, mark)
            if col == 1 and row in (0, 3):
                # the hot empty box shows a ring of the accent inside
                for i in range(3, 10):
                    for j in (3, 9):
                        if not radio or abs(i - 6) < 3:
                            c.set(x + i, y + j, p["hot_border"])
                            c.set(x + j, y + i, p["hot_border"])
    return c


def draw_scroll(p):
    c = Canvas(68, 136)
    for col, (border, top, bottom, shine) in enumerate(states(p)):
        x = col * 17
        glyph = p["disabled_text"] if col == 3 else p["arrow"]
        for row, direction in enumerate(("up", "down", "left", "right")):
            box(c, x, row * 17, 17, 17, p["radius"] // 2, border, top, bottom, shine)
            arrow(c, x, row * 17, 17, 17, direction, 4, glyph)
        # thumbs: vertical (grip lines across), horizontal (grip lines down)
        box(c, x, 68, 17, 17, p["radius"] // 2, border, top, bottom, shine)
        box(c, x, 85, 17, 17, p["radius"] // 2, border, top, bottom, shine)
        for k in (-2, 0, 2):
            c.fill(x + 5, 68 + 8 + k, 7, 1, p["grip"])
            c.fill(x + 8 + k, 85 + 5, 1, 7, p["grip"])
        # tracks: a groove darker when pressed
        track = [p["track"], p["track_hot"], p["track_pressed"], p["disabled_face"]][col]
        c.fill(x, 102, 17, 17, track)
        c.fill(x, 119, 17, 17, track)
        c.fill(x, 102, 1, 17, p["track_edge"])
        c.fill(x + 16, 102, 1, 17, p["track_edge"])
        c.fill(x, 119, 17, 1, p["track_edge"])
        c.fill(x, 135, 17, 1, p["track_edge"])
    return c


def draw_frame(p):
    c = Canvas(108, 34)
    for n, (top, bottom, stripe) in enumerate(
            ((p["title_top"], p["title_bottom"], p["title_stripe"]),
             (p["inactive_top"], p["inactive_bottom"], p["inactive_stripe"]))):
        x = n * 48
        box(c, x, 0, 48, 32, 7, p["frame_edge"], top, bottom, p["title_shine"])
        c.fill(x + 1, 26, 46, 2, stripe)
        # the frame continues into the sides below the title bar
    c.fill(0, 28, 108, 6, MAGENTA)
    # bottom border, left and right borders (edge outside, body, inner line)
    for i, col in enumerate((p["frame_edge"], p["frame_body"], p["frame_body"], p["frame_body"],
                             p["frame_inner"])):
        c.fill(96 + i, 0, 1, 28, col)            # left: outside edge first
        c.fill(107 - i, 0, 1, 28, col)           # right
        c.fill(0, 33 - i, 96, 1, col)            # bottom
    return c


def draw_sysbuttons(p):
    c = Canvas(60, 72)
    looks = [(p["sys_border"], p["sys_top"], p["sys_bottom"]),
             (p["sys_hot_border"], p["sys_hot_top"], p["sys_hot_bottom"]),
             (p["sys_pressed_border"], p["sys_pressed_top"], p["sys_pressed_bottom"])]
    for col, (border, top, bottom) in enumerate(looks):
        for row in range(4):
            x, y = col * 20, row * 18
            hot_close = row == 0 and col > 0
            box(c, x + 1, y + 1, 18, 16, 3, border,
                p["close_top"] if hot_close else top,
                p["close_bottom"] if hot_close else bottom)
            g = p["sys_glyph"]
            if row == 0:  # close: a diagonal cross
                for k in range(7):
                    for t in (0, 1):
                        c.set(x + 6 + k + t, y + 5 + k, g)
                        c.set(x + 13 - k - t, y + 5 + k, g)
            elif row == 1:  # maximize: a window outline with a thick top
                c.fill(x + 5, y + 4, 10, 2, g)
                c.fill(x + 5, y + 12, 10, 1, g)
                c.fill(x + 5, y + 4, 1, 9, g)
                c.fill(x + 14, y + 4, 1, 9, g)
            elif row == 2:  # minimize: a bar at the bottom
                c.fill(x + 6, y + 11, 8, 2, g)
            else:  # restore: two overlapping windows
                c.fill(x + 8, y + 3, 7, 2, g)
                c.fill(x + 14, y + 3, 1, 6, g)
                c.fill(x + 5, y + 6, 7, 2, g)
                c.fill(x + 5, y + 12, 7, 1, g)
                c.fill(x + 5, y + 6, 1, 7, g)
                c.fill(x + 11, y + 6, 1, 7, g)
    return c


def draw_panel(p):
    c = Canvas(48, 70)
    box(c, 0, 0, 32, 22, 3, p["frame_edge"], p["title_top"], p["title_bottom"], p["title_shine"])
    c.fill(32, 0, 16, 16, p["panel_body"])
    for i in range(16):
        c.set(32 + i, 0, p["frame_edge"])
        c.set(32 + i, 15, p["frame_edge"])
        c.set(32, i, p["frame_edge"])
        c.set(47, i, p["frame_edge"])
    looks = [(p["sys_border"], p["sys_top"], p["sys_bottom"]),
             (p["sys_hot_border"], p["sys_hot_top"], p["sys_hot_bottom"]),
             (p["sys_pressed_border"], p["sys_pressed_top"], p["sys_pressed_bottom"])]
    for col, (border, top, bottom) in enumerate(looks):
        for row, direction in enumerate(("up", "down", "hide")):
            x, y = col * 16, 22 + row * 16
            box(c, x, y, 16, 16, 3, border, top, bottom)
            if direction == "hide":
                for k in range(6):
                    c.set(x + 5 + k, y + 5 + k, p["sys_glyph"])
                    c.set(x + 10 - k, y + 5 + k, p["sys_glyph"])
            else:
                arrow(c, x, y, 16, 16, direction, 4, p["sys_glyph"])
    return c


def draw_parts(p):
    c = Canvas(48, 66)
    # edit frames: normal, hot, disabled
    for n, (edge, fill) in enumerate(((p["edit_edge"], p["edit_fill"]),
                                      (p["hot_border"], p["edit_fill"]),
                                      (p["disabled_border"], p["disabled_face"]))):
        box(c, n * 12, 0, 12, 12, 2, edge, fill, fill)
        for i in range(1, 11):
            c.set(n * 12 + i, 1, mix(edge, fill, 0.6))
    # header sections: normal, hot, pressed; the header's frame
    for n, (border, top, bottom, _) in enumerate(states(p)[:3]):
        x = n * 12
        c.fill(x, 12, 12, 20, top)
        for j in range(20):
            c.fill(x, 12 + j, 12, 1, mix(top, bottom, j / 19))
        c.fill(x, 31, 12, 1, border)
        c.fill(x + 11, 14, 1, 16, border)
    c.fill(36, 12, 12, 20, p["face_bottom"])
    c.fill(36, 31, 12, 1, p["border"])
    # status bar frame, panel, gripper
    c.fill(0, 32, 12, 22, p["status_fill"])
    c.fill(0, 32, 12, 1, p["status_edge"])
    c.fill(12, 32, 12, 18, p["status_panel"])
    for i in range(12):
        c.set(12 + i, 32, p["status_edge"])
        c.set(12, 32 + min(i, 17), p["status_edge"])
    c.fill(24, 32, 12, 12, p["status_fill"])
    for k in range(3):
        for m in range(k + 1):
            c.fill(24 + 9 - 3 * m, 32 + 3 + 3 * k, 2, 2, p["grip"])
    # group box frame
    box(c, 36, 32, 12, 12, 3, p["edit_edge"], p["group_fill"], p["group_fill"])
    # progress bar frame and bar
    box(c, 0, 54, 12, 12, 3, p["edit_edge"], p["track"], p["track"])
    box(c, 12, 54, 12, 12, 2, p["bar_edge"], p["bar_top"], p["bar_bottom"], p["bar_shine"])
    # hint
    box(c, 24, 54, 12, 12, 3, p["edit_edge"], p["hint_fill"], p["hint_fill"])
    return c


EMBER = dict(
    radius=4, border=(24, 25, 29), face_top=(86, 90, 99), face_bottom=(52, 55, 62),
    shine=(112, 116, 126), hot_border=(255, 138, 61), hot_top=(104, 94, 90),
    hot_bottom=(66, 58, 54), pressed_border=(196, 96, 34), pressed_top=(40, 42, 47),
    pressed_bottom=(64, 66, 73), disabled_border=(58, 60, 65), disabled_face=(62, 64, 69),
    disabled_text=(112, 114, 120), focus_border=(255, 170, 90), mark=(255, 150, 70),
    well_top=(36, 38, 43), arrow=(238, 232, 224), grip=(150, 154, 162), track=(40, 42, 47),
    track_hot=(50, 46, 44), track_pressed=(84, 52, 32), track_edge=(30, 31, 35),
    title_top=(112, 62, 34), title_bottom=(44, 46, 52), title_stripe=(255, 138, 61),
    title_shine=(150, 96, 64), inactive_top=(70, 72, 78), inactive_bottom=(48, 50, 55),
    inactive_stripe=(90, 92, 98), frame_edge=(16, 17, 20), frame_body=(48, 50, 56),
    frame_inner=(30, 31, 35), sys_border=(30, 31, 35), sys_top=(80, 82, 90),
    sys_bottom=(58, 60, 66), sys_hot_border=(255, 138, 61), sys_hot_top=(110, 100, 94),
    sys_hot_bottom=(80, 70, 64), sys_pressed_border=(196, 96, 34), sys_pressed_top=(40, 42, 47),
    sys_pressed_bottom=(60, 62, 68), close_top=(214, 92, 44), close_bottom=(150, 54, 20),
    sys_glyph=(240, 236, 230), panel_body=(58, 60, 66), edit_edge=(20, 21, 24),
    edit_fill=(34, 36, 40), status_fill=(44, 46, 52), status_edge=(80, 82, 90),
    status_panel=(38, 40, 45), group_fill=(52, 54, 60), bar_edge=(150, 70, 20),
    bar_top=(255, 170, 90), bar_bottom=(220, 100, 30), bar_shine=(255, 200, 140),
    hint_fill=(60, 52, 46),
)

GLACIER = dict(
    radius=6, border=(138, 166, 191), face_top=(253, 254, 255), face_bottom=(214, 228, 240),
    shine=(255, 255, 255), hot_border=(61, 139, 224), hot_top=(236, 246, 255),
    hot_bottom=(184, 219, 250), pressed_border=(40, 104, 176), pressed_top=(168, 198, 226),
    pressed_bottom=(206, 224, 240), disabled_border=(197, 204, 211), disabled_face=(238, 241, 244),
    disabled_text=(166, 174, 182), focus_border=(61, 139, 224), mark=(30, 104, 190),
    well_top=(255, 255, 255), arrow=(50, 76, 104), grip=(120, 146, 172), track=(232, 239, 245),
    track_hot=(220, 233, 246), track_pressed=(190, 214, 238), track_edge=(205, 216, 226),
    title_top=(120, 186, 242), title_bottom=(52, 132, 214), title_stripe=(36, 104, 178),
    title_shine=(170, 214, 250), inactive_top=(222, 230, 238), inactive_bottom=(196, 210, 223),
    inactive_stripe=(176, 190, 204), frame_edge=(44, 92, 146), frame_body=(150, 190, 228),
    frame_inner=(110, 150, 190), sys_border=(44, 100, 160), sys_top=(150, 204, 250),
    sys_bottom=(84, 156, 226), sys_hot_border=(30, 80, 140), sys_hot_top=(190, 228, 255),
    sys_hot_bottom=(110, 180, 240), sys_pressed_border=(24, 64, 120), sys_pressed_top=(64, 130, 200),
    sys_pressed_bottom=(100, 160, 220), close_top=(240, 130, 110), close_bottom=(200, 70, 50),
    sys_glyph=(255, 255, 255), panel_body=(246, 249, 252), edit_edge=(150, 172, 194),
    edit_fill=(255, 255, 255), status_fill=(226, 235, 244), status_edge=(255, 255, 255),
    status_panel=(240, 245, 250), group_fill=(244, 248, 252), bar_edge=(40, 120, 60),
    bar_top=(150, 230, 150), bar_bottom=(60, 180, 80), bar_shine=(200, 250, 200),
    hint_fill=(255, 252, 228),
)

DRAWINGS = [("button", draw_button), ("checks", draw_checks), ("scroll", draw_scroll),
            ("frame", draw_frame), ("sysbuttons", draw_sysbuttons), ("panel", draw_panel),
            ("parts", draw_parts)]


def main():
    for skin, palette, kind in (("ember", EMBER, "png"), ("glacier", GLACIER, "bmp")):
        folder = os.path.join(HERE, skin)
        os.makedirs(folder, exist_ok=True)
        for name, draw in DRAWINGS:
            canvas = draw(palette)
            path = os.path.join(folder, name + "." + kind)
            (canvas.save_png if kind == "png" else canvas.save_bmp)(path)
            print(path, canvas.w, "x", canvas.h)


if __name__ == "__main__":
    main()
