#!/usr/bin/env python3
"""Draws the magnetic windows' skin pieces, close button and cursors as PNG.

Run from anywhere: python3 resources/skin/draw_pictures.py
The pictures are committed; run this again only to change them.
"""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
CURSORS = os.path.join(os.path.dirname(HERE), "cursors")

# Slate frame colours.
OUTER = (22, 32, 48, 255)
DARK = (38, 58, 86, 255)
BODY = (58, 88, 126, 255)
LIGHT = (118, 150, 192, 255)
INNER = (28, 42, 62, 255)
CLEAR = (0, 0, 0, 0)
EDGE = 8  # frame thickness


def write_png(path, pixels):
    height = len(pixels)
    width = len(pixels[0])
    raw = b"".join(b"\0" + b"".join(bytes(p) for p in row) for row in pixels)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 9))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as out:
        out.write(png)


def canvas(width, height, colour=CLEAR):
    return [[colour for _ in range(width)] for _ in range(height)]


def band(depth):
    """Frame colour at `depth` pixels in from the outer border."""
    if depth == 0:
        return OUTER
    if depth == 1:
        return LIGHT
    if depth == EDGE - 1:
        return INNER
    if depth == EDGE - 2:
        return DARK
    return BODY


def horizontal_edge(length, top):
    img = canvas(length, EDGE)
    for y in range(EDGE):
        depth = y if top else EDGE - 1 - y
        for x in range(length):
            img[y][x] = band(depth)
    return img


def vertical_edge(length, left):
    img = canvas(EDGE, length)
    for y in range(length):
        for x in range(EDGE):
            img[y][x] = band(x if left else EDGE - 1 - x)
    return img


def corner(left, top):
    img = canvas(EDGE, EDGE)
    for y in range(EDGE):
        for x in range(EDGE):
            dx = x if left else EDGE - 1 - x
            dy = y if top else EDGE - 1 - y
            img[y][x] = band(min(dx, dy))
    # A small rivet on the corner.
    cx = 4 if left else 3
    cy = 4 if top else 3
    img[cy][cx] = LIGHT
    return img


def background():
    top, bottom = (236, 241, 248), (204, 215, 230)
    img = canvas(16, 64)
    for y in range(64):
        t = y / 63
        c = tuple(round(a + (b - a) * t) for a, b in zip(top, bottom)) + (255,)
        for x in range(16):
            img[y][x] = c
    return img


def grip():
    size = EDGE + 8
    img = canvas(size, size)
    # Three diagonal ridges towards the corner, light over dark.
    for ridge in (4, 8, 12):
        for y in range(size):
            for x in range(size):
                d = (size - 1 - x) + (size - 1 - y)
                if d == ridge:
                    img[y][x] = (232, 238, 246, 255)
                elif d == ridge + 1:
                    img[y][x] = OUTER
    return img


def inside(poly, x, y):
    hit = False
    j = len(poly) - 1
    for i in range(len(poly)):
        xi, yi = poly[i]
        xj, yj = poly[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            hit = not hit
        j = i
    return hit


def coverage(polys, width, height, samples=4):
    cov = [[0.0] * width for _ in range(height)]
    for y in range(height):
        for x in range(width):
            n = 0
            for sy in range(samples):
                for sx in range(samples):
                    px = x + (sx + 0.5) / samples
                    py = y + (sy + 0.5) / samples
                    if any(inside(p, px, py) for p in polys):
                        n += 1
            cov[y][x] = n / (samples * samples)
    return cov


def outlined(polys, size, fill, line):
    """White-filled shape with a one-pixel dark outline, on a clear canvas."""
    cov = coverage(polys, size, size)
    img = canvas(size, size)
    for y in range(size):
        for x in range(size):
            ring = max(
                cov[yy][xx]
                for yy in range(max(0, y - 1), min(size, y + 2))
                for xx in range(max(0, x - 1), min(size, x + 2))
            )
            if ring > 0:
                img[y][x] = line[:3] + (round(255 * ring),)
            if cov[y][x] > 0:
                a = cov[y][x]
                img[y][x] = tuple(round(f * a + l * (1 - a)) for f, l in zip(fill[:3], line[:3])) + (255,)
    return img


def arrow_cursor():
    pointer = [(1, 1), (1, 18), (5.5, 14), (8.5, 21), (11, 20), (8, 13), (14, 13)]
    return outlined([pointer], 32, (255, 255, 255, 255), (0, 0, 0, 255))


def diagonal_cursor():
    # A double arrow from top-left to bottom-right around the centre (16, 16).
    shaft = [(11, 13), (13, 11), (21, 19), (19, 21)]
    head_a = [(7, 7), (15, 7), (7, 15)]
    head_b = [(25, 25), (17, 25), (25, 17)]
    return outlined([shaft, head_a, head_b], 32, (255, 255, 255, 255), (0, 0, 0, 255))


def resizing_cursor():
    # The diagonal arrow over a frame corner: the window is being resized.
    img = diagonal_cursor()
    for i in range(4, 28):
        for x, y in ((i, 28), (28, i)):
            img[y][x] = (40, 70, 120, 255)
            img[y + 1][x] = (255, 255, 255, 255)
    return img


def close_button(pressed):
    w, h = 24, 26
    img = canvas(w, h)
    face = (70, 102, 144, 255) if not pressed else (44, 66, 98, 255)
    hi = LIGHT if not pressed else OUTER
    lo = OUTER if not pressed else LIGHT
    for y in range(2, h - 2):
        for x in range(1, w - 1):
            img[y][x] = face
    for x in range(1, w - 1):
        img[2][x] = hi
        img[h - 3][x] = lo
    for y in range(2, h - 2):
        img[y][1] = hi
        img[y][w - 2] = lo
    shift = 1 if pressed else 0
    for i in range(-5, 6):
        for t in (0, 1):
            for x, y in ((12 + i + t - 1, 13 + i), (12 - i + t - 1, 13 + i)):
                img[y + shift][x + shift] = (245, 245, 250, 255)
    return img


def main():
    os.makedirs(CURSORS, exist_ok=True)
    pieces = {
        "background": background(),
        "top_left": corner(True, True),
        "top": horizontal_edge(4, True),
        "top_right": corner(False, True),
        "bottom_left": corner(True, False),
        "bottom": horizontal_edge(4, False),
        "bottom_right": corner(False, False),
        "left": vertical_edge(4, True),
        "right": vertical_edge(4, False),
        "grip": grip(),
        "close_normal": close_button(False),
        "close_pressed": close_button(True),
    }
    for name, img in pieces.items():
        write_png(os.path.join(HERE, name + ".png"), img)
    write_png(os.path.join(CURSORS, "normal.png"), arrow_cursor())
    write_png(os.path.join(CURSORS, "grip.png"), diagonal_cursor())
    write_png(os.path.join(CURSORS, "resizing.png"), resizing_cursor())


if __name__ == "__main__":
    main()
