#!/usr/bin/env python3
"""Draws every picture the program embeds and writes them as Windows files.

    python3 assets/make_assets.py           write the pictures next to this script
    python3 assets/make_assets.py --check   verify the committed pictures are
                                            byte-identical to what this draws

Only the standard library is used. The drawing uses nothing but +, -, *, /
and math.sqrt on doubles (all correctly rounded in IEEE arithmetic) and a seeded
integer hash for texture, so every machine produces the same bytes.

Pictures (sizes are fixed by the windows that use them):
  converter.ico   main icon: the 32x32 4-bpp image with an AND mask (744 bytes),
                  then the same drawing at 16, 20, 24, 32, 40, 48 and 64 pixels in
                  32-bit colour with alpha and at 256 pixels as a PNG, so that
                  the title bar, the task bar and Alt+Tab get a sharp size at
                  every display scale
  bitmap_a.bmp    160x160, 8 bpp: tiled under the main window and both unit lists;
                  dark enough for white and yellow text, seamless when tiled
  picture_p.bmp   163x153, 24 bpp: About box picture (shown stretched to 73x73)
  picture_f.bmp   420x351, 24 bpp: About box background (navy texts on light
                  sky; the white labels at y 223-253 sit on a dark panel)
  picture_w.bmp   128x60, 4 bpp: face of the About box's OK button (navy text)
"""

import math
import os
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
PELS_PER_METRE = 2835  # 72 dpi, what paint programs write

# ---------------------------------------------------------------- arithmetic


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def lerp(a, b, t):
    return a + (b - a) * t


def mix(c1, c2, t):
    return (lerp(c1[0], c2[0], t), lerp(c1[1], c2[1], t), lerp(c1[2], c2[2], t))


def sq(v):
    return v * v


def hypot(a, b):
    # Not math.hypot: its rounding is not pinned down across versions.
    return math.sqrt(a * a + b * b)


def smooth(t):
    t = clamp(t)
    return t * t * (3.0 - 2.0 * t)


def ramp(stops, t):
    """Colour at t in [0, 1] along (position, colour) stops."""
    t = clamp(t)
    for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
        if t <= p1:
            return mix(c0, c1, (t - p0) / (p1 - p0) if p1 > p0 else 0.0)
    return stops[-1][1]


def hash01(ix, iy, seed):
    """Deterministic lattice value in [0, 1)."""
    h = (ix * 374761393 + iy * 668265263 + seed * 2147483647) & 0xFFFFFFFF
    h = ((h ^ (h >> 13)) * 1274126177) & 0xFFFFFFFF
    h ^= h >> 16
    return (h & 0xFFFFFF) / float(1 << 24)


