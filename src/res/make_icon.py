#!/usr/bin/env python3
"""Draws the application icon (16x16 and 32x32, 32-bit colour with alpha) and
writes it as a Windows .ico file: a blue globe with a white "e"-like ring,
watched by an orange magnifying glass. Standard library only, so the build
needs nothing beyond Python itself.

Usage: make_icon.py OUTPUT.ico
"""
import math
import struct
import sys

SUPERSAMPLE = 4


def _blend(dst, src):
    """Paints src (r, g, b, a in 0..1) over dst."""
    sr, sg, sb, sa = src
    dr, dg, db, da = dst
    out_a = sa + da * (1 - sa)
    if out_a == 0:
        return (0.0, 0.0, 0.0, 0.0)
    mix = lambda s, d: (s * sa + d * da * (1 - sa)) / out_a
    return (mix(sr, dr), mix(sg, dg), mix(sb, db), out_a)


def _shade(x, y):
    """Colour of the point (x, y) in the unit square, y growing downwards."""
    colour = (0.0, 0.0, 0.0, 0.0)
    # Globe.
    cx, cy, r = 0.42, 0.42, 0.38
    d = math.hypot(x - cx, y - cy)
    if d <= r:
        light = 1.0 - 0.45 * math.hypot(x - 0.30, y - 0.28) / r
        colour = (0.10 * light, 0.38 * light + 0.05, 0.85 * light + 0.1, 1.0)
        if d >= r - 0.05:
            colour = (0.05, 0.18, 0.45, 1.0)
        # A white ring with a bar: the browser's mark.
        if 0.13 <= d <= 0.22 and not (y > cy + 0.02 and x > cx + 0.02):
            colour = (1.0, 1.0, 1.0, 1.0)
        if abs(y - cy) <= 0.035 and abs(x - cx) <= 0.2:
            colour = (1.0, 1.0, 1.0, 1.0)
    # Magnifying glass: a ring and a handle towards the lower right.
    gx, gy, gr = 0.66, 0.66, 0.17
    dg = math.hypot(x - gx, y - gy)
    if gr - 0.06 <= dg <= gr:
        colour = _blend(colour, (0.98, 0.55, 0.05, 1.0))
    elif dg < gr - 0.06:
        colour = _blend(colour, (1.0, 1.0, 0.85, 0.45))
    # Handle: a thick segment along the diagonal.
    t = ((x - gx) + (y - gy)) / math.sqrt(2)
    off = abs((x - gx) - (y - gy)) / math.sqrt(2)
    if gr - 0.02 <= t <= gr + 0.2 and off <= 0.055:
        colour = _blend(colour, (0.45, 0.25, 0.05, 1.0))
    return colour


def draw(size):
    """Returns size*size RGBA tuples (0..255), top row first."""
    pixels = []
    n = SUPERSAMPLE
    for py in range(size):
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(n):
                for sx in range(n):
                    r, g, b, a = _shade((px + (sx + 0.5) / n) / size, (py + (sy + 0.5) / n) / size)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            alpha = acc[3] / (n * n)
            if acc[3] > 0:
                rgb = [c / acc[3] for c in acc[:3]]
            else:
                rgb = [0.0, 0.0, 0.0]
            pixels.append(tuple(int(round(255 * max(0.0, min(1.0, v)))) for v in rgb + [alpha]))
    return pixels


def dib(size, pixels):
    """The icon image as the .ico format stores it: a BITMAPINFOHEADER of
    double height, bottom-up BGRA rows, then the 1-bit AND mask."""
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = bytearray()
    for row in reversed(range(size)):
        for col in range(size):
            r, g, b, a = pixels[row * size + col]
            xor += bytes((b, g, r, a))
    stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(range(size)):
        bits = bytearray(stride)
        for col in range(size):
            if pixels[row * size + col][3] < 128:
                bits[col // 8] |= 0x80 >> (col % 8)
        mask += bits
    return header + bytes(xor) + bytes(mask)


def main(argv):
    if len(argv) != 2:
        sys.stderr.write(__doc__)
        return 2
    images = [(size, dib(size, draw(size))) for size in (16, 32)]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in images:
        out += data
    with open(argv[1], "wb") as f:
        f.write(out)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
