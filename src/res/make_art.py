#!/usr/bin/env python3
"""Draws the program's button icons, status icons, the greeting picture and
the progress window's animation, and writes them into OUTPUT_DIR:

  CheckUpdates.ico Help.ico Settings.ico SendReports.ico   32x32 and 16x16, 32-bit
  Benign.ico Unknown.ico Malware.ico Investigating.ico     16x16 16-colour, 32x32 32-bit
  Close.ico Cancel.ico                                     16x16 and 32x32, 32-bit
  Save.ico Browse.ico Folder.ico Registry.ico ViewText.ico CheckNow.ico   32x32 and 16x16, 32-bit
  Greeting.bmp                                             120x120, 24-bit
  Globe.avi                                                64x48, 24 frames, 8-bit uncompressed

Shapes are signed distances in the unit square (y downwards), painted in
layers with an outline and sampled several times per pixel. Standard library
only, so the build needs nothing beyond Python itself.

Usage: make_art.py OUTPUT_DIR
"""
import math
import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
sys.dont_write_bytecode = True  # nothing written into the source tree
import make_icon  # noqa: E402  (the application's logo, reused on the greeting)

SUPERSAMPLE = 4


# ---------------------------------------------------------------- shapes

def sd_circle(x, y, cx, cy, r):
    return math.hypot(x - cx, y - cy) - r


def _segment_distance(x, y, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length = dx * dx + dy * dy
    t = 0.0 if length == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length))
    return math.hypot(x - (ax + t * dx), y - (ay + t * dy))


def sd_stroke(x, y, points, width):
    """A pen of `width` drawn along the polyline `points`."""
    d = min(_segment_distance(x, y, *points[i], *points[i + 1]) for i in range(len(points) - 1))
    return d - width / 2