def value_noise(x, y, cells_x, cells_y, size_x, size_y, seed):
    """Smooth noise that repeats every cells_x*size_x by cells_y*size_y pixels."""
    fx, fy = x / size_x, y / size_y
    ix, iy = int(fx // 1), int(fy // 1)
    tx, ty = smooth(fx - ix), smooth(fy - iy)
    x0, x1 = ix % cells_x, (ix + 1) % cells_x
    y0, y1 = iy % cells_y, (iy + 1) % cells_y
    a = lerp(hash01(x0, y0, seed), hash01(x1, y0, seed), tx)
    b = lerp(hash01(x0, y1, seed), hash01(x1, y1, seed), tx)
    return lerp(a, b, ty)


def wave(u, period):
    """Sine-like periodic wave in [0, 1] built from a smoothed triangle."""
    f = (u / period) % 1.0
    tri = 2.0 * f if f < 0.5 else 2.0 - 2.0 * f
    return smooth(tri)


def coverage(d):
    """Pixel coverage of a shape from its signed distance (one-pixel ramp)."""
    return clamp(0.5 - d)


# ---------------------------------------------------------- signed distances


def sd_circle(px, py, cx, cy, r):
    return hypot(px - cx, py - cy) - r


def sd_box(px, py, cx, cy, hw, hh, r=0.0):
    """Rounded box centred at (cx, cy) with half sizes hw, hh and corner radius r."""
    qx = abs(px - cx) - hw + r
    qy = abs(py - cy) - hh + r
    outside = hypot(max(qx, 0.0), max(qy, 0.0))
    return outside + min(max(qx, qy), 0.0) - r


def sd_segment(px, py, ax, ay, bx, by, r):
    """Capsule of radius r around the segment a-b."""
    pax, pay, bax, bay = px - ax, py - ay, bx - ax, by - ay
    h = clamp((pax * bax + pay * bay) / (bax * bax + bay * bay))
    return hypot(pax - bax * h, pay - bay * h) - r


def sd_polygon(px, py, pts):
    """Exact signed distance to a simple polygon."""
    d = sq(px - pts[0][0]) + sq(py - pts[0][1])
    s = 1.0
    n = len(pts)
    j = n - 1
    for i in range(n):
        ex, ey = pts[j][0] - pts[i][0], pts[j][1] - pts[i][1]
        wx, wy = px - pts[i][0], py - pts[i][1]
        h = clamp((wx * ex + wy * ey) / (ex * ex + ey * ey))
        bx, by = wx - ex * h, wy - ey * h
        d = min(d, bx * bx + by * by)
        c1 = py >= pts[i][1]
        c2 = py < pts[j][1]
        c3 = ex * wy > ey * wx
        if (c1 and c2 and c3) or (not c1 and not c2 and not c3):
            s = -s
        j = i
    return s * math.sqrt(d)


def arrow(px, py, x_tail, x_tip, y, shaft_half, head_half, head_len):
    """Horizontal arrow from x_tail to x_tip (either direction)."""
    sign = 1.0 if x_tip > x_tail else -1.0
    x_base = x_tip - sign * head_len
    shaft = sd_box(px, py, (x_tail + x_base) / 2.0, y,
                   abs(x_base - x_tail) / 2.0 + 0.5, shaft_half, 0.0)
    head = sd_polygon(px, py, [(x_base, y - head_half), (x_tip, y),
                               (x_base, y + head_half)])
    return min(shaft, head)


# -------------------------------------------------------------------- canvas


class Canvas:
    """RGB image of doubles in [0, 255], top row first."""

    def __init__(self, w, h, fill):
        self.w, self.h = w, h
        self.px = [[tuple(fill) for _ in range(w)] for _ in range(h)]

    def shade(self, fn):
        for y in range(self.h):
            row = self.px[y]
            for x in range(self.w):
                row[x] = fn(x + 0.5, y + 0.5, row[x])

    def draw(self, sdf, colour, box=None, opacity=1.0, samples=1):
        """Blends colour (a tuple, or fn(x, y) -> tuple) where sdf < 0.

        samples > 1 supersamples each pixel (samples x samples) instead of
        using the distance ramp; for tiny pictures whose edges must be crisp.
        """
        x0, y0, x1, y1 = box if box else (0, 0, self.w, self.h)
        x0, y0 = max(0, int(x0)), max(0, int(y0))
        x1, y1 = min(self.w, int(x1) + 1), min(self.h, int(y1) + 1)
        for y in range(y0, y1):
            row = self.px[y]
            for x in range(x0, x1):
                if samples == 1:
                    a = coverage(sdf(x + 0.5, y + 0.5))
                else:
                    hits = 0
                    for sy in range(samples):
                        for sx in range(samples):
                            if sdf(x + (sx + 0.5) / samples, y + (sy + 0.5) / samples) < 0:
                                hits += 1
                    a = hits / float(samples * samples)
                a *= opacity
                if a > 0.0:
                    c = colour(x + 0.5, y + 0.5) if callable(colour) else colour
                    row[x] = mix(row[x], c, a)

    def rgb_bytes(self):
        """Rows of clamped 8-bit (r, g, b), top row first."""
        return [[tuple(int(clamp(v, 0.0, 255.0) + 0.5) for v in p) for p in row]
                for row in self.px]


# ------------------------------------------------------------------ encoders


def info_header(w, h, bpp, image_size, colours, pels=PELS_PER_METRE):
    return struct.pack('<IiiHHIIiiII', 40, w, h, 1, bpp, 0, image_size,
                       pels, pels, colours, 0)


def row_stride(w, bpp):
    return ((w * bpp + 31) // 32) * 4


def pack_indexed_rows(indices, w, bpp):
    """Indexed pixel rows (top first) -> bottom-up padded bytes."""
    stride = row_stride(w, bpp)
    out = bytearray()
    for row in reversed(indices):
        line = bytearray()
        if bpp == 8:
            line.extend(row)
        elif bpp == 4:
            for i in range(0, w, 2):
                hi = row[i]
                lo = row[i + 1] if i + 1 < w else 0
                line.append((hi << 4) | lo)
        elif bpp == 1:
            for i in range(0, w, 8):
                b = 0
                for k in range(8):
                    if i + k < w and row[i + k]:
                        b |= 0x80 >> k
                line.append(b)
        line.extend(b'\0' * (stride - len(line)))
        out.extend(line)
    return bytes(out)


def palette_bytes(palette, count):
    out = bytearray()
    for r, g, b in palette:
        out.extend((b, g, r, 0))
    out.extend(b'\0' * (4 * (count - len(palette))))
    return bytes(out)


def file_header(total, offset):
    return b'BM' + struct.pack('<IHHI', total, 0, 0, offset)


def bmp24(canvas):
    w, h = canvas.w, canvas.h
    stride = row_stride(w, 24)
    pixels = bytearray()
    for row in reversed(canvas.rgb_bytes()):
        line = bytearray()
        for r, g, b in row:
            line.extend((b, g, r))
        line.extend(b'\0' * (stride - len(line)))
        pixels.extend(line)
    offset = 14 + 40
    return (file_header(offset + len(pixels), offset)
            + info_header(w, h, 24, len(pixels), 0) + bytes(pixels))


def bmp_indexed(indices, w, h, bpp, palette):
    count = 1 << bpp
    pixels = pack_indexed_rows(indices, w, bpp)
    offset = 14 + 40 + 4 * count
    return (file_header(offset + len(pixels), offset)
            + info_header(w, h, bpp, len(pixels), count)
            + palette_bytes(palette, count) + pixels)


def ico_4bpp_image(indices, mask, palette):
    """One 32x32 16-colour image; mask rows hold 1 where the icon is transparent."""
    w = h = 32
    xor = pack_indexed_rows(indices, w, 4)
    andm = pack_indexed_rows(mask, w, 1)
    # Icon images carry the doubled height (XOR over AND) and no resolution.
    return (info_header(w, 2 * h, 4, len(xor) + len(andm), 0, pels=0)
            + palette_bytes(palette, 16) + xor + andm)


def ico_32bpp_image(rgba, size):
    """A size x size image of (r, g, b, a) rows, top first: 32-bit colour with
    alpha and an AND mask set where the pixel is wholly transparent."""
    xor = bytearray()
    for row in reversed(rgba):
        for r, g, b, a in row:
            xor.extend((b, g, r, a))
    andm = pack_indexed_rows([[1 if p[3] == 0 else 0 for p in row] for row in rgba], size, 1)
    return (info_header(size, 2 * size, 32, len(xor) + len(andm), 0, pels=0)
            + bytes(xor) + andm)


def png(rgba, size):
    """The image as a PNG file (8-bit RGBA, no interlace)."""
    raw = bytearray()
    for row in rgba:
        raw.append(0)  # no filter
        for p in row:
            raw.extend(p)

    def chunk(kind, data):
        return (struct.pack('>I', len(data)) + kind + data
                + struct.pack('>I', zlib.crc32(kind + data) & 0xFFFFFFFF))

    return (b'\x89PNG\r\n\x1a\n'
            + chunk(b'IHDR', struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0))
            + chunk(b'IDAT', zlib.compress(bytes(raw), 9))
            + chunk(b'IEND', b''))


def ico(images):
    """An icon file of (size, bits per pixel, colours, image bytes) entries;
    a 256-pixel entry is written as size 0, as the format asks."""
    header = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries, data = b'', b''
    for size, bpp, colours, image in images:
        side = 0 if size == 256 else size
        entries += struct.pack('<BBBBHHII', side, side, colours, 0, 1, bpp, len(image), offset + len(data))
        data += image
    return header + entries + data


def nearest(palette, c):
    best, best_d = 0, None
    for i, p in enumerate(palette):
        # Weighted by how the eye sees each channel.
        d = 3 * sq(p[0] - c[0]) + 6 * sq(p[1] - c[1]) + sq(p[2] - c[2])
        if best_d is None or d < best_d:
            best, best_d = i, d
    return best


# ------------------------------------------------------------------ pictures


ICON_PALETTE = [
    (0, 0, 0), (8, 22, 70), (18, 44, 118), (30, 70, 160),
    (44, 98, 200), (80, 136, 226), (150, 186, 240), (255, 255, 255),
    (196, 202, 214), (120, 128, 146), (255, 226, 60), (226, 176, 24),
    (160, 116, 10), (255, 246, 176), (4, 12, 40), (236, 120, 24),
]
ICON_SIZES = [16, 20, 24, 32, 40, 48, 64, 256]


def icon_tile(x, y):
    return sd_box(x, y, 16, 16, 14.5, 14.5, 6)


def draw_icon(size, background):
    """Two opposed arrows on a blue tile: a value goes one way, the result
    comes back. Drawn on a 32-unit grid, at size x size pixels."""
    f = 32.0 / size
    at = lambda fn: (lambda x, y: fn(x * f, y * f))
    c = Canvas(size, size, background)
    body = lambda x, y: ramp([(0.0, (60, 120, 220)), (0.5, (30, 72, 164)),
                              (1.0, (10, 28, 84))], (y - 2) / 28.0)
    c.draw(at(icon_tile), (4, 12, 40), samples=4)
    c.draw(at(lambda x, y: icon_tile(x, y) + 1.0), at(body), samples=4)
    top = lambda x, y: arrow(x, y, 6, 26, 11, 2.0, 5.5, 7)
    bottom = lambda x, y: arrow(x, y, 26, 6, 21, 2.0, 5.5, 7)
    c.draw(at(lambda x, y: top(x + 1, y - 1) - 0.5), (4, 12, 40), samples=4, opacity=0.8)
    c.draw(at(lambda x, y: bottom(x + 1, y - 1) - 0.5), (4, 12, 40), samples=4, opacity=0.8)
    c.draw(at(top), (255, 255, 255), samples=4)
    c.draw(at(bottom), at(lambda x, y: mix((255, 240, 120), (226, 170, 20), (y - 15) / 12.0)), samples=4)
    return c


def icon_16_colours():
    """The 32x32 16-colour image, the icon as first designed."""
    rgb = draw_icon(32, (0, 0, 0)).rgb_bytes()
    indices, mask = [], []
    for y in range(32):
        row, mrow = [], []
        for x in range(32):
            inside = icon_tile(x + 0.5, y + 0.5) < 0.0
            row.append(nearest(ICON_PALETTE, rgb[y][x]) if inside else 0)
            mrow.append(0 if inside else 1)
        indices.append(row)
        mask.append(mrow)
    return ico_4bpp_image(indices, mask, ICON_PALETTE)


def icon_rgba(size):
    """The drawing with the tile's coverage as alpha; the colours are drawn
    over the tile's own edge colour, so edge pixels are not darkened."""
    rgb = draw_icon(size, (4, 12, 40)).rgb_bytes()
    f = 32.0 / size
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            hits = sum(1 for sy in range(4) for sx in range(4)
                       if icon_tile((x + (sx + 0.5) / 4) * f, (y + (sy + 0.5) / 4) * f) < 0.0)
            alpha = (hits * 255 + 8) // 16
            row.append(rgb[y][x] + (alpha,) if alpha else (0, 0, 0, 0))
        rows.append(row)
    return rows


def make_icon():
    images = [(32, 4, 16, icon_16_colours())]
    for size in ICON_SIZES:
        rgba = icon_rgba(size)
        image = png(rgba, size) if size == 256 else ico_32bpp_image(rgba, size)
        images.append((size, 32, 0, image))
    return ico(images)


def make_bitmap_a():
    """Deep blue-teal weave, low contrast, seamless every 160 pixels."""
    size = 160
    seed = 1701
    values = []
    for y in range(size):
        row = []
        for x in range(size):
            n = (0.50 * value_noise(x, y, 8, 8, 20.0, 20.0, seed)
                 + 0.30 * value_noise(x, y, 16, 16, 10.0, 10.0, seed + 1)
                 + 0.20 * value_noise(x, y, 32, 32, 5.0, 5.0, seed + 2))
            # Two diagonal ripples; periods divide 160 so tiles meet.
            d1 = wave(x + y, 40.0)
            d2 = wave(x - y + 160, 32.0)
            fine = value_noise(x, y, 80, 80, 2.0, 2.0, seed + 3)
            row.append(0.55 * n + 0.18 * d1 + 0.14 * d2 + 0.13 * fine)
        values.append(row)
    lo = min(min(r) for r in values)
    hi = max(max(r) for r in values)
    stops = [(0.0, (6, 16, 42)), (0.45, (14, 42, 84)), (0.8, (22, 70, 108)),
             (1.0, (34, 92, 126))]
    palette = [tuple(int(v + 0.5) for v in ramp(stops, i / 255.0)) for i in range(256)]
    indices = [[int((v - lo) / (hi - lo) * 255.0 + 0.5) for v in row] for row in values]
    return bmp_indexed(indices, size, size, 8, palette)


def make_picture_p():
    """A gold balance in a blue medallion: measuring and comparing quantities."""
    w, h = 163, 153
    cx, cy = 81.5, 76.5
    c = Canvas(w, h, (0, 0, 0))
    c.shade(lambda x, y, _: mix((236, 244, 252), (168, 198, 234),
                                clamp(hypot((x - cx) / w, (y - cy) / h) * 1.6)))
    medal_r = 72.0
    c.draw(lambda x, y: sd_circle(x, y, cx + 3, cy + 3, medal_r), (60, 80, 120), opacity=0.35)
    c.draw(lambda x, y: sd_circle(x, y, cx, cy, medal_r),
           lambda x, y: ramp([(0.0, (250, 226, 120)), (0.5, (214, 160, 30)),
                              (1.0, (140, 96, 10))], (y - 4) / 146.0))
    c.draw(lambda x, y: sd_circle(x, y, cx, cy, medal_r - 6),
           lambda x, y: ramp([(0.0, (58, 112, 206)), (0.55, (24, 58, 140)),
                              (1.0, (10, 26, 76))], (y - 10) / 134.0))
    # A faint highlight on the upper half of the face.
    c.draw(lambda x, y: max(sd_circle(x, y, cx, cy, medal_r - 10),
                            sd_circle(x, y, cx, cy - 70, 90)), (255, 255, 255), opacity=0.12)

    gold = lambda x, y: ramp([(0.0, (255, 244, 170)), (0.5, (240, 196, 60)),
                              (1.0, (190, 132, 20))], (y - 30) / 95.0)
    shadow = (4, 12, 40)
    beam_y = 44.0
    lx, rx = 40.0, 123.0
    pan_y = 84.0
    parts = [
        lambda x, y: sd_segment(x, y, cx, 34, cx, 104, 3.5),            # post
        lambda x, y: sd_polygon(x, y, [(cx - 26, 116), (cx - 14, 102),   # foot
                                       (cx + 14, 102), (cx + 26, 116)]),
        lambda x, y: sd_segment(x, y, lx, beam_y, rx, beam_y, 3.0),     # beam
        lambda x, y: sd_circle(x, y, cx, beam_y, 7.0),                   # pivot
        lambda x, y: sd_circle(x, y, cx, 29.0, 4.5),                     # finial
    ]
    for px in (lx, rx):
        parts.append(lambda x, y, px=px: sd_segment(x, y, px, beam_y, px - 17, pan_y, 1.4))
        parts.append(lambda x, y, px=px: sd_segment(x, y, px, beam_y, px + 17, pan_y, 1.4))
        # Pan: the lower half of a flattened disc.
        parts.append(lambda x, y, px=px: max(
            sd_box(x, y, px, pan_y - 1, 22, 12, 11.5), pan_y - 1.5 - y))
    for part in parts:
        c.draw(lambda x, y, p=part: p(x - 2, y - 2), shadow, opacity=0.45)
    for part in parts:
        c.draw(part, gold)
    # Double arrow under the balance: one unit into another.
    c.draw(lambda x, y: arrow(x, y, 54, 109, 129, 2.5, 7.0, 10.0) if x >= cx else
           arrow(x, y, 109, 54, 129, 2.5, 7.0, 10.0), (255, 255, 255))
    return bmp24(c)


def make_picture_f():
    """About box background: light sky, with a dark panel under the white labels."""
    w, h = 420, 351
    seed = 4242
    sky = [(0.0, (172, 204, 240)), (0.55, (222, 236, 250)), (1.0, (236, 244, 253))]
    low = [(0.0, (232, 241, 252)), (1.0, (190, 214, 242))]

    def background(x, y, _):
        if y < 236:
            base = ramp(sky, y / 200.0)
        else:
            base = ramp(low, (y - 270) / 80.0)
        cloud = (0.6 * value_noise(x, y, 7, 9, 60.0, 39.0, seed)
                 + 0.4 * value_noise(x, y, 14, 18, 30.0, 19.5, seed + 1))
        lift = smooth((cloud - 0.45) / 0.4) * 18.0
        return tuple(min(255.0, v + lift) for v in base)

    c = Canvas(w, h, (0, 0, 0))
    c.shade(background)
    # Faint rings behind the picture and the title, a measuring motif.
    for r in (120.0, 150.0, 180.0):
        c.draw(lambda x, y, r=r: abs(sd_circle(x, y, 52, 52, r)) - 1.5,
               (255, 255, 255), opacity=0.35)
    # Panel for the operating-system and memory lines (white text, y 223-253).
    panel = lambda x, y: sd_box(x, y, 209.5, 236.0, 194.0, 31.0, 10.0)
    c.draw(lambda x, y: panel(x - 3, y - 3) - 1.0, (70, 90, 130), opacity=0.35)
    c.draw(panel, (224, 236, 250))
    c.draw(lambda x, y: panel(x, y) + 1.5,
           lambda x, y: ramp([(0.0, (34, 66, 124)), (1.0, (12, 30, 74))], (y - 206) / 60.0))
    return bmp24(c)


def make_picture_w():
    """OK button face: a light silver-blue gradient, ordered dither over 16 shades."""
    w, h = 128, 60
    top, bottom = (246, 250, 255), (116, 154, 212)
    palette = [tuple(int(v + 0.5) for v in mix(top, bottom, i / 15.0)) for i in range(16)]
    bayer = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]
    indices = []
    for y in range(h):
        # Glossy face: a bright upper band, then a steady fall to the bottom.
        t = 0.2 * y / 13.0 if y < 14 else 0.42 + 0.58 * (y - 14) / 45.0
        row = []
        for x in range(w):
            ripple = 0.03 * (wave(x + 2 * y, 32.0) - 0.5)
            v = clamp(t + ripple) * 15.0
            base = int(v)
            frac = v - base
            step = 1 if frac > (bayer[y % 4][x % 4] + 0.5) / 16.0 else 0
            row.append(min(15, base + step))
        indices.append(row)
    return bmp_indexed(indices, w, h, 4, palette)


