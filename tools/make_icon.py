#!/usr/bin/env python3
"""Writes the program's icon into assets/: tanglor.svg and tanglor-48.png, -128.png and
-256.png, drawn from the same shapes.

    python3 tools/make_icon.py            (from the repository root)
    python3 tools/make_icon.py OUT_DIR    (somewhere else)

A monkey-orange dot and a banana-yellow dot joined by a lit green walk that bends round
two trees, on a dark-green board of 5 x 5 tiles. The shapes live on a 64-unit square; the
pictures sample each pixel 4 x 4 times for smooth edges. Only the standard library is used
and the output is the same byte for byte on every run.
"""

import math
import os
import struct
import sys
import zlib

TILE = 11.0  # a tile's pitch; tiles are 10 units with a 1-unit gap of board between
ORIGIN = 4.5  # the board's first tile starts here
CORNER = 9.0  # the rounded corner of the board

BOARD = (13, 42, 18)
GROUND = (0, 104, 0)
TREE = (95, 180, 20)
WALK = (90, 255, 90)
MONKEY = (255, 190, 63)
BANANA = (255, 235, 0)
RING = (25, 25, 10)

TREES = [(2, 2), (1, 2), (2, 1)]
WALK_TILES = [(0, 4), (1, 3), (2, 3), (3, 2), (4, 1), (4, 0)]
WALK_WIDTH = 4.5
DOT = 6.5  # the radius of the monkey's and the banana's dots
RING_WIDTH = 1.5


def centre(tile):
    return (ORIGIN + TILE * tile[0] + 5.0, ORIGIN + TILE * tile[1] + 5.0)


def segment_distance(p, a, b):
    ax, ay = p[0] - a[0], p[1] - a[1]
    bx, by = b[0] - a[0], b[1] - a[1]
    t = max(0.0, min(1.0, (ax * bx + ay * by) / (bx * bx + by * by)))
    return math.hypot(ax - t * bx, ay - t * by)


def in_rounded_square(x, y):
    near_x = min(max(x, 2.0 + CORNER), 62.0 - CORNER)
    near_y = min(max(y, 2.0 + CORNER), 62.0 - CORNER)
    return 2.0 <= x <= 62.0 and 2.0 <= y <= 62.0 and math.hypot(x - near_x, y - near_y) <= CORNER


def colour_at(x, y):
    """The colour at a point of the 64-unit square, or None outside the icon."""
    if not in_rounded_square(x, y):
        return None
    colour = BOARD
    column, row = math.floor((x - ORIGIN) / TILE), math.floor((y - ORIGIN) / TILE)
    inside = 0 <= column < 5 and 0 <= row < 5
    if inside and (x - ORIGIN) - column * TILE < 10.0 and (y - ORIGIN) - row * TILE < 10.0:
        colour = GROUND
        if (column, row) in TREES:
            cx, cy = centre((column, row))
            distance = math.hypot(x - cx, y - cy)
            colour = TREE if distance <= 4.0 else GROUND
    points = [centre(t) for t in WALK_TILES]
    if any(segment_distance((x, y), a, b) <= WALK_WIDTH / 2 for a, b in zip(points, points[1:])):
        colour = WALK
    for dot, fill in ((points[0], MONKEY), (points[-1], BANANA)):
        distance = math.hypot(x - dot[0], y - dot[1])
        if distance <= DOT:
            colour = fill if distance <= DOT - RING_WIDTH else RING
    return colour


def png(size):
    """The icon as an RGBA PNG `size` pixels square."""
    scale, samples = 64.0 / size, 4
    rows = []
    for py in range(size):
        row = bytearray([0])  # no filter
        for px in range(size):
            total, covered = [0, 0, 0], 0
            for s in range(samples * samples):
                x = (px + (s % samples + 0.5) / samples) * scale
                y = (py + (s // samples + 0.5) / samples) * scale
                colour = colour_at(x, y)
                if colour is not None:
                    covered += 1
                    total = [t + c for t, c in zip(total, colour)]
            if covered == 0:
                row += bytes(4)
            else:
                row += bytes(round(t / covered) for t in total)
                row.append(round(255 * covered / (samples * samples)))
        rows.append(bytes(row))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(b"".join(rows), 9)) + chunk(b"IEND", b""))


def hex_colour(colour):
    return "#%02x%02x%02x" % colour


def svg():
    """The same shapes as an SVG document."""
    lines = ['<svg xmlns="http://www.w3.org/2000/svg" width="64" height="64" '
             'viewBox="0 0 64 64">',
             f'  <rect x="2" y="2" width="60" height="60" rx="{CORNER:g}" '
             f'fill="{hex_colour(BOARD)}"/>']
    for row in range(5):
        for column in range(5):
            x, y = ORIGIN + TILE * column, ORIGIN + TILE * row
            lines.append(f'  <rect x="{x:g}" y="{y:g}" width="10" height="10" '
                         f'fill="{hex_colour(GROUND)}"/>')
    for tree in TREES:
        cx, cy = centre(tree)
        lines.append(f'  <circle cx="{cx:g}" cy="{cy:g}" r="4" fill="{hex_colour(TREE)}"/>')
    points = " ".join("%g,%g" % centre(t) for t in WALK_TILES)
    lines.append(f'  <polyline points="{points}" fill="none" stroke="{hex_colour(WALK)}" '
                 f'stroke-width="{WALK_WIDTH:g}" stroke-linecap="round" '
                 'stroke-linejoin="round"/>')
    for tile, fill in ((WALK_TILES[0], MONKEY), (WALK_TILES[-1], BANANA)):
        cx, cy = centre(tile)
        lines.append(f'  <circle cx="{cx:g}" cy="{cy:g}" r="{DOT - RING_WIDTH / 2:g}" '
                     f'fill="{hex_colour(fill)}" stroke="{hex_colour(RING)}" '
                     f'stroke-width="{RING_WIDTH:g}"/>')
    lines.append("</svg>")
    return "\n".join(lines) + "\n"


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    directory = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "assets")
    with open(os.path.join(directory, "tanglor.svg"), "w", encoding="ascii") as out:
        out.write(svg())
    for size in (48, 128, 256):
        with open(os.path.join(directory, f"tanglor-{size}.png"), "wb") as out:
            out.write(png(size))


if __name__ == "__main__":
    main()
