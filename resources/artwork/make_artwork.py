#!/usr/bin/env python3
"""Draws the saver's artwork and writes it as bitmaps beside this script.

bar.bmp     612 x 85, 32 bits with alpha: the info bar, a blue band fading out to the right
emblem.bmp  125 x 140, 32 bits with alpha: the coat of arms on a transparent ground
banner.bmp  450 x 65, 24 bits: the settings dialog's banner

The 32-bit bitmaps carry a BITMAPV5HEADER with an alpha mask, the form in
which the alpha of an RT_BITMAP resource survives loading. No pixel is pure
black, so the loaders' black colour key leaves the artwork as drawn.
Run: python3 make_artwork.py [output folder]
"""

import math
import os
import struct
import sys

GOLD = (222, 182, 64)
GOLD_DARK = (160, 118, 30)
AZURE_TOP = (46, 104, 196)
AZURE_BOTTOM = (22, 60, 140)
SILVER = (232, 236, 242)


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def clamp_colour(c):
    # 1 is the floor: pure black would turn transparent under the colour key.
    return tuple(max(1, min(255, int(round(v)))) for v in c)


def write_bmp(path, width, height, pixels, alpha):
    """pixels: rows top to bottom of (r, g, b) or (r, g, b, a)."""
    if alpha:
        header = struct.pack('<IiiHHIIiiII', 124, width, height, 1, 32, 3, width * height * 4, 2835, 2835, 0, 0)
        header += struct.pack('<IIII', 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000)
        header += struct.pack('<I', 0x73524742)  # sRGB
        header += bytes(36) + struct.pack('<III', 0, 0, 0)  # endpoints and gamma (unused for sRGB)
        header += struct.pack('<IIII', 4, 0, 0, 0)  # LCS_GM_IMAGES
        row_bytes = width * 4
    else:
        header = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, 0, 2835, 2835, 0, 0)
        row_bytes = (width * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(pixels):  # bottom-up
        line = bytearray()
        for p in row:
            r, g, b = clamp_colour(p[:3])
            line += bytes((b, g, r))
            if alpha:
                line.append(max(0, min(255, int(round(p[3])))))
        line += bytes(row_bytes - len(line))
        data += line
    offset = 14 + len(header)
    with open(path, 'wb') as out:
        out.write(b'BM' + struct.pack('<IHHI', offset + len(data), 0, 0, offset))
        out.write(header)
        out.write(data)


def supersample(width, height, shade, n=4):
    """Averages n x n samples of shade(x, y) -> (r, g, b, a) or None (transparent)."""
    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(n):
                for sx in range(n):
                    c = shade(x + (sx + 0.5) / n, y + (sy + 0.5) / n)
                    if c is not None:
                        a = c[3] if len(c) > 3 else 255
                        for i in range(3):
                            acc[i] += c[i] * a
                        acc[3] += a
            if acc[3] > 0:
                colour = tuple(acc[i] / acc[3] for i in range(3))
                row.append(colour + (acc[3] / (n * n),))
            else:
                row.append(GOLD_DARK + (0,))  # transparent, but never black
        rows.append(row)
    return rows


# --- the bar -------------------------------------------------------------------------

def bar():
    width, height = 612, 85
    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            if y < 60:
                t = y / 59
                colour = mix((92, 150, 226), (38, 92, 176), t ** 0.8)
                if y < 2:
                    colour = mix(colour, (190, 215, 250), 0.6 if y == 0 else 0.3)
            else:
                t = (y - 60) / 24
                colour = mix((26, 62, 132), (14, 36, 90), t)
                if y == 60:
                    colour = (120, 170, 235)
                elif y == 61:
                    colour = mix(colour, (120, 170, 235), 0.35)
            # Opaque enough to read text on at the left, gone at the right.
            fade = x / (width - 1)
            a = 240 * (1 - fade) ** 1.15
            row.append(colour + (a,))
        rows.append(row)
    return width, height, rows


# --- the emblem ----------------------------------------------------------------------

def shield_inside(x, y, left, top, right, bottom):
    """Heater shield: straight sides to 55 % of its height, then arcs to a point."""
    if y < top or x < left or x > right:
        return False
    w = right - left
    h = bottom - top
    shoulder = top + 0.55 * h
    if y <= shoulder:
        return True
    # Each side is an arc from the shoulder to the point at the bottom centre.
    t = (y - shoulder) / (bottom - shoulder)
    if t > 1:
        return False
    half = (w / 2) * math.sqrt(max(0.0, 1 - t * t))
    cx = left + w / 2
    return abs(x - cx) <= half


def star_inside(x, y, cx, cy, outer, inner, points=5):
    angle = math.atan2(x - cx, -(y - cy))
    r = math.hypot(x - cx, y - cy)
    sector = 2 * math.pi / points
    a = (angle % sector) / sector  # 0 and 1 at a tip, 0.5 at a notch
    # The outline runs straight from tip to notch radius.
    limit = inner + (outer - inner) * abs(a - 0.5) * 2
    return r <= limit


def emblem():
    width, height = 125, 140
    left, top, right, bottom = 6.0, 26.0, 119.0, 138.0
    border = 6.0

    def shade(x, y):
        # Crown: a gold band with three points and a jewel.
        if 16 <= y <= 24 and 30 <= x <= 95:
            return mix(GOLD, GOLD_DARK, (y - 16) / 8) + (255,)
        for cx in (36, 62.5, 89):
            if 2 <= y < 16:
                half = 7 * (y - 2) / 14 + 1.5
                if abs(x - cx) <= half:
                    return mix(GOLD, GOLD_DARK, abs(x - cx) / 9) + (255,)
        if math.hypot(x - 62.5, y - 20) <= 2.6:
            return (196, 40, 52, 255)
        if not shield_inside(x, y, left, top, right, bottom):
            return None
        if not shield_inside(x, y, left + border, top + border, right - border, bottom - border * 1.6):
            # Bordure with a light bevel at the top left.
            light = 0.25 if x < 62 and y < 80 else 0.0
            return mix(GOLD, (255, 240, 190), light) + (255,)
        # Field: azure, with silver waves below and a gold star above.
        t = (y - top) / (bottom - top)
        field = mix(AZURE_TOP, AZURE_BOTTOM, t)
        wave1 = 96 + 3.2 * math.sin((x - left) / 7.0)
        wave2 = 108 + 3.2 * math.sin((x - left) / 7.0 + 1.2)
        if wave1 <= y <= wave1 + 5 or wave2 <= y <= wave2 + 5:
            return SILVER + (255,)
        if star_inside(x, y, 62.5, 64, 24, 10):
            return mix(GOLD, (255, 236, 160), max(0.0, (64 - y) / 30)) + (255,)
        return field + (255,)

    return width, height, supersample(width, height, shade)


# --- the dialog banner -------------------------------------------------------------------

GLYPHS = {
    'Z': ["#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"],
    'E': ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    'M': ["#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"],
    'B': ["####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."],
    'R': ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    'I': ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "#####"],
    'A': [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
}


def banner():
    width, height = 450, 65
    scale, spacing = 5, 2
    text = "ZEMBRIA"
    text_w = len(text) * (5 + spacing) * scale - spacing * scale
    x0, y0 = 150, (height - 7 * scale) // 2

    def letter_at(x, y):
        gx, gy = (x - x0) // scale, (y - y0) // scale
        if gy < 0 or gy >= 7 or gx < 0:
            return False
        index, col = divmod(gx, 5 + spacing)
        if index >= len(text) or col >= 5:
            return False
        return GLYPHS[text[index]][gy][col] == '#'

    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            t = y / (height - 1)
            colour = mix((60, 120, 206), (18, 48, 118), t)
            colour = mix(colour, (110, 165, 235), 0.35 * max(0.0, 1 - abs(x - 90) / 260))
            if y >= height - 4:
                colour = GOLD if y < height - 2 else GOLD_DARK
            if letter_at(x - 3, y - 3) and not letter_at(x, y):
                colour = (10, 28, 70)  # shadow
            if letter_at(x, y):
                colour = mix(SILVER, (200, 210, 226), (y - y0) / (7 * scale))
            row.append(colour)
        rows.append(row)
    assert x0 + text_w < width
    # The emblem, scaled to the banner's height, at the left.
    ew, eh, erows = emblem()
    size = height - 10
    for y in range(size):
        for x in range(int(size * ew / eh)):
            src = erows[min(eh - 1, int(y * eh / size))][min(ew - 1, int(x * eh / size))]
            a = src[3] / 255
            dx, dy = 40 + x, 5 + y
            rows[dy][dx] = mix(rows[dy][dx], src[:3], a)
    return width, height, rows


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    w, h, rows = bar()
    write_bmp(os.path.join(folder, 'bar.bmp'), w, h, rows, alpha=True)
    w, h, rows = emblem()
    write_bmp(os.path.join(folder, 'emblem.bmp'), w, h, rows, alpha=True)
    w, h, rows = banner()
    write_bmp(os.path.join(folder, 'banner.bmp'), w, h, rows, alpha=False)


if __name__ == '__main__':
    main()