# -------------------------------------------------------------- verification

EXPECTED = {
    # name: (width, height, bpp, colours in palette, total file size)
    'bitmap_a.bmp': (160, 160, 8, 256, 26678),
    'picture_p.bmp': (163, 153, 24, 0, 14 + 40 + 492 * 153),
    'picture_f.bmp': (420, 351, 24, 0, 14 + 40 + 1260 * 351),
    'picture_w.bmp': (128, 60, 4, 16, 14 + 40 + 64 + 64 * 60),
}
ICON_IMAGE_SIZE = 744


def verify_bmp(name, data):
    w, h, bpp, colours, total = EXPECTED[name]
    errors = []

    def want(what, got, expected):
        if got != expected:
            errors.append('%s: %s is %r, expected %r' % (name, what, got, expected))

    want('file size', len(data), total)
    if len(data) < 54:
        return errors + ['%s: too short' % name]
    magic, size, r1, r2, offset = struct.unpack_from('<2sIHHI', data, 0)
    (hsize, bw, bh, planes, bits, comp, isize, xp, yp, used,
     important) = struct.unpack_from('<IiiHHIIiiII', data, 14)
    stride = row_stride(w, bpp)
    want('magic', magic, b'BM')
    want('bfSize', size, total)
    want('bfReserved', (r1, r2), (0, 0))
    want('bfOffBits', offset, 14 + 40 + 4 * colours)
    want('biSize', hsize, 40)
    want('size', (bw, bh), (w, h))  # positive height: rows bottom-up
    want('biPlanes', planes, 1)
    want('biBitCount', bits, bpp)
    want('biCompression', comp, 0)
    want('biSizeImage', isize, stride * h)
    want('resolution', (xp, yp), (PELS_PER_METRE, PELS_PER_METRE))
    want('biClrUsed', used, colours)
    want('biClrImportant', important, 0)
    want('pixel bytes', len(data) - offset, stride * h)
    return errors


