#!/usr/bin/env python3
"""Draws the twenty letter images U1..U10 and V1..V10 (29 x 46 pixels, 8-bit grey PNG).

Each letter is a pen stroke along a hand-shaped path: the arms lean, reach different heights,
the bottom is rounder or sharper, and the stroke wobbles a little, so no two images are the
same. The pictures are drawn four times larger and averaged down for smooth edges. Every image
comes from a fixed seed, so running the script again gives the same files.

Usage: make_letters.py [output folder]   (default: ../ui/letters beside this script)
"""

import math
import os
import random
import struct
import sys
import zlib

WIDTH, HEIGHT = 29, 46
SUPER = 4  # supersampling factor


def bezier(p0, p1, p2, steps=24):
    """Points of the quadratic Bezier curve p0-p1-p2."""
    pts = []
    for k in range(steps + 1):
        t = k / steps
        a, b, c = (1 - t) ** 2, 2 * t * (1 - t), t * t
        pts.append((a * p0[0] + b * p1[0] + c * p2[0], a * p0[1] + b * p1[1] + c * p2[1]))
    return pts


def line(p0, p1, steps=24):
    return [(p0[0] + (p1[0] - p0[0]) * k / steps, p0[1] + (p1[1] - p0[1]) * k / steps)
            for k in range(steps + 1)]


def u_path(rng):
    left = rng.uniform(5.5, 8.5)
    right = rng.uniform(20.5, 23.5)
    top_left = rng.uniform(7, 12)
    top_right = rng.uniform(7, 13)
    bottom = rng.uniform(35, 39)
    round_depth = rng.uniform(6, 10)  # how far up the bottom curve starts
    inset = rng.uniform(0.0, 1.5)  # arms draw a little closer towards the bottom
    path = line((left, top_left), (left + inset, bottom - round_depth))
    path += bezier((left + inset, bottom - round_depth), ((left + right) / 2, bottom + round_depth * 0.55),
                   (right - inset, bottom - round_depth))
    path += line((right - inset, bottom - round_depth), (right, top_right))
    if rng.random() < 0.6:  # the little down-stroke of a written u
        path += line((right, top_right), (right - inset * 0.5 + rng.uniform(0.5, 2), bottom + rng.uniform(-1, 1.5)))
    return path


def v_path(rng):
    left = rng.uniform(4, 7)
    right = rng.uniform(22, 25)
    top_left = rng.uniform(7, 12)
    top_right = rng.uniform(6.5, 12)
    bottom = rng.uniform(35.5, 39.5)
    apex_x = (left + right) / 2 + rng.uniform(-1.5, 1.5)
    bow = rng.uniform(-0.8, 0.8)  # arms bend slightly instead of running straight
    tip = rng.uniform(0.2, 0.8)  # a sharp or slightly rounded point
    path = bezier((left, top_left), ((left + apex_x) / 2 + bow, (top_left + bottom) / 2),
                  (apex_x - tip, bottom - tip))
    path += bezier((apex_x - tip, bottom - tip), (apex_x, bottom + tip), (apex_x + tip, bottom - tip), 8)
    path += bezier((apex_x + tip, bottom - tip), ((apex_x + right) / 2 - bow, (top_right + bottom) / 2),
                   (right, top_right))
    if rng.random() < 0.4:  # a flick at the end of the right arm
        path += bezier((right, top_right), (right + 1.2, top_right - 1.5), (right + rng.uniform(0.5, 2.5), top_right - 2))
    return path


def handwrite(path, rng):
    """Slants the path and lets it wobble slowly, as a hand does."""
    slant = rng.uniform(-0.12, 0.22)
    shift_x = rng.uniform(-1.2, 1.2)
    shift_y = rng.uniform(-1.5, 1.5)
    waves = [(rng.uniform(0.15, 0.35), rng.uniform(0, 2 * math.pi), rng.uniform(0.1, 0.35)) for _ in range(2)]
    out = []
    for k, (x, y) in enumerate(path):
        wobble = sum(a * math.sin(f * k + ph) for f, ph, a in waves)
        out.append((x + (HEIGHT / 2 - y) * slant + shift_x + wobble, y + shift_y + wobble * 0.5))
    return out


def render(path, pen):
    w, h = WIDTH * SUPER, HEIGHT * SUPER
    ink = bytearray(w * h)
    r = pen * SUPER / 2
    r2 = r * r
    for (x0, y0), (x1, y1) in zip(path, path[1:]):
        length = math.hypot(x1 - x0, y1 - y0) * SUPER
        steps = max(1, int(length))
        for s in range(steps + 1):
            cx = (x0 + (x1 - x0) * s / steps) * SUPER
            cy = (y0 + (y1 - y0) * s / steps) * SUPER
            for py in range(max(0, int(cy - r)), min(h, int(cy + r) + 2)):
                for px in range(max(0, int(cx - r)), min(w, int(cx + r) + 2)):
                    if (px + 0.5 - cx) ** 2 + (py + 0.5 - cy) ** 2 <= r2:
                        ink[py * w + px] = 1
    grey = bytearray(WIDTH * HEIGHT)
    for y in range(HEIGHT):
        for x in range(WIDTH):
            total = sum(ink[(y * SUPER + j) * w + x * SUPER + i] for j in range(SUPER) for i in range(SUPER))
            grey[y * WIDTH + x] = 255 - round(255 * total / (SUPER * SUPER))
    return grey


def write_png(name, grey):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    raw = b"".join(b"\x00" + bytes(grey[y * WIDTH:(y + 1) * WIDTH]) for y in range(HEIGHT))
    header = struct.pack(">IIBBBBB", WIDTH, HEIGHT, 8, 0, 0, 0, 0)
    with open(name, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
                + chunk(b"IEND", b""))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "ui", "letters")
    os.makedirs(folder, exist_ok=True)
    for letter, shape in (("U", u_path), ("V", v_path)):
        for number in range(1, 11):
            rng = random.Random(f"{letter}{number}")
            path = handwrite(shape(rng), rng)
            grey = render(path, rng.uniform(2.2, 3.3))
            write_png(os.path.join(folder, f"{letter}{number}.png"), grey)


if __name__ == "__main__":
    main()
