#!/usr/bin/env python3
"""Generate the bitmap artwork of Meandrolith (PNG, RGBA, 8 bits per channel).

Only the Python standard library is used and every random choice comes from a
generator with a fixed seed, so running the script twice gives byte-identical
files.

    python3 make_artwork.py [output_directory]     # default: this folder
"""
import colorsys
import math
import os
import random
import struct
import sys
import zlib

WHITE = (255, 255, 255)


# --------------------------------------------------------------- PNG writer
def _chunk(tag, data):
    crc = zlib.crc32(tag + data) & 0xFFFFFFFF
    return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", crc)


def write_png(path, width, height, rgba):
    """rgba: bytes, width*height*4, rows top to bottom, no filtering."""
    stride = width * 4
    raw = b"".join(b"\x00" + rgba[y * stride:(y + 1) * stride] for y in range(height))
    ihdr = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)  # 8 bits, RGBA
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + _chunk(b"IHDR", ihdr)
                + _chunk(b"IDAT", zlib.compress(raw, 9)) + _chunk(b"IEND", b""))


# ------------------------------------------------------------ drawing helpers
def _rgba(colour):
    """(r, g, b[, a]) in 0..255 -> floats in 0..1."""
    r, g, b = colour[:3]
    a = colour[3] if len(colour) > 3 else 255
    return r / 255.0, g / 255.0, b / 255.0, a / 255.0


def lerp(c0, c1, t):
    t = min(1.0, max(0.0, t))
    return tuple(a + (b - a) * t for a, b in zip(c0, c1))


def seg_dist(x, y, ax, ay, bx, by):
    """Distance from (x, y) to the segment a-b."""
    dx, dy = bx - ax, by - ay
    ll = dx * dx + dy * dy
    t = 0.0 if ll == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / ll))
    return math.hypot(x - ax - t * dx, y - ay - t * dy)


def in_polygon(x, y, pts):
    inside = False
    for i in range(len(pts)):
        (ax, ay), (bx, by) = pts[i - 1], pts[i]
        if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
            inside = not inside
    return inside


