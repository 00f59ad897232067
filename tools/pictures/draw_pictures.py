#!/usr/bin/env python3
"""Draws the small pictures Tolvane keeps in its program folder.

    b1.bmp ... b8.bmp   frames of the search button: an open book with a magnifier
                        circling over its pages (shown b8, b7, ... b1)
    c.gif,  cX.gif      help-file Bibles available / not available
    v.bmp,  vX.bmp      audio Bibles available / not available
    diary/01.bmp ... diary/24.bmp
                        the prayer diary's pictures, in the order entries refer to them:
                        praying hands, heart, cross, dove, candle, sun, rain cloud, star,
                        tear, flame, crown, open Bible, anchor, rainbow, tree, flower,
                        smiling face, sad face, question, answered (tick), storm, shield,
                        song, home. Entries store a picture's number, so never reorder them.

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



# --- the prayer diary's pictures ---------------------------------------------------------

SKIN = (236, 196, 160)
SKIN_EDGE = (170, 120, 85)
SKY = (90, 160, 230)
YELLOW = (250, 205, 40)
ORANGE = (245, 140, 30)
BROWN = (120, 78, 40)
LEAF = (50, 140, 55)
WHITE = (255, 255, 255)
GREY = (140, 145, 155)


def star_points(cx, cy, r_out, r_in, n=5, turn=-90):
    pts = []
    for i in range(2 * n):
        r = r_out if i % 2 == 0 else r_in
        a = math.radians(turn + i * 180 / n)
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


def face(c, happy):
    c.ellipse(16, 16, 13.5, 13.5, (200, 150, 20))
    c.ellipse(16, 16, 12.5, 12.5, YELLOW)
    c.ellipse(11.5, 12.5, 1.6, 2.2, (60, 40, 20))
    c.ellipse(20.5, 12.5, 1.6, 2.2, (60, 40, 20))
    if happy:
        c.ring(16, 16, 8.2, 6.6, (60, 40, 20), 1.0, 20, 160)
    else:
        c.ring(16, 26, 8.2, 6.6, (60, 40, 20), 1.0, 200, 340)


def diary_picture(k):
    c = Canvas()
    if k == 1:  # praying hands: two palms pressed together, thumbs in front, sleeves
        for side in (-1, 1):
            def x(d):
                return 16 + side * d
            c.polygon([(x(0), 2.5), (x(2.8), 3.5), (x(5), 9), (x(7.5), 17), (x(8), 23),
                       (x(0), 23)], SKIN_EDGE)
            c.polygon([(x(0.5), 3.6), (x(2.5), 4.5), (x(4.3), 9.5), (x(6.7), 17), (x(7.1), 22.2),
                       (x(0.5), 22.2)], SKIN)
            for d in (1.6, 3.0):
                c.line(x(d), 5 + d * 1.6, x(d + 0.9), 11 + d * 1.6, 0.5, SKIN_EDGE)
            c.ellipse(x(2.2), 17.5, 1.5, 4.2, SKIN_EDGE)
            c.ellipse(x(2.1), 17.4, 0.9, 3.6, (246, 214, 184))
            c.polygon([(x(0), 22), (x(8.6), 21), (x(10), 30), (x(0), 30)], (40, 55, 110))
            c.polygon([(x(0.4), 22.8), (x(8), 22), (x(9.2), 29.4), (x(0.4), 29.4)], (70, 90, 160))
        c.line(16, 3, 16, 22.5, 0.6, SKIN_EDGE)
    elif k == 2:  # heart
        red, edge = (215, 35, 50), (150, 20, 30)
        for colour, grow in ((edge, 1.0), (red, 0.0)):
            c.ellipse(10.5, 11.5, 6.6 + grow, 6.6 + grow, colour)
            c.ellipse(21.5, 11.5, 6.6 + grow, 6.6 + grow, colour)
            c.polygon([(4.2 - grow, 13.5), (27.8 + grow, 13.5), (16, 28.5 + grow)], colour)
        c.ellipse(9.5, 9.5, 2.2, 1.5, WHITE, 0.7)
    elif k == 3:  # cross
        c.polygon([(13, 2), (19, 2), (19, 30), (13, 30)], COVER_EDGE)
        c.polygon([(5, 8), (27, 8), (27, 14), (5, 14)], COVER_EDGE)
        c.polygon([(14, 3), (18, 3), (18, 29), (14, 29)], (176, 112, 52))
        c.polygon([(6, 9), (26, 9), (26, 13), (6, 13)], (176, 112, 52))
        c.line(15, 4, 15, 28, 0.8, (215, 160, 95))
    elif k == 4:  # dove with an olive twig
        c.ellipse(15, 18, 9, 5.2, GREY)
        c.ellipse(15, 18, 8.2, 4.5, WHITE)
        c.ellipse(24, 13.5, 3.6, 3.4, GREY)
        c.ellipse(24, 13.5, 3.0, 2.8, WHITE)
        c.polygon([(27, 13), (30.5, 14), (27, 15)], ORANGE)
        c.ellipse(24.6, 12.8, 0.6, 0.6, (30, 30, 30))
        c.polygon([(4, 14), (9, 17), (4, 22)], GREY)
        c.polygon([(8, 16), (17, 4), (19, 6), (16, 17)], GREY)
        c.polygon([(9, 16), (17, 5.5), (18, 7), (15.5, 16.5)], WHITE)
        c.line(26, 17, 30, 22, 0.8, LEAF)
        c.ellipse(28.8, 19, 1.6, 0.9, LEAF)
    elif k == 5:  # candle
        c.polygon([(11, 14), (21, 14), (21, 29), (11, 29)], (215, 200, 160))
        c.polygon([(12, 14), (20, 14), (20, 28), (12, 28)], (250, 245, 225))
        c.ellipse(16, 29, 9, 2, (150, 120, 60))
        c.line(16, 14, 16, 11, 0.8, (60, 50, 40))
        c.ellipse(16, 7.5, 3.4, 5.5, ORANGE, 0.9)
        c.ellipse(16, 8.5, 1.8, 3.2, YELLOW)
    elif k == 6:  # sun
        for i in range(12):
            a = math.radians(i * 30)
            c.line(16 + 9 * math.cos(a), 16 + 9 * math.sin(a), 16 + 14.5 * math.cos(a),
                   16 + 14.5 * math.sin(a), 2.0, ORANGE)
        c.ellipse(16, 16, 8.5, 8.5, ORANGE)
        c.ellipse(16, 16, 7.5, 7.5, YELLOW)
    elif k == 7:  # rain cloud
        for x, y, r in ((10, 14, 5.5), (17, 10, 7), (23, 14.5, 5.5)):
            c.ellipse(x, y, r + 0.8, r + 0.8, (120, 125, 140))
        c.polygon([(4.5, 14), (28, 14), (28, 20), (4.5, 20)], (120, 125, 140))
        for x, y, r in ((10, 14, 5.5), (17, 10, 7), (23, 14.5, 5.5)):
            c.ellipse(x, y, r, r, (200, 205, 215))
        c.polygon([(5.3, 14), (27.2, 14), (27.2, 19.2), (5.3, 19.2)], (200, 205, 215))
        for x in (9, 15, 21):
            c.line(x + 1.5, 22, x, 28, 1.4, SKY)
    elif k == 8:  # star
        c.polygon(star_points(16, 16.8, 15, 6.3), (200, 140, 10))
        c.polygon(star_points(16, 16.8, 13.2, 5.4), GOLD)
    elif k == 9:  # tear
        c.ellipse(16, 20, 8, 8, (40, 100, 190))
        c.polygon([(16, 2), (22.9, 16), (9.1, 16)], (40, 100, 190))
        c.ellipse(16, 20, 7, 7, SKY)
        c.polygon([(16, 4), (22, 16.5), (10, 16.5)], SKY)
        c.ellipse(13, 20, 1.6, 2.6, WHITE, 0.8)
    elif k == 10:  # flame
        c.ellipse(16, 21, 9, 8, RED)
        c.polygon([(7.2, 20), (16, 2), (24.8, 20)], RED)
        c.polygon([(7.5, 19), (10, 9), (13, 17)], RED)
        c.ellipse(16, 23, 6, 5.5, ORANGE)
        c.polygon([(10.2, 22), (16, 9), (21.8, 22)], ORANGE)
        c.ellipse(16, 25, 3.2, 3.5, YELLOW)
        c.polygon([(12.9, 25), (16, 16), (19.1, 25)], YELLOW)
    elif k == 11:  # crown
        c.polygon([(4, 10), (10, 17), (16, 6), (22, 17), (28, 10), (26, 25), (6, 25)],
                  (190, 130, 10))
        c.polygon([(5.2, 12), (10.2, 18.5), (16, 8), (21.8, 18.5), (26.8, 12), (25, 24),
                   (7, 24)], GOLD)
        c.polygon([(6, 24), (26, 24), (26, 28), (6, 28)], (190, 130, 10))
        c.polygon([(6.8, 24.6), (25.2, 24.6), (25.2, 27.3), (6.8, 27.3)], GOLD)
        for x, col in ((10, RED), (16, (40, 90, 200)), (22, RED)):
            c.ellipse(x, 21, 1.6, 1.6, col)
        for x, y in ((4, 10), (16, 6), (28, 10)):
            c.ellipse(x, y, 1.6, 1.6, GOLD)
    elif k == 12:  # open Bible
        draw_open_book(c)
        c.line(22, 11, 22, 19, 1.1, RED)
        c.line(19.5, 13.5, 24.5, 13.5, 1.1, RED)
    elif k == 13:  # anchor
        c.ring(16, 6.5, 3.4, 1.8, NAVY)
        c.line(16, 9.5, 16, 27, 2.4, NAVY)
        c.line(10, 13, 22, 13, 2.2, NAVY)
        c.ring(16, 17, 11, 8.8, NAVY, 1.0, 20, 160)
        c.polygon([(3, 19), (8, 20.5), (5.5, 24)], NAVY)
        c.polygon([(29, 19), (24, 20.5), (26.5, 24)], NAVY)
    elif k == 14:  # rainbow
        bands = [(220, 40, 40), (245, 140, 30), (245, 215, 40), (60, 170, 70), (50, 110, 210),
                 (120, 60, 170)]
        for i, col in enumerate(bands):
            r = 14.5 - i * 1.8
            c.ring(16, 25, r, r - 1.9, col, 1.0, 180, 360)
        c.ellipse(6, 26, 4, 2.5, WHITE)
        c.ellipse(26, 26, 4, 2.5, WHITE)
    elif k == 15:  # tree
        c.polygon([(14, 18), (18, 18), (19, 29), (13, 29)], BROWN)
        for x, y, r in ((16, 10, 8), (10, 15, 5.5), (22, 15, 5.5), (16, 16, 6)):
            c.ellipse(x, y, r + 0.8, r + 0.8, (30, 95, 40))
        for x, y, r in ((16, 10, 8), (10, 15, 5.5), (22, 15, 5.5), (16, 16, 6)):
            c.ellipse(x, y, r, r, LEAF)
        c.ellipse(13, 7.5, 2.2, 1.5, (120, 200, 110), 0.8)
    elif k == 16:  # flower
        c.line(16, 17, 16, 30, 1.6, LEAF)
        c.ellipse(20.5, 25, 4, 1.8, LEAF)
        for i in range(6):
            a = math.radians(i * 60)
            c.ellipse(16 + 6 * math.cos(a), 11 + 6 * math.sin(a), 3.8, 3.8, (200, 70, 140))
            c.ellipse(16 + 6 * math.cos(a), 11 + 6 * math.sin(a), 3.0, 3.0, (240, 120, 180))
        c.ellipse(16, 11, 3.4, 3.4, ORANGE)
        c.ellipse(16, 11, 2.6, 2.6, YELLOW)
    elif k == 17:  # smiling face
        face(c, True)
    elif k == 18:  # sad face
        face(c, False)
    elif k == 19:  # question
        c.ellipse(16, 16, 14, 14, NAVY_EDGE)
        c.ellipse(16, 16, 13, 13, (60, 100, 200))
        c.ring(16, 12, 5.2, 2.8, WHITE, 1.0, 180, 90)
        c.line(18.4, 15.2, 16, 19, 2.4, WHITE)
        c.line(16, 18.4, 16, 21, 2.4, WHITE)
        c.ellipse(16, 24.8, 1.6, 1.6, WHITE)
    elif k == 20:  # answered: a tick
        c.ellipse(16, 16, 14, 14, (25, 110, 40))
        c.ellipse(16, 16, 13, 13, GREEN)
        c.line(8.5, 16.5, 14, 22, 3.2, WHITE)
        c.line(13.2, 22, 24, 10, 3.2, WHITE)
    elif k == 21:  # storm: a lightning bolt
        c.polygon([(19, 2), (7, 18), (15, 18), (11, 30), (26, 12), (18, 12), (23, 2)],
                  (190, 130, 10))
        c.polygon([(19.4, 3), (8.8, 17), (16.4, 17), (13.2, 27), (24, 13), (16.4, 13),
                   (21.6, 3)], YELLOW)
    elif k == 22:  # shield
        shape = [(16, 2), (28, 6), (27, 17), (16, 30), (5, 17), (4, 6)]
        c.polygon(shape, NAVY_EDGE)
        c.polygon([(16, 3.4), (26.8, 7), (25.9, 16.6), (16, 28.3), (6.1, 16.6), (5.2, 7)], NAVY)
        c.line(16, 7, 16, 24, 2.4, GOLD)
        c.line(10.5, 13, 21.5, 13, 2.4, GOLD)
    elif k == 23:  # song: two joined notes
        note = (110, 40, 140)
        c.ellipse(9.5, 24, 4, 3, note)
        c.ellipse(22.5, 21, 4, 3, note)
        c.line(13, 24, 13, 7, 1.6, note)
        c.line(26, 21, 26, 4, 1.6, note)
        c.polygon([(12.2, 6), (26.8, 3), (26.8, 7.5), (12.2, 10.5)], note)
    elif k == 24:  # home
        c.polygon([(6, 15), (26, 15), (26, 29), (6, 29)], (180, 130, 90))
        c.polygon([(7, 15), (25, 15), (25, 28), (7, 28)], (235, 215, 170))
        c.polygon([(2, 16), (16, 3), (30, 16), (27, 16.5), (16, 6.5), (5, 16.5)], COVER_EDGE)
        c.polygon([(3.5, 15.5), (16, 4), (28.5, 15.5), (16, 6.5)], COVER)
        c.polygon([(13, 20), (19, 20), (19, 28), (13, 28)], BROWN)
        c.polygon([(20.5, 18), (24, 18), (24, 21.5), (20.5, 21.5)], SKY)
        c.polygon([(8, 18), (11.5, 18), (11.5, 21.5), (8, 21.5)], SKY)
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
    os.makedirs(os.path.join(out, 'diary'), exist_ok=True)
    for k in range(1, 25):
        write_bmp(os.path.join(out, 'diary', '%02d.bmp' % k), diary_picture(k).pixels())


if __name__ == '__main__':
    main()
