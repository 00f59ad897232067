#!/usr/bin/env python3
"""Draws the small pictures Tolvane keeps in its program folder.

    b1.bmp ... b8.bmp   frames of the search button: an open book with a magnifier
                        circling over its pages (shown b8, b7, ... b1)
    c.gif,  cX.gif      help-file Bibles available / not available
    v.bmp,  vX.bmp      audio Bibles available / not available

Python's standard library only, so anyone can draw them again:

    python3 tools/pictures/draw_pictures.py [output folder]   (default: data/program)

Shapes are drawn at four times the size and averaged down, which smooths the edges.
BMP files are 32-bit with an alpha channel; their see-through pixels carry the colour of a
light button face, so a reader that ignores alpha still shows a clean picture. GIF has only
on/off transparency: half-covered edge pixels are blended with the same light colour.
"""

import math
import os
import struct
import sys

SIZE = 32
SCALE = 4
FACE = (240, 240, 240)  # light button face, behind see-through pixels


class Canvas:
    """An RGBA picture drawn at SCALE times its final size."""

    def __init__(self, size=SIZE):
        self.size = size
        self.n = size * SCALE
        self.px = [[(0, 0, 0, 0)] * self.n for _ in range(self.n)]

    # Every shape is a test "is this sample point inside"; coordinates are in final pixels.
    def fill(self, inside, colour, alpha=1.0):
        r, g, b = colour
        for y in range(self.n):
            fy = (y + 0.5) / SCALE
            row = self.px[y]
            for x in range(self.n):
                if inside((x + 0.5) / SCALE, fy):
                    row[x] = blend(row[x], (r, g, b, alpha))

    def polygon(self, points, colour, alpha=1.0):
        self.fill(lambda x, y: in_polygon(points, x, y), colour, alpha)

    def ellipse(self, cx, cy, rx, ry, colour, alpha=1.0):
        self.fill(lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0, colour, alpha)

    def ring(self, cx, cy, r_out, r_in, colour, alpha=1.0, start=None, end=None):
        """A circle band; with start/end (degrees, clockwise from east) only that arc."""

        def inside(x, y):
            d = math.hypot(x - cx, y - cy)
            if not r_in <= d <= r_out:
                return False
            if start is None:
                return True
            a = math.degrees(math.atan2(y - cy, x - cx)) % 360
            return (a - start) % 360 <= (end - start) % 360

        self.fill(inside, colour, alpha)

    def line(self, x0, y0, x1, y1, width, colour, alpha=1.0):
        dx, dy = x1 - x0, y1 - y0
        length = math.hypot(dx, dy) or 1.0
        ox, oy = -dy / length * width / 2, dx / length * width / 2
        self.polygon([(x0 + ox, y0 + oy), (x1 + ox, y1 + oy), (x1 - ox, y1 - oy),
                      (x0 - ox, y0 - oy)], colour, alpha)

    def pixels(self):
        """The final picture: each pixel the average of its SCALE x SCALE samples."""
        out = []
        for y in range(self.size):
            row = []
            for x in range(self.size):
                r = g = b = a = 0.0
                for sy in range(SCALE):
                    for sx in range(SCALE):
                        pr, pg, pb, pa = self.px[y * SCALE + sy][x * SCALE + sx]
                        r += pr * pa
                        g += pg * pa
                        b += pb * pa
                        a += pa
                if a > 0:
                    row.append((round(r / a), round(g / a), round(b / a),
                                round(255 * a / SCALE ** 2)))
                else:
                    row.append((FACE[0], FACE[1], FACE[2], 0))
            out.append(row)
        return out


def blend(under, over):
    """Paints `over` (r, g, b, a) on `under`, alpha from 0 to 1."""
    r1, g1, b1, a1 = under
    r2, g2, b2, a2 = over
    a = a2 + a1 * (1 - a2)
    if a == 0:
        return (0, 0, 0, 0)
    mix = lambda c1, c2: (c2 * a2 + c1 * a1 * (1 - a2)) / a
    return (mix(r1, r2), mix(g1, g2), mix(b1, b2), a)