class Canvas:
    """Premultiplied float RGBA buffer. Each shape is an inside(x, y) test in
    pixel units; a pixel's coverage is the share of its ss x ss sample points
    that fall inside, which antialiases the edges (supersampling)."""

    def __init__(self, width, height, ss=4, background=(0, 0, 0, 0)):
        self.w, self.h, self.ss = width, height, ss
        r, g, b, a = _rgba(background)
        self.px = [[r * a, g * a, b * a, a] for _ in range(width * height)]

    def fill(self, inside, colour, bbox):
        """colour: a tuple, or a function (x, y) -> tuple sampled at pixel centres."""
        x0, y0, x1, y1 = bbox
        ix0, iy0 = max(0, math.floor(x0)), max(0, math.floor(y0))
        ix1, iy1 = min(self.w, math.ceil(x1)), min(self.h, math.ceil(y1))
        offs = [(k + 0.5) / self.ss for k in range(self.ss)]
        n = float(self.ss * self.ss)
        shader = colour if callable(colour) else None
        if shader is None:
            r, g, b, a = _rgba(colour)
        for py in range(iy0, iy1):
            for px in range(ix0, ix1):
                hits = sum(1 for oy in offs for ox in offs if inside(px + ox, py + oy))
                if hits:
                    if shader is not None:
                        r, g, b, a = _rgba(shader(px + 0.5, py + 0.5))
                    self._over(px, py, r, g, b, a * hits / n)

    def _over(self, x, y, r, g, b, a):
        p = self.px[y * self.w + x]
        k = 1.0 - a
        p[0], p[1], p[2], p[3] = r * a + p[0] * k, g * a + p[1] * k, b * a + p[2] * k, a + p[3] * k

    def rect(self, x0, y0, x1, y1, colour):
        self.fill(lambda x, y: x0 <= x < x1 and y0 <= y < y1, colour, (x0, y0, x1, y1))

    def round_rect(self, x0, y0, x1, y1, radius, colour):
        def inside(x, y):
            dx = max(x0 + radius - x, 0.0, x - (x1 - radius))
            dy = max(y0 + radius - y, 0.0, y - (y1 - radius))
            return x0 <= x <= x1 and y0 <= y <= y1 and dx * dx + dy * dy <= radius * radius
        self.fill(inside, colour, (x0, y0, x1, y1))

    def circle(self, cx, cy, radius, colour):
        rr = radius * radius
        self.fill(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= rr, colour,
                  (cx - radius, cy - radius, cx + radius, cy + radius))

    def ring(self, cx, cy, r_in, r_out, colour):
        def inside(x, y):
            return r_in * r_in <= (x - cx) ** 2 + (y - cy) ** 2 <= r_out * r_out
        self.fill(inside, colour, (cx - r_out, cy - r_out, cx + r_out, cy + r_out))

    def line(self, ax, ay, bx, by, width, colour):
        """Thick segment with round caps."""
        r = width / 2.0
        self.fill(lambda x, y: seg_dist(x, y, ax, ay, bx, by) <= r, colour,
                  (min(ax, bx) - r, min(ay, by) - r, max(ax, bx) + r, max(ay, by) + r))

    def polyline(self, pts, width, colour):
        r = width / 2.0
        segs = list(zip(pts, pts[1:]))
        xs, ys = [p[0] for p in pts], [p[1] for p in pts]
        self.fill(lambda x, y: any(seg_dist(x, y, *a, *b) <= r for a, b in segs), colour,
                  (min(xs) - r, min(ys) - r, max(xs) + r, max(ys) + r))

    def polygon(self, pts, colour, grow=0.0):
        """Filled polygon, optionally dilated by `grow` pixels (for outlines)."""
        edges = [(pts[i - 1], pts[i]) for i in range(len(pts))]

        def inside(x, y):
            return in_polygon(x, y, pts) or (
                grow > 0 and any(seg_dist(x, y, *a, *b) <= grow for a, b in edges))
        xs, ys = [p[0] for p in pts], [p[1] for p in pts]
        self.fill(inside, colour, (min(xs) - grow, min(ys) - grow, max(xs) + grow, max(ys) + grow))

    def save(self, path):
        out = bytearray()
        for r, g, b, a in self.px:
            if a > 0:
                out += bytes((round(min(1.0, r / a) * 255), round(min(1.0, g / a) * 255),
                              round(min(1.0, b / a) * 255), round(min(1.0, a) * 255)))
            else:
                out += b"\x00\x00\x00\x00"
        write_png(path, self.w, self.h, bytes(out))


# ------------------------------------------------------------------- mazes
def carve_maze(cols, rows, rng, wrap=False, start=(0, 0)):
    """Perfect maze by randomised depth-first search; returns the set of open
    passages, each a frozenset of two (col, row) cells. wrap=True carves on a
    torus so that the drawing tiles seamlessly."""
    passages, seen, stack = set(), {start}, [start]
    while stack:
        c, r = stack[-1]
        nexts = []
        for dc, dr in ((1, 0), (-1, 0), (0, 1), (0, -1)):
            nc, nr = c + dc, r + dr
            if wrap:
                nc, nr = nc % cols, nr % rows
            elif not (0 <= nc < cols and 0 <= nr < rows):
                continue
            if (nc, nr) not in seen:
                nexts.append((nc, nr))
        if nexts:
            nxt = rng.choice(nexts)
            seen.add(nxt)
            passages.add(frozenset(((c, r), nxt)))
            stack.append(nxt)
        else:
            stack.pop()
    return passages


def solve_maze(passages, start, goal):
    """Cells from start to goal (breadth-first search)."""
    prev, todo = {start: None}, [start]
    for cell in todo:
        if cell == goal:
            break
        for pair in passages:
            if cell in pair:
                (other,) = pair - {cell}
                if other not in prev:
                    prev[other] = cell
                    todo.append(other)
    path, cell = [], goal
    while cell is not None:
        path.append(cell)
        cell = prev[cell]
    return path[::-1]


