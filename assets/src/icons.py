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


def _band(glass, sign):
    # windscreen, front door, window, sign box, middle door, two windows
    return (glass * 2 + "K" + glass * 4 + "K" + glass * 3 + "K" + sign * 3 + "K"
            + glass * 4 + "K" + glass * 3 + "K" + glass * 3)


def _lower(c):
    return c * 2 + "K" + "TTTT" + "K" + c * 7 + "K" + "TTTT" + "K" + c * 7


BUS_SIDE = (
    ["." * 32] * 4
    + ["." * 10 + "K" * 12 + "." * 10,
       "." * 10 + "K" + "S" * 10 + "K" + "." * 10,
       "." * 3 + "K" * 27 + "." * 2,
       "." * 2 + "K" + "W" * 27 + "K" + ".",
       ".K" + "K" * 28 + "K.",
       ".K" + _band("T", "K") + "K.",
       ".K" + _band("T", "Y") + "K.",
       ".K" + _band("T", "Y") + "K.",
       ".K" + _band("T", "K") + "K.",
       ".K" + _band("T", "K") + "K.",
       ".K" + _band("T", "K") + "K.",
       ".K" + _lower("W") + "K.",
       ".K" + _lower("W") + "R.",
       ".K" + _lower("W") + "R.",
       ".K" + _lower("L") + "K.",
       ".K" + _lower("g") + "K.",
       ".Y" + _lower("g") + "K.",
       ".K" + _lower("g") + "K.",
       ".K" + "gg" + "K" + "TTTT" + "K" + "KKKKKK" + "g" + "K" + "TTTT" + "K" + "g" + "KKKKKK" + "K.",
       ".K" + "gg" + "K" + "TTTT" + "K" + "KKSSKK" + "g" + "K" + "TTTT" + "K" + "g" + "KKSSKK" + "K.",
       ".K" + "gg" + "K" + "TTTT" + "K" + "KSWWSK" + "g" + "K" + "TTTT" + "K" + "g" + "KSWWSK" + "K.",
       ".K" + "gg" + "K" + "TTTT" + "K" + "KSWWSK" + "g" + "K" + "TTTT" + "K" + "g" + "KSWWSK" + "K.",
       ".K" + "K" * 8 + "KKSSKK" + "K" * 8 + "KKSSKK" + "K.",
       "." * 11 + "KKKK" + "." * 10 + "KKKK" + "." * 3]
    + ["." * 32] * 4
)

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