def in_polygon(points, x, y):
    inside = False
    j = len(points) - 1
    for i in range(len(points)):
        xi, yi = points[i]
        xj, yj = points[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            inside = not inside
        j = i
    return inside


def greyed(colour):
    """A disabled look: grey of the same lightness, washed out."""
    r, g, b = colour
    v = round(0.3 * r + 0.59 * g + 0.11 * b)
    v = round(v + (225 - v) * 0.45)
    return (v, v, v)


# Colours
COVER = (122, 32, 28)
COVER_EDGE = (80, 18, 16)
PAGE = (252, 250, 240)
PAGE_EDGE = (150, 140, 120)
TEXT_LINE = (160, 160, 170)
RIM = (60, 60, 70)
LENS = (170, 215, 250)
HANDLE = (110, 70, 30)
NAVY = (28, 48, 120)
NAVY_EDGE = (14, 26, 70)
GOLD = (230, 180, 40)
GREEN = (40, 150, 60)
RED = (210, 30, 30)


def draw_open_book(c):
    # Cover showing below the pages, then the two pages meeting at the spine.
    c.polygon([(2, 11), (16, 13), (30, 11), (30, 27), (16, 29), (2, 27)], COVER_EDGE)
    c.polygon([(2.8, 11.6), (16, 13.6), (29.2, 11.6), (29.2, 26.4), (16, 28.2), (2.8, 26.4)], COVER)
    for left in (True, False):
        if left:
            page = [(4, 8), (10, 7.2), (16, 9.5), (16, 26.5), (10, 24.5), (4, 25)]
        else:
            page = [(16, 9.5), (22, 7.2), (28, 8), (28, 25), (22, 24.5), (16, 26.5)]
        c.polygon(page, PAGE_EDGE)
        inset = [(x + (0.7 if x < 16 else -0.7 if x > 16 else 0), y + 0.6) for x, y in page]
        c.polygon(inset, PAGE)
    c.line(16, 9.5, 16, 26.5, 0.8, PAGE_EDGE)
    for i in range(5):
        y = 11.5 + i * 2.6
        c.line(6, y - 0.6, 14, y + 0.4, 0.55, TEXT_LINE)
        c.line(18, y + 0.4, 26, y - 0.6, 0.55, TEXT_LINE)


def draw_magnifier(c, cx, cy, handle_deg):
    a = math.radians(handle_deg)
    r = 5.2
    hx0, hy0 = cx + math.cos(a) * (r + 0.4), cy + math.sin(a) * (r + 0.4)
    hx1, hy1 = cx + math.cos(a) * (r + 6.5), cy + math.sin(a) * (r + 6.5)
    c.line(hx0, hy0, hx1, hy1, 3.0, HANDLE)
    c.ellipse(cx, cy, r, r, LENS, 0.55)
    c.ring(cx, cy, r + 0.9, r - 0.6, RIM)
    # The glint turns with the handle, so the frames read as a turning glass.
    c.ring(cx, cy, r - 1.4, r - 2.6, (255, 255, 255), 0.9, handle_deg + 150, handle_deg + 210)


def search_frame(k):
    """Frame k of 1..8; shown from 8 down to 1, the glass goes round clockwise."""
    c = Canvas()
    draw_open_book(c)
    step = (8 - k) * 45.0
    cx = 14 + 4.5 * math.cos(math.radians(step - 90))
    cy = 14 + 3.5 * math.sin(math.radians(step - 90))
    draw_magnifier(c, cx, cy, 45 + step / 2)
    return c


def draw_red_cross(c):
    c.line(17, 17, 29, 29, 3.4, (255, 255, 255))
    c.line(29, 17, 17, 29, 3.4, (255, 255, 255))
    c.line(17.5, 17.5, 28.5, 28.5, 2.4, RED)
    c.line(28.5, 17.5, 17.5, 28.5, 2.4, RED)


def help_bible(available):
    """A closed Bible with a round help mark; grey and crossed out when none is installed."""
    paint = (lambda col: col) if available else greyed
    c = Canvas()
    # Pages seen from the side, then the cover with a gold cross.
    c.polygon([(8, 5), (27, 4), (27, 28), (8, 29)], paint(PAGE_EDGE))
    c.polygon([(8.5, 5.6), (26.4, 4.6), (26.4, 27.4), (8.5, 28.4)], paint(PAGE))
    c.polygon([(4, 3), (24, 2), (24, 27), (4, 28)], paint(NAVY_EDGE))
    c.polygon([(5, 3.9), (23, 3), (23, 26), (5, 27)], paint(NAVY))
    c.line(6.3, 4, 6.3, 26.5, 0.8, paint((70, 90, 170)))
    c.line(14.5, 7, 14.5, 18, 2.0, paint(GOLD))
    c.line(11, 10.5, 18, 10.5, 2.0, paint(GOLD))
    if not available:
        draw_red_cross(c)
        return c
    # Help badge: a disc with a question mark.
    c.ellipse(23, 23, 7.5, 7.5, (255, 255, 255))
    c.ellipse(23, 23, 6.6, 6.6, paint(GREEN))
    c.ring(23, 20.6, 3.0, 1.5, (255, 255, 255), 1.0, 180, 90)
    c.line(24.6, 22.4, 23, 24.6, 1.5, (255, 255, 255))
    c.line(23, 24.2, 23, 25.4, 1.5, (255, 255, 255))
    c.ellipse(23, 27.6, 0.95, 0.95, (255, 255, 255))
    return c


def audio(available):
    """A loudspeaker sounding; grey with a red cross instead of sound when none is installed."""
    paint = (lambda col: col) if available else greyed
    c = Canvas()
    body, edge = paint((70, 80, 100)), paint((35, 40, 55))
    c.polygon([(3, 11), (10, 11), (18, 4), (18, 28), (10, 21), (3, 21)], edge)
    c.polygon([(4, 12), (10.4, 12), (17, 6.2), (17, 25.8), (10.4, 20), (4, 20)], body)
    c.polygon([(4, 12), (10.4, 12), (10.4, 20), (4, 20)], paint((110, 120, 140)))
    if available:
        for r in (5.0, 9.0, 13.0):
            c.ring(17, 16, r + 1.0, r - 0.4, GREEN, 1.0, -50, 50)
    else:
        draw_red_cross(c)
    return c


# --- file writers -------------------------------------------------------------------------

def write_bmp(path, pixels):
    """32-bit BMP with a version 4 header, so readers find the alpha channel."""
    h, w = len(pixels), len(pixels[0])
    data = bytearray()
    for row in reversed(pixels):  # bottom-up
        for r, g, b, a in row:
            data += bytes((b, g, r, a))
    header_size = 108
    offset = 14 + header_size
    info = struct.pack('<IiiHHIIiiII', header_size, w, h, 1, 32, 3, len(data), 2835, 2835, 0, 0)
    info += struct.pack('<IIII', 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000)
    info += b'BGRs' + bytes(36) + bytes(12)  # sRGB: no endpoints, no gamma
    with open(path, 'wb') as f:
        f.write(b'BM' + struct.pack('<IHHI', offset + len(data), 0, 0, offset))
        f.write(info)
        f.write(data)


def flatten_for_gif(pixels):
    """On/off transparency: mostly covered pixels are kept, blended with the button face."""
    out = []
    for row in pixels:
        new = []
        for r, g, b, a in row:
            if a < 110:
                new.append(None)
            else:
                k = a / 255
                new.append(tuple(round(c * k + f * (1 - k)) for c, f in zip((r, g, b), FACE)))
        out.append(new)
    return out


def palette_for(colours, limit=255):
    """Up to `limit` colours: the most used ones, each group of near colours as one."""
    counts = {}
    for col in colours:
        key = tuple(c >> 3 for c in col)
        counts.setdefault(key, [0, 0, 0, 0])
        entry = counts[key]
        entry[0] += 1
        for i in range(3):
            entry[i + 1] += col[i]
    ranked = sorted(counts.values(), key=lambda e: -e[0])[:limit]
    return [tuple(round(e[i + 1] / e[0]) for i in range(3)) for e in ranked]


def lzw(indices, min_code_size):
    """GIF's variable-width LZW, packed least significant bit first."""
    clear, end = 1 << min_code_size, (1 << min_code_size) + 1
    out = bytearray()
    bits = nbits = 0

    def emit(code, width):
        nonlocal bits, nbits
        bits |= code << nbits
        nbits += width
        while nbits >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8

    table = {(i,): i for i in range(clear)}
    width = min_code_size + 1
    next_code = end + 1
    emit(clear, width)
    current = ()
    for index in indices:
        grown = current + (index,)
        if grown in table:
            current = grown
            continue
        emit(table[current], width)
        if next_code < 4096:
            table[grown] = next_code
            next_code += 1
            if next_code > (1 << width) and width < 12:
                width += 1
        else:
            emit(clear, width)
            table = {(i,): i for i in range(clear)}
            width = min_code_size + 1
            next_code = end + 1
        current = (index,)
    if current:
        emit(table[current], width)
    emit(end, width)
    if nbits:
        out.append(bits & 0xFF)
    return bytes(out)


def write_gif(path, pixels):
    flat = flatten_for_gif(pixels)
    h, w = len(flat), len(flat[0])
    palette = palette_for([p for row in flat for p in row if p is not None])
    transparent = len(palette)
    colours = palette + [FACE]
    table_bits = max(1, math.ceil(math.log2(len(colours))))
    colours += [(0, 0, 0)] * ((1 << table_bits) - len(colours))

    def nearest(col):
        return min(range(len(palette)),
                   key=lambda i: sum((a - b) ** 2 for a, b in zip(col, palette[i])))

    cache = {}
    indices = []
    for row in flat:
        for p in row:
            if p is None:
                indices.append(transparent)
            else:
                if p not in cache:
                    cache[p] = nearest(p)
                indices.append(cache[p])
    min_code_size = max(2, table_bits)
    data = lzw(indices, min_code_size)
    with open(path, 'wb') as f:
        f.write(b'GIF89a' + struct.pack('<HHBBB', w, h, 0x80 | (table_bits - 1), transparent, 0))
        f.write(b''.join(bytes(c) for c in colours))
        f.write(b'\x21\xf9\x04\x01\x00\x00' + bytes((transparent,)) + b'\x00')
        f.write(b'\x2c' + struct.pack('<HHHHB', 0, 0, w, h, 0))
        f.write(bytes((min_code_size,)))
        for i in range(0, len(data), 255):
            chunk = data[i:i + 255]
            f.write(bytes((len(chunk),)) + chunk)
        f.write(b'\x00\x3b')


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, '..', '..', 'data', 'program')
    os.makedirs(out, exist_ok=True)
    for k in range(1, 9):
        write_bmp(os.path.join(out, 'b%d.bmp' % k), search_frame(k).pixels())
    write_gif(os.path.join(out, 'c.gif'), help_bible(True).pixels())
    write_gif(os.path.join(out, 'cX.gif'), help_bible(False).pixels())
    write_bmp(os.path.join(out, 'v.bmp'), audio(True).pixels())
    write_bmp(os.path.join(out, 'vX.bmp'), audio(False).pixels())


if __name__ == '__main__':
    main()