def draw_maze(cv, passages, cols, rows, ox, oy, cell, width, colour, door_top=None, door_bottom=None):
    """Walls as round-capped segments; door_* = column left open in the border."""
    def wall(ax, ay, bx, by):
        cv.line(ox + ax * cell, oy + ay * cell, ox + bx * cell, oy + by * cell, width, colour)
    for r in range(rows):
        for c in range(cols):
            if r == 0 and c != door_top:
                wall(c, 0, c + 1, 0)
            if c == 0:
                wall(0, r, 0, r + 1)
            if c == cols - 1 or frozenset(((c, r), (c + 1, r))) not in passages:
                wall(c + 1, r, c + 1, r + 1)
            if (r == rows - 1 and c != door_bottom) or (
                    r < rows - 1 and frozenset(((c, r), (c, r + 1))) not in passages):
                wall(c, r + 1, c + 1, r + 1)


# ----------------------------------------------------------------- artwork
def make_backdrop(path):
    """128x128 pale maze carved on a torus: tiles without visible seams."""
    size, cell = 128, 8
    n = size // cell
    cv = Canvas(size, size, ss=1, background=WHITE)
    passages = carve_maze(n, n, random.Random(1701), wrap=True)
    ink = (225, 232, 242)
    for r in range(n):
        for c in range(n):
            x, y = c * cell, r * cell
            cv.rect(x, y, x + 1, y + 1, ink)  # post at every grid corner
            if frozenset(((c, r), ((c - 1) % n, r))) not in passages:
                cv.rect(x, y, x + 1, y + cell, ink)
            if frozenset(((c, r), (c, (r - 1) % n))) not in passages:
                cv.rect(x, y, x + cell, y + 1, ink)
    cv.save(path)


def make_grip(path):
    """20x20 resize grip: three diagonal ridges in the bottom-right corner."""
    cv = Canvas(20, 20, ss=6)
    for k in (5, 9, 13):   # ridge k: dark line on x + y = 39 - k, highlight just below
        cv.line(19 - k, 21, 21, 19 - k, 1.4, (255, 255, 255, 230))
        cv.line(18 - k, 21, 21, 18 - k, 1.4, (110, 114, 124))
    cv.save(path)


def make_colour_wheel(path):
    """16x16 disc whose hue turns around the centre, white towards the middle."""
    cv = Canvas(16, 16, ss=8)
    c, radius = 8.0, 7.5

    def shade(x, y):
        hue = (math.atan2(c - y, x - c) / (2 * math.pi)) % 1.0
        sat = 0.2 + 0.8 * min(1.0, math.hypot(x - c, y - c) / (radius - 1.5))
        return tuple(v * 255 for v in colorsys.hsv_to_rgb(hue, sat, 1.0))
    cv.circle(c, c, radius, shade)
    cv.ring(c, c, radius - 0.7, radius, (0, 0, 0, 70))
    cv.save(path)


def make_badge(path):
    """147x20 rounded badge, calm blue, small maze motif at its left end."""
    w, h = 147, 20
    cv = Canvas(w, h, ss=4)
    cv.round_rect(0, 0, w, h, 7, (44, 72, 102))
    cv.round_rect(1, 1, w - 1, h - 1, 6, lambda x, y: lerp((104, 148, 180), (62, 102, 136), y / h))
    cv.round_rect(2, 1.5, w - 2, h / 2, 5, (255, 255, 255, 38))   # soft gloss
    passages = carve_maze(5, 5, random.Random(11), start=(2, 0))
    draw_maze(cv, passages, 5, 5, 4.5, 2.5, 3, 1.0, (244, 248, 252), door_top=2, door_bottom=2)
    cv.save(path)


PIPETTE_HOTSPOT = (2, 29)


def make_pipette_cursor(path):
    """32x32 eyedropper, tip at the bottom-left. Hotspot: PIPETTE_HOTSPOT."""
    cv = Canvas(32, 32, ss=6)
    tip = (PIPETTE_HOTSPOT[0] + 0.5, PIPETTE_HOTSPOT[1] + 0.5)
    tube_a, tube_b = (6.0, 26.0), (18.5, 13.5)

    def liquid(x, y):   # coloured liquid in the lower part, clear glass above
        t = ((x - tube_a[0]) - (y - tube_a[1])) / ((tube_b[0] - tube_a[0]) - (tube_b[1] - tube_a[1]))
        return (60, 140, 225) if t < 0.55 else (225, 236, 246)
    parts = [  # (segment a, segment b, radius, fill)
        (tip, tube_a, 0.9, (60, 140, 225)),
        (tube_a, tube_b, 2.2, liquid),
        ((21.5, 10.5), (25.5, 6.5), 3.6, (70, 70, 76)),   # rubber bulb
        ((17.0, 10.0), (22.0, 15.0), 1.4, (30, 30, 34)),  # collar
    ]
    for grow, colour in ((2.0, (0, 0, 0)), (1.0, WHITE)):
        for a, b, r, _ in parts:
            cv.line(*a, *b, 2 * (r + grow), colour)
    for a, b, r, fill in parts:
        cv.line(*a, *b, 2 * r, fill)
    cv.save(path)