def sd_polygon(x, y, points):
    """Signed distance to a closed polygon (negative inside)."""
    d = min(_segment_distance(x, y, *points[i], *points[(i + 1) % len(points)]) for i in range(len(points)))
    inside = False
    j = len(points) - 1
    for i in range(len(points)):
        xi, yi = points[i]
        xj, yj = points[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            inside = not inside
        j = i
    return -d if inside else d


def sd_box(x, y, left, top, right, bottom, radius=0.0):
    cx, cy = (left + right) / 2, (top + bottom) / 2
    hx, hy = (right - left) / 2 - radius, (bottom - top) / 2 - radius
    qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    return outside + min(max(qx, qy), 0.0) - radius


def arc_points(cx, cy, r, start_deg, end_deg, steps=24):
    return [(cx + r * math.cos(math.radians(a)), cy + r * math.sin(math.radians(a)))
            for a in (start_deg + (end_deg - start_deg) * i / steps for i in range(steps + 1))]


def rgb(hex_colour, alpha=1.0):
    return ((hex_colour >> 16 & 255) / 255, (hex_colour >> 8 & 255) / 255, (hex_colour & 255) / 255, alpha)


def blend(dst, src):
    return make_icon._blend(dst, src)


class Layer:
    """A filled shape with an optional outline outside it."""

    def __init__(self, sd, fill, outline=None, width=0.0):
        self.sd, self.fill, self.outline, self.width = sd, fill, outline, width


def paint(layers, x, y):
    colour = (0.0, 0.0, 0.0, 0.0)
    for layer in layers:
        d = layer.sd(x, y)
        if d <= 0:
            fill = layer.fill(x, y) if callable(layer.fill) else layer.fill
            colour = blend(colour, fill)
        elif layer.outline and d <= layer.width:
            colour = blend(colour, layer.outline)
    return colour


def render(layers, size, n=SUPERSAMPLE):
    """size*size RGBA tuples (0..255), top row first."""
    pixels = []
    for py in range(size):
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(n):
                for sx in range(n):
                    r, g, b, a = paint(layers, (px + (sx + 0.5) / n) / size, (py + (sy + 0.5) / n) / size)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            alpha = acc[3] / (n * n)
            col = [c / acc[3] for c in acc[:3]] if acc[3] > 0 else [0.0, 0.0, 0.0]
            pixels.append(tuple(int(round(255 * max(0.0, min(1.0, v)))) for v in col + [alpha]))
    return pixels


# ---------------------------------------------------------------- the pictures

def shaded(base, light):
    """A fill that is lighter towards the upper left."""
    r, g, b, a = rgb(base)
    lr, lg, lb, _ = rgb(light)

    def fill(x, y):
        t = max(0.0, min(1.0, 1.2 - (x + y)))
        return (r + (lr - r) * t, g + (lg - g) * t, b + (lb - b) * t, a)
    return fill


def globe_layers(cx, cy, r):
    land = rgb(0x2E9E3A)

    def fill(x, y):
        # Continents: a few blobs on the sphere's face.
        u, v = (x - cx) / r, (y - cy) / r
        blobs = ((-0.35, -0.3, 0.38), (0.3, 0.25, 0.33), (0.45, -0.45, 0.18), (-0.2, 0.5, 0.2))
        if any(math.hypot(u - bu, v - bv) < br for bu, bv, br in blobs):
            return land
        light = 1.0 - 0.45 * math.hypot(u + 0.35, v + 0.4) / 1.4
        return (0.10 * light, 0.40 * light + 0.05, 0.90 * light + 0.08, 1.0)
    return [Layer(lambda x, y: sd_circle(x, y, cx, cy, r), fill, rgb(0x0B2A66), 0.05)]


def icon_check_updates():
    arrow = [(0.62, 0.48), (0.88, 0.48), (0.88, 0.70), (0.97, 0.70), (0.75, 0.95), (0.53, 0.70), (0.62, 0.70)]
    return globe_layers(0.40, 0.42, 0.36) + [
        Layer(lambda x, y: sd_polygon(x, y, arrow), shaded(0x1E9E2E, 0x8BE88F), rgb(0x0B4A12), 0.05)]


def icon_help():
    question = arc_points(0.5, 0.38, 0.16, 190, 395) + [(0.5, 0.60)]
    return [
        Layer(lambda x, y: sd_circle(x, y, 0.5, 0.5, 0.44), shaded(0x1B55C4, 0x7FB0FF), rgb(0x0B2A66), 0.05),
        Layer(lambda x, y: sd_stroke(x, y, question, 0.13), rgb(0xFFFFFF)),
        Layer(lambda x, y: sd_circle(x, y, 0.5, 0.77, 0.075), rgb(0xFFFFFF)),
    ]


def icon_settings():
    def gear(x, y):
        a = math.atan2(y - 0.5, x - 0.5)
        tooth = max(0.0, min(1.0, (math.cos(8 * a) + 0.15) * 2.5))
        return math.hypot(x - 0.5, y - 0.5) - (0.33 + 0.11 * tooth)
    return [
        Layer(lambda x, y: max(gear(x, y), -sd_circle(x, y, 0.5, 0.5, 0.14)), shaded(0x6F7A86, 0xE2E8EE),
              rgb(0x2B3138), 0.05),
    ]


def icon_send_reports():
    page = [(0.12, 0.06), (0.56, 0.06), (0.72, 0.22), (0.72, 0.94), (0.12, 0.94)]
    lines = [Layer(lambda x, y, ly=ly: sd_stroke(x, y, [(0.22, ly), (0.60, ly)], 0.045), rgb(0x7A8BA6))
             for ly in (0.36, 0.48, 0.60, 0.72)]
    arrow = [(0.50, 0.62), (0.70, 0.42), (0.62, 0.34), (0.95, 0.30), (0.91, 0.63), (0.83, 0.55), (0.63, 0.75)]
    return [
        Layer(lambda x, y: sd_polygon(x, y, page), rgb(0xFFFFFF), rgb(0x3C4A60), 0.045),
        Layer(lambda x, y: sd_polygon(x, y, [(0.56, 0.06), (0.72, 0.22), (0.56, 0.22)]), rgb(0xC9D3E3),
              rgb(0x3C4A60), 0.03),
    ] + lines + [Layer(lambda x, y: sd_polygon(x, y, arrow), shaded(0xE07A10, 0xFFD27F), rgb(0x6B3300), 0.05)]


def icon_close():
    """OK and Close: a white tick on green."""
    tick = [(0.24, 0.52), (0.43, 0.72), (0.78, 0.30)]
    return [
        Layer(lambda x, y: sd_box(x, y, 0.08, 0.08, 0.92, 0.92, 0.18), shaded(0x1E8E2E, 0x8BE88F),
              rgb(0x0B4A12), 0.06),
        Layer(lambda x, y: sd_stroke(x, y, tick, 0.15), rgb(0xFFFFFF)),
    ]


def icon_arrow(forward):
    """The tip of the day's Next and Previous: a white arrow on blue."""
    tip = 0.76 if forward else 0.24
    tail = 0.26 if forward else 0.74
    back = 0.50
    return [
        Layer(lambda x, y: sd_circle(x, y, 0.5, 0.5, 0.42), shaded(0x2750A8, 0x7FA4F0), rgb(0x0F2456), 0.05),
        Layer(lambda x, y: sd_stroke(x, y, [(tail, 0.5), (tip, 0.5)], 0.13), rgb(0xFFFFFF)),
        Layer(lambda x, y: sd_stroke(x, y, [(back, 0.28), (tip, 0.5), (back, 0.72)], 0.13), rgb(0xFFFFFF)),
    ]


def write_bmp(path, layers, size):
    """Layers as a 24-bit bottom-up BMP."""
    pixels = render(layers, size, 2)
    stride = (size * 3 + 3) // 4 * 4
    rows = bytearray()
    for row in reversed(range(size)):
        line = bytearray()
        for col in range(size):
            r, g, b, _ = pixels[row * size + col]
            line += bytes((b, g, r))
        rows += line + bytes(stride - len(line))
    info = struct.pack("<IiiHHIIiiII", 40, size, size, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(rows), 0, 0, 14 + len(info))
    with open(path, "wb") as f:
        f.write(header + info + rows)


def tip_bitmap(path, size=32):
    """The tip of the day's heading: a light bulb on white."""
    return write_bmp(path, [
        Layer(lambda x, y: -1.0, lambda x, y: (1.0, 1.0, 1.0, 1.0)),
        Layer(lambda x, y: sd_box(x, y, 0.38, 0.66, 0.62, 0.90, 0.06), rgb(0x8A8A8A), rgb(0x404040), 0.04),
        Layer(lambda x, y: sd_circle(x, y, 0.5, 0.40, 0.30), shaded(0xF2C21B, 0xFFF3A0), rgb(0x8A6A00), 0.05),
    ], size)


def icon_save():
    body = lambda x, y: sd_box(x, y, 0.10, 0.10, 0.90, 0.90, 0.08)
    return [
        Layer(body, shaded(0x2750A8, 0x7FA4F0), rgb(0x0F2456), 0.05),
        Layer(lambda x, y: sd_box(x, y, 0.26, 0.10, 0.74, 0.40, 0.02), rgb(0xE8ECF2), rgb(0x0F2456), 0.03),
        Layer(lambda x, y: sd_box(x, y, 0.56, 0.15, 0.66, 0.35), rgb(0x0F2456)),
        Layer(lambda x, y: sd_box(x, y, 0.22, 0.56, 0.78, 0.90, 0.03), rgb(0xFFFFFF), rgb(0x0F2456), 0.03),
    ] + [Layer(lambda x, y, ly=ly: sd_stroke(x, y, [(0.30, ly), (0.70, ly)], 0.04), rgb(0x9AA6BA))
         for ly in (0.66, 0.76)]


def icon_browse():
    return globe_layers(0.40, 0.40, 0.34) + [
        Layer(lambda x, y: sd_stroke(x, y, [(0.66, 0.66), (0.92, 0.92)], 0.15), rgb(0x5A3A1A), rgb(0x1E1208), 0.04),
        Layer(lambda x, y: sd_circle(x, y, 0.62, 0.62, 0.20), rgb(0xFFFFFF, 0.55), rgb(0x2B3138), 0.06),
    ]


def icon_folder():
    back = [(0.06, 0.22), (0.38, 0.22), (0.46, 0.32), (0.94, 0.32), (0.94, 0.86), (0.06, 0.86)]
    front = [(0.16, 0.44), (0.99, 0.44), (0.88, 0.86), (0.06, 0.86)]
    return [
        Layer(lambda x, y: sd_polygon(x, y, back), shaded(0xC89212, 0xFFE08A), rgb(0x5E4204), 0.05),
        Layer(lambda x, y: sd_polygon(x, y, front), shaded(0xE8B020, 0xFFF0B0), rgb(0x5E4204), 0.05),
    ]


def icon_registry():
    cubes = ((0.08, 0.50, 0x2E9E3A, 0x9BE8A0), (0.52, 0.50, 0x1B55C4, 0x8FB8FF), (0.30, 0.10, 0xC8281E, 0xFF9A8A))
    return [Layer(lambda x, y, l=l, t=t: sd_box(x, y, l, t, l + 0.40, t + 0.40, 0.05), shaded(c, h),
                  rgb(0x1E2630), 0.05) for l, t, c, h in cubes]


def icon_view_text():
    page = [(0.10, 0.04), (0.58, 0.04), (0.76, 0.22), (0.76, 0.96), (0.10, 0.96)]
    lines = [Layer(lambda x, y, ly=ly: sd_stroke(x, y, [(0.20, ly), (0.64, ly)], 0.045), rgb(0x3C4A60))
             for ly in (0.30, 0.42, 0.54)]
    return [Layer(lambda x, y: sd_polygon(x, y, page), rgb(0xFFFFFF), rgb(0x3C4A60), 0.045)] + lines + [
        Layer(lambda x, y: sd_stroke(x, y, [(0.70, 0.78), (0.94, 0.98)], 0.13), rgb(0x5A3A1A)),
        Layer(lambda x, y: sd_circle(x, y, 0.60, 0.68, 0.18), rgb(0xD8ECFF, 0.85), rgb(0x2B3138), 0.06),
    ]


def icon_check_now():
    ring = arc_points(0.5, 0.5, 0.34, -60, 250)
    head = [(0.80, 0.02), (0.86, 0.36), (0.54, 0.26)]
    return globe_layers(0.5, 0.5, 0.26) + [
        Layer(lambda x, y: sd_stroke(x, y, ring, 0.11), rgb(0x1E9E2E), rgb(0x0B4A12), 0.04),
        Layer(lambda x, y: sd_polygon(x, y, head), rgb(0x1E9E2E), rgb(0x0B4A12), 0.04),
    ]


def icon_cancel():
    """Cancel: a white cross on red."""
    return [
        Layer(lambda x, y: sd_circle(x, y, 0.5, 0.5, 0.42), shaded(0xC8281E, 0xFF8A7A), rgb(0x6A0F0A), 0.06),
        Layer(lambda x, y: sd_stroke(x, y, [(0.30, 0.30), (0.70, 0.70)], 0.14), rgb(0xFFFFFF)),
        Layer(lambda x, y: sd_stroke(x, y, [(0.70, 0.30), (0.30, 0.70)], 0.14), rgb(0xFFFFFF)),
    ]


# Status icons: one shape, a fill and an outline colour from the 16 colours.
def status_benign():
    tick = [(0.14, 0.52), (0.38, 0.76), (0.86, 0.22)]
    return [Layer(lambda x, y: sd_stroke(x, y, tick, 0.17), rgb(0x00C000), rgb(0x006000), 0.07)]


def status_unknown():
    question = arc_points(0.5, 0.32, 0.20, 190, 400) + [(0.5, 0.62)]
    return [
        Layer(lambda x, y: sd_stroke(x, y, question, 0.16), rgb(0x909090), rgb(0x404040), 0.06),
        Layer(lambda x, y: sd_circle(x, y, 0.5, 0.85, 0.09), rgb(0x909090), rgb(0x404040), 0.06),
    ]


def status_malware():
    a, b = 0.18, 0.82
    return [Layer(lambda x, y: min(sd_stroke(x, y, [(a, a), (b, b)], 0.18), sd_stroke(x, y, [(b, a), (a, b)], 0.18)),
                  rgb(0xFF0000), rgb(0x800000), 0.07)]


def status_investigating():
    return [
        Layer(lambda x, y: sd_stroke(x, y, [(0.60, 0.60), (0.88, 0.88)], 0.17), rgb(0x808000), rgb(0x000000), 0.06),
        Layer(lambda x, y: sd_circle(x, y, 0.40, 0.40, 0.30), rgb(0xFFFF00), rgb(0x000000), 0.06),
        Layer(lambda x, y: sd_circle(x, y, 0.40, 0.40, 0.17), rgb(0xFFFFFF, 0.95)),
    ]


# ---------------------------------------------------------------- files

# The standard 16-colour palette of Windows icons.
VGA16 = [0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
         0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF]


def _nearest16(r, g, b):
    return min(range(16), key=lambda i: ((VGA16[i] >> 16 & 255) - r) ** 2 + ((VGA16[i] >> 8 & 255) - g) ** 2 +
               ((VGA16[i] & 255) - b) ** 2)


def _mask(size, opaque):
    stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(range(size)):
        bits = bytearray(stride)
        for col in range(size):
            if not opaque(row * size + col):
                bits[col // 8] |= 0x80 >> (col % 8)
        mask += bits
    return bytes(mask)


def dib16(size, pixels):
    """A 4-bit icon image: each opaque pixel takes the nearest of the 16 colours."""
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", c & 255, c >> 8 & 255, c >> 16 & 255, 0) for c in VGA16)
    opaque = lambda i: pixels[i][3] >= 128
    xor = bytearray()
    for row in reversed(range(size)):
        line = bytearray()
        for col in range(0, size, 2):
            pair = []
            for c in (col, col + 1):
                i = row * size + c
                pair.append(_nearest16(*pixels[i][:3]) if opaque(i) else 0)
            line.append(pair[0] << 4 | pair[1])
        line += bytes((-len(line)) % 4)
        xor += line
    return header + palette + bytes(xor) + _mask(size, opaque)


def write_ico(path, images):
    """images: (size, colours, dib bytes); colours 16 or 0 (true colour)."""
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, colours, data in images:
        bits = 4 if colours == 16 else 32
        out += struct.pack("<BBBBHHII", size, size, colours, 0, 1, bits, len(data), offset)
        offset += len(data)
    for _, _, data in images:
        out += data
    with open(path, "wb") as f:
        f.write(out)


def true_colour_icon(path, layers, sizes=(16, 32)):
    write_ico(path, [(s, 0, make_icon.dib(s, render(layers, s))) for s in sizes])


def status_icon(path, layers):
    # The grid's image list is 16-colour: its small image is drawn in those
    # colours with a hard edge, so it looks the same there as anywhere.
    write_ico(path, [(16, 16, dib16(16, render(layers, 16, 6))), (32, 0, make_icon.dib(32, render(layers, 32)))])


def greeting_bitmap(path, size=120):
    """The logo on a shield over a sky gradient, as a 24-bit bottom-up BMP."""
    top, bottom = rgb(0x6FA8E8), rgb(0xFFFFFF)
    shield = ([(0.18, 0.14), (0.50, 0.06), (0.82, 0.14)] +
              [(0.82 - 0.32 * (1 - math.cos(t * math.pi / 2)), 0.14 + 0.80 * math.sin(t * math.pi / 2))
               for t in (i / 12 for i in range(1, 13))] +
              [(0.18 + 0.32 * (1 - math.cos(t * math.pi / 2)), 0.14 + 0.80 * math.sin(t * math.pi / 2))
               for t in (i / 12 for i in range(12, 0, -1))])
    shadow = [(x + 0.025, y + 0.03) for x, y in shield]

    def sky(x, y):
        return tuple(top[i] + (bottom[i] - top[i]) * y for i in range(3)) + (1.0,)

    def logo(x, y):
        # The application icon, scaled into the shield.
        u, v = (x - 0.22) / 0.56, (y - 0.22) / 0.56
        if 0 <= u <= 1 and 0 <= v <= 1:
            return make_icon._shade(u, v)
        return (0.0, 0.0, 0.0, 0.0)

    layers = [
        Layer(lambda x, y: -1.0, sky),
        Layer(lambda x, y: sd_polygon(x, y, shadow), rgb(0x1B3050, 0.35)),
        Layer(lambda x, y: sd_polygon(x, y, shield), shaded(0xDCE6F5, 0xFFFFFF), rgb(0xC89B2C), 0.035),
        Layer(lambda x, y: sd_polygon(x, y, shield) + 0.035, lambda x, y: (0, 0, 0, 0), rgb(0x1B3A78), 0.012),
        Layer(lambda x, y: -1.0, logo),
    ]
    pixels = render(layers, size, 2)
    stride = (size * 3 + 3) // 4 * 4
    rows = bytearray()
    for row in reversed(range(size)):
        line = bytearray()
        for col in range(size):
            r, g, b, _ = pixels[row * size + col]
            line += bytes((b, g, r))
        rows += line + bytes(stride - len(line))
    info = struct.pack("<IiiHHIIiiII", 40, size, size, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(rows), 0, 0, 14 + len(info))
    with open(path, "wb") as f:
        f.write(header + info + rows)


# ---------------------------------------------------------------- animation

AVI_WIDTH, AVI_HEIGHT, AVI_FRAMES = 64, 48, 24
BACKGROUND = (255, 248, 220)  # the progress window's own colour, so no transparency is needed
SHADES = 40


def avi_palette():
    """0 background, 1.. ocean shades, then land shades, outline, satellite, highlight."""
    palette = [BACKGROUND]
    palette += [(int(10 + 30 * t), int(50 + 110 * t), int(120 + 125 * t)) for t in (i / (SHADES - 1) for i in range(SHADES))]
    palette += [(int(20 + 70 * t), int(90 + 120 * t), int(25 + 60 * t)) for t in (i / (SHADES - 1) for i in range(SHADES))]
    palette += [(11, 42, 102), (235, 120, 20), (255, 215, 140)]
    palette += [(0, 0, 0)] * (256 - len(palette))
    return palette


OCEAN, LAND, OUTLINE, SATELLITE, SAT_LIGHT = 1, 1 + SHADES, 1 + 2 * SHADES, 2 + 2 * SHADES, 3 + 2 * SHADES


def is_land(lon, lat):
    value = (math.sin(2 * lon) * math.cos(3 * lat) + 0.6 * math.sin(3 * lon + 1.3) * math.sin(2 * lat + 0.4) +
             0.4 * math.cos(5 * lon - 0.7 + 2 * lat))
    return value > 0.35


def globe_frame(frame):
    cx, cy, r = 32.0, 24.0, 18.5
    phase = 2 * math.pi * frame / AVI_FRAMES
    # A satellite on a tilted orbit: behind the globe for part of its way.
    angle = -2 * math.pi * frame / AVI_FRAMES * 2
    sx, sy, sz = cx + 27 * math.cos(angle), cy + 9 * math.sin(angle) - 4 * math.cos(angle), math.sin(angle)
    pixels = bytearray()
    for py in range(AVI_HEIGHT - 1, -1, -1):  # bottom-up rows
        for px in range(AVI_WIDTH):
            x, y = px + 0.5, py + 0.5
            index = 0
            d = math.hypot(x - cx, y - cy)
            if d <= r:
                nx, ny = (x - cx) / r, (y - cy) / r
                nz = math.sqrt(max(0.0, 1 - nx * nx - ny * ny))
                lat = math.asin(-ny)
                lon = math.atan2(nx, nz) + phase
                light = max(0.0, min(1.0, 0.25 + 0.75 * (-0.45 * nx - 0.55 * ny + 0.70 * nz)))
                shade = int(light * (SHADES - 1))
                index = (LAND if is_land(lon, lat) else OCEAN) + shade
                if d > r - 1.2:
                    index = OUTLINE
            ds = math.hypot(x - sx, y - sy)
            if ds <= 3.2 and (sz > 0 or d > r):
                index = SAT_LIGHT if math.hypot(x - sx + 1, y - sy + 1) < 1.4 else SATELLITE
            pixels.append(index)
    return bytes(pixels)


def _chunk(fourcc, data):
    return fourcc + struct.pack("<I", len(data)) + data + (b"\0" if len(data) % 2 else b"")


def _list(kind, data):
    return _chunk(b"LIST", kind + data)


def write_avi(path):
    """An uncompressed 8-bit AVI with one video stream, as the animation control plays it."""
    frames = [globe_frame(i) for i in range(AVI_FRAMES)]
    frame_size = len(frames[0])
    usec = 80000
    avih = struct.pack("<10I4I", usec, frame_size * 1000000 // usec, 0, 0x10, AVI_FRAMES, 0, 1, frame_size,
                       AVI_WIDTH, AVI_HEIGHT, 0, 0, 0, 0)
    strh = struct.pack("<4s4sIHHIIIIIIIIhhhh", b"vids", b"DIB ", 0, 0, 0, 0, usec, 1000000, 0, AVI_FRAMES,
                       frame_size, 0xFFFFFFFF, 0, 0, 0, AVI_WIDTH, AVI_HEIGHT)
    palette = avi_palette()
    strf = struct.pack("<IiiHHIIiiII", 40, AVI_WIDTH, AVI_HEIGHT, 1, 8, 0, frame_size, 0, 0, 256, 0)
    strf += b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    hdrl = _list(b"hdrl", _chunk(b"avih", avih) + _list(b"strl", _chunk(b"strh", strh) + _chunk(b"strf", strf)))
    movi_data = bytearray()
    index = bytearray()
    for frame in frames:
        index += struct.pack("<4sIII", b"00db", 0x10, 4 + len(movi_data), len(frame))  # key frames
        movi_data += _chunk(b"00db", frame)
    body = b"AVI " + hdrl + _list(b"movi", bytes(movi_data)) + _chunk(b"idx1", bytes(index))
    with open(path, "wb") as f:
        f.write(b"RIFF" + struct.pack("<I", len(body)) + body)


def main(argv):
    if len(argv) != 2:
        sys.stderr.write(__doc__)
        return 2
    out = argv[1]
    os.makedirs(out, exist_ok=True)
    for name, layers in (("CheckUpdates", icon_check_updates()), ("Help", icon_help()),
                         ("Settings", icon_settings()), ("SendReports", icon_send_reports()),
                         ("Close", icon_close()), ("Save", icon_save()), ("Browse", icon_browse()),
                         ("Folder", icon_folder()), ("Registry", icon_registry()), ("ViewText", icon_view_text()),
                         ("CheckNow", icon_check_now()), ("Cancel", icon_cancel()),
                         ("TipNext", icon_arrow(True)), ("TipPrevious", icon_arrow(False))):
        true_colour_icon(os.path.join(out, name + ".ico"), layers)
    for name, layers in (("Benign", status_benign()), ("Unknown", status_unknown()),
                         ("Malware", status_malware()), ("Investigating", status_investigating())):
        status_icon(os.path.join(out, name + ".ico"), layers)
    greeting_bitmap(os.path.join(out, "Greeting.bmp"))
    tip_bitmap(os.path.join(out, "Tip.bmp"))
    write_avi(os.path.join(out, "Globe.avi"))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
