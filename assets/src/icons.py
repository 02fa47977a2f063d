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