MOVE_HOTSPOT = (16, 16)


def make_move_cursor(path):
    """32x32 four-headed arrow, black with a white outline, hotspot at centre."""
    cv = Canvas(32, 32, ss=6)
    cx, cy = MOVE_HOTSPOT[0] + 0.5, MOVE_HOTSPOT[1] + 0.5
    arm = [(-1.5, -7.5), (-4.5, -7.5), (0, -13.5), (4.5, -7.5), (1.5, -7.5), (1.5, -1.5)]
    pts = []
    for _ in range(4):
        pts += [(cx + x, cy + y) for x, y in arm]
        arm = [(-y, x) for x, y in arm]   # quarter turn clockwise
    cv.polygon(pts, WHITE, grow=1.5)
    cv.polygon(pts, (0, 0, 0))
    cv.save(path)


def make_icon(path, size):
    """Rounded tile with a maze and its yellow solution from top (red) to bottom (green)."""
    k = size / 256.0
    cv = Canvas(size, size, ss=4)
    for i, alpha in enumerate((16, 14, 12, 10)):   # soft drop shadow
        g = (i + 1) * 2.0   # in 256-pixel units, like every coordinate below
        cv.round_rect((10 - g) * k, (14 - g) * k, (246 + g) * k, (250 + g) * k, (44 + g) * k,
                      (20, 30, 45, alpha))
    cv.round_rect(10 * k, 8 * k, 246 * k, 244 * k, 44 * k, (92, 106, 128))
    rim = max(1.0, 3 * k)
    cv.round_rect(10 * k + rim, 8 * k + rim, 246 * k - rim, 244 * k - rim, 44 * k - rim,
                  lambda x, y: lerp((252, 250, 244), (236, 232, 220), y / size))
    n, door = 7, 3
    ox, oy, cell = 38 * k, 36 * k, 180 * k / n
    seed = 1
    while True:   # first seed whose solution wanders enough to look like a maze
        passages = carve_maze(n, n, random.Random(seed), start=(door, 0))
        route = solve_maze(passages, (door, 0), (door, n - 1))
        if 17 <= len(route) <= 25:
            break
        seed += 1
    top, bottom = (ox + (door + 0.5) * cell, oy), (ox + (door + 0.5) * cell, oy + n * cell)
    pts = [top] + [(ox + (c + 0.5) * cell, oy + (r + 0.5) * cell) for c, r in route] + [bottom]
    cv.polyline(pts, 0.36 * cell, (244, 192, 36))
    draw_maze(cv, passages, n, n, ox, oy, cell, max(1.6, 7 * k), (58, 70, 92), door_top=door, door_bottom=door)
    dot = max(2.4, 10 * k)
    for (x, y), colour in ((top, (214, 48, 44)), (bottom, (46, 164, 80))):
        cv.circle(x, y, dot + max(0.8, 2 * k), (40, 40, 48))
        cv.circle(x, y, dot, colour)
    cv.save(path)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    jobs = [
        ("FondLabyrinthe.png", make_backdrop),
        ("Coin.png", make_grip),
        ("Cerclefond.png", make_colour_wheel),
        ("Vignette.png", make_badge),
        ("Curseur168.png", make_pipette_cursor),
        ("Curseur169.png", make_move_cursor),
        ("meandrolith.png", lambda p: make_icon(p, 256)),
        ("meandrolith-64.png", lambda p: make_icon(p, 64)),
    ]
    for name, make in jobs:
        make(os.path.join(out, name))
        print("wrote", name)
    print("Curseur168.png hotspot (pipette tip): x=%d y=%d" % PIPETTE_HOTSPOT)
    print("Curseur169.png hotspot (centre):      x=%d y=%d" % MOVE_HOTSPOT)


if __name__ == "__main__":
    main()
