"""Pixel art for the 16-colour icons and the link cursor.

Drawn pixel by pixel: at 32 x 32 in the 16 standard colours, hand-placed
pixels read better than anything scaled down.
"""

# The standard 16-colour palette, the one every 4-bpp icon viewer expects.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
KEY = {"K": 0, "R": 9, "g": 2, "T": 6, "S": 7, "G": 8, "L": 10, "Y": 11,
       "B": 12, "N": 4, "W": 15, ".": 0}


class Grid:
    def __init__(self):
        self.g = [["."] * 32 for _ in range(32)]

    def fill(self, x0, y0, x1, y1, c):
        """Inclusive rectangle."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.g[y][x] = c

    def stamp(self, x0, y0, rows, clear_as=None):
        for dy, row in enumerate(rows):
            for dx, c in enumerate(row):
                if c != "." or clear_as:
                    self.g[y0 + dy][x0 + dx] = c if c != "." else clear_as

    def rows(self):
        return ["".join(r) for r in self.g]


WHEEL = [".KKKK.", "KKSSKK", "KSWWSK", "KSWWSK", "KKSSKK", ".KKKK."]


def _bus_side():
    """The bus from its left side, facing left, as on the main window."""
    g, o = Grid(), 2  # o: shifts the picture down to centre it
    g.fill(10, 6 + o, 21, 6 + o, "K")                 # air conditioner on the roof
    g.fill(10, 7 + o, 21, 7 + o, "S")
    g.g[7 + o][10] = g.g[7 + o][21] = "K"
    g.fill(2, 8 + o, 29, 8 + o, "K")                  # outline
    g.fill(0, 10 + o, 0, 23 + o, "K")
    g.fill(31, 10 + o, 31, 23 + o, "K")
    g.fill(1, 24 + o, 30, 24 + o, "K")
    g.g[9 + o][1] = g.g[9 + o][30] = "K"
    g.fill(2, 9 + o, 29, 9 + o, "W")
    g.fill(1, 10 + o, 30, 16 + o, "K")                # window band
    g.fill(1, 17 + o, 30, 18 + o, "W")
    g.fill(1, 19 + o, 30, 19 + o, "L")
    g.fill(1, 20 + o, 30, 23 + o, "g")
    g.fill(1, 11 + o, 2, 16 + o, "T")                 # windscreen
    for x0, x1 in ((9, 13), (24, 26), (28, 29)):      # side windows
        g.fill(x0, 11 + o, x1, 15 + o, "T")
        g.g[11 + o][x0] = "W"
    g.fill(15, 12 + o, 17, 13 + o, "Y")               # side sign
    for x0 in (4, 19):                                # front and middle doors
        g.fill(x0 - 1, 17 + o, x0 - 1, 23 + o, "K")
        g.fill(x0 + 4, 17 + o, x0 + 4, 23 + o, "K")
        g.fill(x0, 11 + o, x0 + 3, 23 + o, "T")
        g.fill(x0, 18 + o, x0 + 3, 18 + o, "W")       # rail between the panes
        g.g[11 + o][x0] = "W"
    g.fill(0, 21 + o, 0, 21 + o, "Y")                 # headlamp
    g.fill(31, 17 + o, 31, 18 + o, "R")               # tail lamp
    for x0 in (9, 24):                                # arches and wheels
        g.fill(x0, 21 + o, x0 + 5, 23 + o, "K")
        g.stamp(x0, 22 + o, WHEEL)
    return g.rows()


BUS_SIDE = _bus_side()

BUS_FRONT = [
    "." * 32,
    "." * 32,
    "." * 6 + "K" * 20 + "." * 6,
    "." * 5 + "K" + "W" * 20 + "K" + "." * 5,
    "." * 4 + "K" + "W" * 22 + "K" + "." * 4,
    "." * 4 + "KWW" + "K" * 18 + "WWK" + "." * 4,
    "." * 4 + "KWW" + "KYKYKKYYKYYKYYKYYK" + "WWK" + "." * 4,
    "." * 4 + "KWW" + "KYKYKKYKKYKKYKKYKK" + "WWK" + "." * 4,
    "." * 4 + "KWW" + "K" * 18 + "WWK" + "." * 4,
    ".." + "KKK" + "W" * 22 + "KKK" + "..",
    "..K.K" + "T" * 22 + "K.K..",
    "..K.K" + "TS" + "T" * 20 + "K.K..",
    "..K.K" + "TTS" + "T" * 19 + "K.K..",
    ".KKKK" + "TTTS" + "T" * 18 + "KKKK.",
    ".KKKK" + "T" * 22 + "KKKK.",
    ".KKKK" + "T" * 22 + "KKKK.",
    "." * 4 + "K" + "T" * 22 + "K" + "." * 4,
    "." * 4 + "K" + "T" * 22 + "K" + "." * 4,
    "." * 4 + "K" * 24 + "." * 4,
    "." * 4 + "K" + "W" * 22 + "K" + "." * 4,
    "." * 4 + "K" + "W" * 22 + "K" + "." * 4,
    "." * 4 + "KWYY" + "W" * 16 + "YYWK" + "." * 4,
    "." * 4 + "KWYY" + "W" * 16 + "YYWK" + "." * 4,
    "." * 4 + "K" + "L" * 22 + "K" + "." * 4,
    "." * 4 + "K" + "g" * 22 + "K" + "." * 4,
    "." * 4 + "K" + "g" * 22 + "K" + "." * 4,
    "." * 4 + "K" + "G" * 22 + "K" + "." * 4,
    "." * 4 + "K" * 24 + "." * 4,
    "." * 5 + "KKKK" + "." * 14 + "KKKK" + "." * 5,
    "." * 5 + "KKKK" + "." * 14 + "KKKK" + "." * 5,
    "." * 32,
    "." * 32,
]

# Index finger up; the fingertip's outline pixel (12, 1) is the hot spot.
HAND = [
    "." * 32,
    "." * 11 + "KKK" + "." * 18,
    "." * 10 + "KWWWK" + "." * 17,
    "." * 10 + "KWWWK" + "." * 17,
    "." * 10 + "KWWWK" + "." * 17,
    "." * 10 + "KWWWK" + "." * 17,
    "." * 10 + "KWWWKKKK" + "." * 14,
    "." * 10 + "KWWWKWWWKKK" + "." * 11,
    "." * 10 + "KWWWKWWWKWWWKK" + "." * 8,
    "." * 6 + "KKK" + "." + "KWWWKWWWKWWWKWWK" + "." * 6,
    "." * 6 + "KWWK" + "KWWWKWWWKWWWKWWWK" + "." * 5,
    "." * 6 + "KWWWKWWWWWWWWWWWWWWWK" + "." * 5,
    "." * 7 + "KWWKWWWWWWWWWWWWWWWK" + "." * 5,
    "." * 7 + "K" + "W" * 18 + "K" + "." * 5,
    "." * 8 + "K" + "W" * 17 + "K" + "." * 5,
    "." * 8 + "K" + "W" * 16 + "K" + "." * 6,
    "." * 9 + "K" + "W" * 15 + "K" + "." * 6,
    "." * 9 + "K" + "W" * 14 + "K" + "." * 7,
    "." * 10 + "K" + "W" * 13 + "K" + "." * 7,
    "." * 10 + "K" + "W" * 12 + "K" + "." * 8,
    "." * 10 + "K" * 14 + "." * 8,
    "." * 10 + "K" + "B" * 12 + "K" + "." * 8,
    "." * 10 + "K" + "B" * 12 + "K" + "." * 8,
    "." * 10 + "K" + "N" * 12 + "K" + "." * 8,
    "." * 10 + "K" * 14 + "." * 8,
] + ["." * 32] * 7
HAND_HOTSPOT = (12, 1)


def decode(rows):
    """-> (indices, transparency mask) for the ICO/CUR writer."""
    assert len(rows) == 32 and all(len(r) == 32 for r in rows), [len(r) for r in rows]
    return ([[KEY[ch] for ch in r] for r in rows],
            [[ch == "." for ch in r] for r in rows])


# The same subjects as shapes, for the sizes Windows asks for at 100 % to 200 %: drawn in the
# 32-pixel grid's units at any size, edges snapped to whole pixels, outlines at least a pixel.
ICON_SIZES = (16, 20, 24, 40, 48, 64)


def _colour(ch):
    return PALETTE[KEY[ch]] + (255,)


class _Shapes:
    def __init__(self, size):
        from canvas import Canvas
        self.px = size / 32
        self.c = Canvas(32, 32, (0, 0, 0, 0), self.px, "RGBA")
        self.o = max(1, round(self.px)) / self.px  # an outline: one pixel at least

    def q(self, v):
        return round(v * self.px) / self.px

    def rect(self, x0, y0, x1, y1, ch, r=0):
        box = (self.q(x0), self.q(y0), self.q(x1), self.q(y1))
        if r:
            self.c.rrect(*box, r, _colour(ch))
        else:
            self.c.rect(*box, _colour(ch))

    def disc(self, cx, cy, r, ch):
        self.c.ellipse(cx, cy, r, r, _colour(ch))

    def image(self):
        return self.c.result()


def bus_side(size):
    s = _Shapes(size)
    o = s.o
    s.rect(10, 8, 22, 10.5, "K", 0.8)                   # air conditioner on the roof
    s.rect(10 + o, 8 + o, 22 - o, 10.5, "S")
    s.rect(0, 10, 32, 27, "K", 3)                       # body, outlined
    s.rect(o, 10 + o, 32 - o, 27 - o, "W", 3 - o)
    s.rect(o, 12, 32 - o, 19, "K")                      # window band
    s.rect(o, 21, 32 - o, 22, "L")                      # pin line, then the skirt
    s.rect(o, 22, 32 - o, 27 - o, "g")
    s.rect(o, 13, 3, 19, "T")                           # windscreen
    for x0, x1 in ((9, 15), (24, 27), (28, 31)):        # side windows
        s.rect(x0, 13, x1, 18, "T")
    s.rect(15, 14, 18, 16, "Y")                         # side sign
    for x0 in (4, 19):                                  # front and middle doors
        s.rect(x0 - o, 13, x0 + 4 + o, 27 - o, "K")
        s.rect(x0, 13, x0 + 4, 27 - o, "T")
        s.rect(x0, 20, x0 + 4, 21, "W")
    s.rect(0, 22.5, 1.5, 24, "Y")                       # headlamp, tail lamp
    s.rect(30.5, 18.5, 32, 21, "R")
    for cx in (12, 27):                                 # arches and wheels
        s.disc(cx, 27, 4, "K")
        s.disc(cx, 27, 2.2, "S")
        s.disc(cx, 27, 1, "W")
    return s.image()


def bus_front(size):
    s = _Shapes(size)
    for m in (lambda x: x, lambda x: 32 - x):          # the mirrors on their arms
        s.rect(min(m(2), m(5)), 9, max(m(2), m(5)), 10, "K")
        s.rect(min(m(2), m(3)), 9, max(m(2), m(3)), 13, "K")
        s.rect(min(m(1), m(4)), 13, max(m(1), m(4)), 16, "K", 0.8)
    s.rect(4, 2, 28, 28, "K", 3)                        # body, outlined
    s.rect(5, 3, 27, 18, "W", 2)
    s.rect(7, 5, 25, 9, "K")                            # destination sign
    for x in range(9, 24, 3):
        s.rect(x, 6, x + 2, 8, "Y")
    s.rect(5, 10, 27, 18, "T")                          # windscreen with a reflection
    s.c.poly([(6, 11), (8, 11), (11, 17), (9, 17)], _colour("S"))
    s.rect(5, 19, 27, 27, "W", 1)                       # front panel below it
    s.rect(6, 21, 8, 23, "Y")                           # headlamps
    s.rect(24, 21, 26, 23, "Y")
    s.rect(5, 23, 27, 24, "L")
    s.rect(5, 24, 27, 26, "g")
    s.rect(5, 26, 27, 27, "G")                          # bumper
    for x in (5, 23):                                   # tyres below
        s.rect(x, 26, x + 4, 30, "K", 1)
    return s.image()


def hand(size):
    """The pointing hand: its shapes outlined in black, as one, then filled."""
    s = _Shapes(size)
    o = s.o
    fingers = [(11, 2, 14, 14), (15, 7, 18, 14), (19, 8, 22, 14), (23, 9, 25, 14)]
    thumb = [(6.5, 11), (9.5, 10.5), (12, 15), (10, 17)]
    palm = [(10, 11), (25, 11), (25, 14), (23, 20), (11, 20), (9, 15)]
    for grow, ch in ((o, "K"), (0, "W")):
        for x0, y0, x1, y1 in fingers:
            s.c.rrect(x0 - grow, y0 - grow, x1 + grow, y1 + grow, 1.5 + grow, _colour(ch))
        s.c.ellipse(8, 11, 1.5 + grow, 1.5 + grow, _colour(ch))
        for pts in (thumb, palm):
            cx = sum(x for x, _ in pts) / len(pts)
            cy = sum(y for _, y in pts) / len(pts)
            # grown outward from its middle by about an outline's width
            k = lambda v, m: v + (grow if v > m else -grow if v < m else 0)
            s.c.poly([(k(x, cx), k(y, cy)) for x, y in pts], _colour(ch))
    s.rect(10, 20, 24, 25, "K")                         # cuff
    s.rect(10 + o, 20 + o, 24 - o, 23, "B")
    s.rect(10 + o, 23, 24 - o, 25 - o, "N")
    return s.image()