def verify_ico(data):
    errors = []

    def want(what, got, expected):
        if got != expected:
            errors.append('converter.ico: %s is %r, expected %r' % (what, got, expected))

    count = len(ICON_SIZES) + 1
    if len(data) < 6 + 16 * count:
        return ['converter.ico: too short']
    want('header', struct.unpack_from('<HHH', data, 0), (0, 1, count))
    entries = [struct.unpack_from('<BBBBHHII', data, 6 + 16 * i) for i in range(count)]
    sizes = [(e[0] or 256, e[5]) for e in entries]
    want('sizes and depths', sizes, [(32, 4)] + [(s, 32) for s in ICON_SIZES])
    end = 6 + 16 * count
    for bw, bh, ncol, res, planes, bits, nbytes, off in entries:
        want('entry at %d' % off, off, end)
        end = off + nbytes
    want('file size', len(data), end)
    if errors:
        return errors
    # The 16-colour image as first designed.
    bw, bh, ncol, res, planes, bits, nbytes, off = entries[0]
    want('entry colours', ncol, 16)
    want('image bytes', nbytes, ICON_IMAGE_SIZE)
    (hsize, w, h, planes, bits, comp, isize, xp, yp, used,
     important) = struct.unpack_from('<IiiHHIIiiII', data, off)
    want('image size', (w, h), (32, 64))
    want('biSizeImage', isize, 16 * 32 + 4 * 32)
    if not errors:
        # Where the mask is transparent the colour must be 0, so nothing
        # shows through the XOR pass.
        xor = data[off + 40 + 64:off + 40 + 64 + 512]
        andm = data[off + 40 + 64 + 512:off + nbytes]
        for row in range(32):
            for col in range(32):
                masked = andm[row * 4 + col // 8] & (0x80 >> (col % 8))
                nib = (xor[row * 16 + col // 2] >> (0 if col % 2 else 4)) & 0xF
                if masked and nib != 0:
                    errors.append('converter.ico: transparent pixel %d,%d has colour %d'
                                  % (col, 31 - row, nib))
                    return errors
    # The 32-bit images: their headers, the 256-pixel one a PNG.
    for (size, bpp), (bw, bh, ncol, res, planes, bits, nbytes, off) in zip(sizes[1:], entries[1:]):
        if size == 256:
            want('256-pixel image', data[off:off + 8], b'\x89PNG\r\n\x1a\n')
            continue
        hsize, w, h, planes, bits = struct.unpack_from('<IiiHH', data, off)
        want('%d-pixel image' % size, (hsize, w, h, planes, bits), (40, size, 2 * size, 1, 32))
        want('%d-pixel image bytes' % size, nbytes, 40 + 4 * size * size + row_stride(size, 1) * size)
    return errors


def verify_seamless_a(data):
    """The edges of the tile must continue into each other as smoothly as its inside."""
    offset = struct.unpack_from('<I', data, 10)[0]
    pal = [tuple(data[54 + 4 * i + k] for k in (2, 1, 0)) for i in range(256)]
    px = lambda x, y: pal[data[offset + (159 - y) * 160 + x]]
    lum = lambda c: 0.299 * c[0] + 0.587 * c[1] + 0.114 * c[2]

    def step(x0, y0, x1, y1):
        return abs(lum(px(x0, y0)) - lum(px(x1, y1)))

    inner = max(step(x, y, x + 1, y) for y in range(160) for x in range(158))
    seam_x = max(step(159, y, 0, y) for y in range(160))
    seam_y = max(step(x, 159, x, 0) for x in range(160))
    errors = []
    if max(seam_x, seam_y) > inner:
        errors.append('bitmap_a.bmp: seam step %.1f exceeds inner step %.1f'
                      % (max(seam_x, seam_y), inner))
    brightest = max(lum(c) for c in pal)
    if brightest > 96:
        errors.append('bitmap_a.bmp: brightest colour has luminance %.0f, too light '
                      'for white and yellow text' % brightest)
    return errors


MAKERS = [
    ('converter.ico', make_icon),
    ('bitmap_a.bmp', make_bitmap_a),
    ('picture_p.bmp', make_picture_p),
    ('picture_f.bmp', make_picture_f),
    ('picture_w.bmp', make_picture_w),
]


def verify(name, data):
    if name == 'converter.ico':
        return verify_ico(data)
    errors = verify_bmp(name, data)
    if name == 'bitmap_a.bmp' and not errors:
        errors += verify_seamless_a(data)
    return errors


def main(argv):
    check = '--check' in argv[1:]
    out_dir = HERE
    for arg in argv[1:]:
        if arg.startswith('--out='):
            out_dir = arg[len('--out='):]
    errors = []
    for name, make in MAKERS:
        data = make()
        errors += verify(name, data)
        path = os.path.join(out_dir, name)
        if check:
            try:
                with open(path, 'rb') as f:
                    on_disk = f.read()
            except OSError as e:
                errors.append('%s: %s' % (name, e))
                continue
            if on_disk != data:
                errors.append('%s: differs from what this script draws; rerun it' % name)
        else:
            with open(path, 'wb') as f:
                f.write(data)
            with open(path, 'rb') as f:
                errors += [e + ' (after writing)' for e in verify(name, f.read())]
        print('%-14s %7d bytes%s' % (name, len(data), ' checked' if check else ''))
    for e in errors:
        print('error: ' + e, file=sys.stderr)
    return 1 if errors else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
