"""The bus background, its door pictures and the default side sign.

All coordinates are pixels of the bus window's client area. The door and
sign rectangles are where the program lays its images over the background
(twips / 15), so the doorways and the sign housing are drawn exactly there.
"""
import math

from PIL import ImageOps

from canvas import Canvas, mix, PFONT

W, H = 765, 216

FRONT_DOOR = (23, 47, 96, 195)          # x0, y0, x1, y1 (exclusive)
MIDDLE_DOOR = (369, 50, 475, 199)       # both leaves; they meet at x 422
MIDDLE_SEAM = 422
SIGN = (295, 45, 347, 77)
BOARD_FRAME = (490, 110, 594, 145)      # the signboard and its posts cover this
FRONT_WHEEL = (140, 186)
REAR_WHEEL = (530, 186)

BAND_TOP, BAND_BOTTOM = 24, 106         # black window band
PIN_TOP, SKIRT_TOP, SKIRT_BOTTOM = 146, 149, 196

BLUE = (30, 90, 170)
AMBER = (245, 160, 30)
RED_LAMP = (200, 36, 44)
EXIT_RED = (210, 64, 40)
ENTRY_GREEN = (24, 142, 76)
HAZARD = (232, 190, 30)
GLASS_EDGE = (14, 15, 17)
BAND = (22, 24, 27)
GREEN = (30, 122, 70)
LIME = (140, 198, 63)


def ramp(stops):
    """colour_at(y) interpolating (y, colour) stops given in absolute rows."""
    def colour_at(y):
        if y <= stops[0][0]:
            return stops[0][1]
        for (ya, ca), (yb, cb) in zip(stops, stops[1:]):
            if y <= yb:
                return mix(ca, cb, (y - ya) / (yb - ya))
        return stops[-1][1]
    return colour_at


# Body paint: slightly darker toward roof and skirt, as a rounded side would be lit.
BODY = ramp([(12, (214, 214, 206)), (20, (246, 244, 236)), (60, (250, 248, 240)),
             (106, (244, 241, 231)), (146, (232, 228, 216))])
SKIRT = ramp([(SKIRT_TOP, (38, 140, 82)), (172, (30, 122, 70)), (SKIRT_BOTTOM, (20, 92, 52))])
GLASS = ramp([(24, (66, 80, 94)), (60, (40, 52, 62)), (110, (26, 33, 40)), (200, (20, 25, 30))])
INTERIOR = ramp([(45, (52, 58, 66)), (70, (38, 43, 50)), (150, (27, 30, 35)), (200, (18, 20, 23))])
FAR_WINDOW = ramp([(60, (92, 110, 126)), (120, (62, 76, 88))])
SKY = ramp([(0, (200, 222, 240)), (150, (236, 242, 246)), (206, (226, 228, 230)),
            (210, (150, 153, 156)), (216, (110, 112, 115))])
SILVER = ramp([(0, (236, 238, 240)), (14, (168, 174, 180))])


def livery_at(y):
    """Body colour at a row below the window band, pin line and skirt included."""
    if y < PIN_TOP:
        return BODY(y)
    if y < SKIRT_TOP:
        return LIME
    if y < SKIRT_BOTTOM:
        return SKIRT(y)
    return (54, 56, 58)


def glass(c, x0, y0, x1, y1, oy=0, r=1.5):
    """A glazed pane with a dark gasket and two diagonal reflections."""
    c.rrect(x0 - 1, y0 - 1, x1 + 1, y1 + 1, r + 1, GLASS_EDGE)
    c.vgrad(x0, y0, x1, y1, lambda y: GLASS(y + oy),
            mask=lambda m: m.rrect(x0, y0, x1, y1, r))
    for off, wid, col in ((0.18, 0.10, 20), (0.34, 0.04, 14)):
        def refl(m, off=off, wid=wid):
            h = y1 - y0
            ax = x0 + (x1 - x0) * off
            shift = h * 0.45
            m.poly([(ax + shift, y0), (ax + shift + (x1 - x0) * wid + 3, y0),
                    (ax + (x1 - x0) * wid + 3, y1), (ax, y1)])
            m.keep_only(x0, y0, x1, y1)
        c.vgrad(x0, y0, x1, y1, lambda y, col=col: tuple(min(255, v + col) for v in GLASS(y + oy)),
                mask=refl)


def sign_panel(c, x0, y0, x1, y1, colour, text):
    c.rrect(x0, y0, x1, y1, 2, colour, outline=(235, 235, 235), width=0.75)
    c.text((x0 + x1) / 2, (y0 + y1) / 2 + 0.5, text, 10, (255, 255, 255), font=PFONT, anchor="mm")


def wheel(c, cx, cy, dual):
    c.ellipse(cx, cy, 29, 29, (27, 28, 30))
    c.ellipse(cx, cy, 26.5, 26.5, (40, 41, 44))
    c.ellipse(cx, cy, 24, 24, (30, 31, 33))
    c.vgrad(cx - 18, cy - 18, cx + 18, cy + 18, ramp([(cy - 18, (226, 230, 234)), (cy + 18, (132, 138, 145))]),
            mask=lambda m: m.ellipse(cx, cy, 18, 18))
    c.ellipse(cx, cy, 14, 14, (150, 156, 163) if dual else (186, 191, 197))
    c.ellipse(cx, cy, 13, 13, (112, 118, 125) if dual else (170, 176, 182))
    for k in range(8):
        a = k * math.pi / 4 + math.pi / 8
        c.ellipse(cx + 9.5 * math.cos(a), cy + 9.5 * math.sin(a), 1.4, 1.4, (214, 218, 222))
    c.ellipse(cx, cy, 6, 6, (205, 210, 215))
    c.ellipse(cx, cy, 3.5, 3.5, (120, 126, 133))


def doorway(c, x0, y0, x1, y1, front):
    """The open doorway the door pictures cover: dark interior, poles, steps."""
    c.vgrad(x0, y0, x1, y1, INTERIOR)
    c.rect(x0 + 2, y0 + 2, x1 - 2, y0 + 5, (150, 156, 162))       # ceiling light
    fx0, fx1 = x0 + 8, x1 - 8
    c.vgrad(fx0, y0 + 16, fx1, y0 + 66, FAR_WINDOW)                 # windows on the far side
    c.rect(fx0, y0 + 38, fx1, y0 + 40, (40, 46, 52))
    c.rect(x0 + 2, y0 + 10, x1 - 2, y0 + 11.5, (120, 126, 132))     # grab rail
    if front:
        # fare box by the driver, then two steps up from the kerb
        c.rrect(x0 + 36, y0 + 70, x0 + 56, y0 + 118, 2, (44, 48, 54))
        c.rect(x0 + 40, y0 + 76, x0 + 52, y0 + 82, (110, 200, 120))
        c.rect(x1 - 9, y0 + 6, x1 - 6.5, y0 + 128, (196, 200, 206))
        c.rect(x0 + 2, y1 - 38, x1, y1 - 34, (30, 33, 37))
        for top, tread in ((y1 - 34, (86, 91, 98)), (y1 - 17, (104, 110, 117))):
            c.rect(x0, top, x1, top + 4, tread)
            c.rect(x0, top, x1, top + 1.5, (226, 184, 28))
            c.rect(x0, top + 4, x1, top + 17, (34, 37, 41))
        c.rect(x0, y1 - 3, x1, y1, (160, 166, 172))
    else:
        for sx in range(int(x0) + 16, int(x1) - 10, 18):           # hand straps
            c.line([(sx, y0 + 11), (sx, y0 + 22)], (200, 200, 200), 0.8)
            c.ellipse(sx, y0 + 25, 3, 3, None, outline=(230, 230, 230), width=1)
        # seats across the aisle, below the far windows
        for sx in (x0 + 14, x0 + 58):
            c.rrect(sx, y0 + 72, sx + 34, y0 + 104, 4, (44, 64, 104))
            c.rect(sx + 2, y0 + 100, sx + 32, y0 + 106, (34, 48, 78))
            c.rect(sx + 4, y0 + 76, sx + 30, y0 + 78, (70, 92, 136))
        c.rect(x0 + 3, y0 + 6, x0 + 5.5, y1 - 12, (196, 200, 206))
        c.rect(x1 - 5.5, y0 + 6, x1 - 3, y1 - 12, (196, 200, 206))
        c.rect(x0, y1 - 26, x1, y1 - 18, (70, 75, 82))               # low floor
        # folded wheelchair ramp plate lying in the floor at the door
        c.vgrad(x0 + 4, y1 - 18, x1 - 4, y1 - 4, ramp([(y1 - 18, (178, 184, 190)), (y1 - 4, (120, 126, 133))]))
        for gx in range(int(x0) + 8, int(x1) - 6, 5):
            c.line([(gx, y1 - 16), (gx + 3, y1 - 7)], (140, 146, 152), 0.6)
        hx = x0 + 4
        while hx + 11 <= x1 - 4:
            c.poly([(hx, y1 - 4), (hx + 4, y1 - 4), (hx + 7, y1 - 7), (hx + 3, y1 - 7)], (20, 20, 20))
            c.poly([(hx + 4, y1 - 4), (hx + 8, y1 - 4), (hx + 11, y1 - 7), (hx + 7, y1 - 7)], HAZARD)
            hx += 8
        c.rect(x0 + 4, y1 - 7.5, x1 - 4, y1 - 7, (20, 20, 20))
        c.rect(x0, y1 - 4, x0 + 4, y1, (60, 64, 70))
        c.rect(x1 - 4, y1 - 4, x1, y1, (60, 64, 70))
        c.rect(x0, y1 - 2.5, x1, y1, (168, 174, 180))


def bus_background(scale=1):
    c = Canvas(W, H, scale=scale)
    # sky and kerb
    c.vgrad(0, 0, W, H, SKY)

    body_mask = lambda m: (m.rrect(1, 12, 763, 200, 22), m.rrect(1, 60, 763, 200, 4))
    c.vgrad(1, 12, 763, 200, BODY, mask=body_mask)
    # roof edge and gutter
    c.vgrad(1, 12, 763, 19, ramp([(12, (200, 203, 206)), (19, (228, 229, 226))]),
            mask=lambda m: m.rrect(1, 12, 763, 60, 22))
    c.line([(20, 19.5), (745, 19.5)], (176, 178, 176), 0.8)

    # roof equipment: air conditioner, a hatch, the engine air intake at the rear
    c.vgrad(246, 2, 548, 14, ramp([(2, (238, 240, 242)), (14, (160, 166, 172))]),
            mask=lambda m: m.rrect(246, 2, 548, 14, 5))
    for x in range(272, 524, 7):
        c.rect(x, 6, x + 2, 11, (150, 156, 162))
    c.rrect(96, 8, 134, 14, 2, (196, 200, 204))
    c.vgrad(684, 4, 736, 14, ramp([(4, (226, 228, 230)), (14, (150, 156, 162))]),
            mask=lambda m: m.rrect(684, 4, 736, 14, 3))
    for x in range(690, 731, 5):
        c.rect(x, 7, x + 2, 12, (110, 116, 122))

    # skirt in the livery colour, then the pin line above it
    c.vgrad(1, PIN_TOP, 763, SKIRT_BOTTOM, livery_at, mask=body_mask)
    # the body turns away at both ends: shade the last columns
    for i, k in enumerate((0.80, 0.87, 0.93, 0.97)):
        for x in (1 + i, 762 - i):
            c.vgrad(x, BAND_BOTTOM, x + 1, SKIRT_BOTTOM,
                    lambda y, k=k: tuple(round(v * k) for v in livery_at(y)), mask=body_mask)
    c.rrect(3, SKIRT_BOTTOM, 761, 200, 2, (54, 56, 58))

    # black window band, rounded like the body at the front
    c.rrect(1, BAND_TOP, 745, BAND_BOTTOM, 10, BAND)
    c.rect(1, BAND_TOP + 12, 745, BAND_BOTTOM, BAND)
    c.line([(4, BAND_BOTTOM + 0.6), (744, BAND_BOTTOM + 0.6)], (210, 206, 194), 0.8)

    # windscreen wrapping round the front corner
    glass(c, 3, 28, 20, 103, r=6)
    # side windows: a fixed lower pane and a sliding upper light
    for x0, x1 in ((102, 192), (196, 287), (480, 572), (576, 668), (672, 740)):
        glass(c, x0, 28, x1, 103, r=2 if x1 < 740 else 8)
        c.rect(x0, 48, x1, 50.5, (26, 28, 31))
        c.rect(x0 + (x1 - x0) / 2 - 1, 28, x0 + (x1 - x0) / 2 + 1, 49, (26, 28, 31))

    # side destination sign housing
    sx0, sy0, sx1, sy1 = SIGN
    c.rrect(sx0 - 5, sy0 - 5, sx1 + 5, sy1 + 5, 3, (46, 49, 53))
    c.rrect(sx0 - 5, sy0 - 5, sx1 + 5, sy1 + 5, 3, None, outline=(104, 110, 116), width=0.8)
    c.rect(sx0 - 1, sy0 - 1, sx1 + 1, sy1 + 1, (8, 8, 9))
    c.rect(sx0, sy0, sx1, sy1, (16, 17, 18))

    # exit and entrance pictograms above the doors
    sign_panel(c, 38, 29, 82, 43, EXIT_RED, "出口")
    c.poly([(33, 36), (37, 32.5), (37, 39.5)], EXIT_RED)
    sign_panel(c, 400, 30, 444, 44, ENTRY_GREEN, "入口")
    c.poly([(449, 37), (445, 33.5), (445, 40.5)], ENTRY_GREEN)

    # doorways: jamb rubber around, then the open interior
    for (x0, y0, x1, y1), front in ((FRONT_DOOR, True), (MIDDLE_DOOR, False)):
        c.rrect(x0 - 2.5, y0 - 2.5, x1 + 2.5, y1 + 1, 2, (30, 31, 33))
        doorway(c, x0, y0, x1, y1, front)

    # wheel arches and wheels
    for (cx, cy), dual in ((FRONT_WHEEL, False), (REAR_WHEEL, True)):
        c.ellipse(cx, cy, 37, 37, (40, 42, 44))
        c.ellipse(cx, cy, 35, 35, (14, 15, 16))
    # the arches' lower halves fall below the body: ground again there
    c.vgrad(0, 200, W, H, SKY)
    for (cx, cy), dual in ((FRONT_WHEEL, False), (REAR_WHEEL, True)):
        c.ellipse(cx + 2, 213, 34, 2.5, (70, 72, 75))             # contact shadow
        wheel(c, cx, cy, dual)

    # front corner: bumper, side turn lamp, headlamp edge
    c.rrect(0, 184, 28, 201, 3, (64, 67, 70))
    c.rect(0, 186, 26, 188, (96, 100, 104))
    c.rrect(4, 116, 13, 122, 1.5, AMBER)
    # rear corner: bumper, combination lamps
    c.rrect(736, 184, 764, 201, 3, (64, 67, 70))
    c.rrect(756, 118, 763, 150, 2, RED_LAMP)
    c.rrect(756, 110, 763, 118, 2, AMBER)
    # engine radiator grille on the rear overhang
    c.rrect(636, 155, 730, 190, 3, (18, 19, 20))
    for y in range(158, 188, 4):
        c.rect(640, y, 726, y + 1.6, (70, 74, 78))
    # amber side markers along the skirt
    for x in (210, 330, 610, 700):
        c.rrect(x, 190, x + 7, 194, 1, AMBER)

    # wheelchair mark by the middle door, operator name, fleet number
    c.rrect(350, 112, 365, 127, 1.5, BLUE)
    c.ellipse(356.5, 115.5, 1.3, 1.3, (255, 255, 255))
    c.line([(356, 117.5), (356.5, 121.5), (360.5, 121.5), (362, 125)], (255, 255, 255), 1.2)
    c.ellipse(356.5, 122, 3.6, 3.6, None, outline=(255, 255, 255), width=1)
    c.text(190, 113, "ルモナ交通", 15, GREEN, font=PFONT)
    c.text(706, 112, "R-101", 8, (90, 92, 96), font=PFONT)
    return c.result()


# Exact colours of the small accents, kept through the palette reduction.
ACCENTS = [BLUE, AMBER, RED_LAMP, EXIT_RED, ENTRY_GREEN, HAZARD, LIME, GREEN,
           (255, 255, 255), BAND, (110, 200, 120)]


def door_front(scale=1):
    x0, y0, x1, y1 = FRONT_DOOR
    w, h = x1 - x0, y1 - y0
    c = Canvas(w, h, scale=scale)
    c.vgrad(0, 0, w, h, lambda y: livery_at(y + y0) if y + y0 >= BAND_BOTTOM else BODY(y + y0))
    mid = w / 2
    for lx0, lx1 in ((0, mid - 1), (mid + 1, w)):
        glass(c, lx0 + 3.5, 4, lx1 - 3.5, 92, oy=y0)
        glass(c, lx0 + 5, 110, lx1 - 5, 134, oy=y0)               # low pane to see the kerb
        c.rect(lx0, 0, lx0 + 0.8, h, (196, 192, 180))
        c.rect(lx1 - 0.8, 0, lx1, h, (196, 192, 180))
    c.rect(mid - 1, 0, mid + 1, h, (20, 21, 22))                   # rubber where the leaves meet
    c.rect(0, h - 2, w, h, (54, 56, 58))
    return c.result()


def door_leaf(w, mirror, scale):
    """A middle-door leaf, hinge side at the left (mirrored for the right leaf)."""
    x0, y0, x1, y1 = MIDDLE_DOOR
    h = y1 - y0
    c = Canvas(w, h, scale=scale)
    c.vgrad(0, 0, w, h, lambda y: livery_at(y + y0) if y + y0 >= 120 else BODY(y + y0))
    glass(c, 4.5, 5, w - 5.5, 66, oy=y0)
    glass(c, 4.5, 74, w - 5.5, 128, oy=y0)
    c.vgrad(0, 128, w, h - 3, lambda y: SKIRT(y + y0))
    c.rect(0, 127, w, 128, (200, 196, 184))
    c.rect(0, h - 3, w, h, (54, 56, 58))
    c.rect(0, 0, 1, h, (196, 192, 180))
    c.rect(w - 2, 0, w, h, (20, 21, 22))                           # rubber nosing at the meeting edge
    im = c.result()
    return ImageOps.mirror(im) if mirror else im


def door_middle_left(scale=1):
    return door_leaf(54, False, scale)


def door_middle_right(scale=1):
    return door_leaf(52, True, scale)


def sign_default(scale=1):
    c = Canvas(52, 32, (20, 20, 22), scale)
    c.rect(0, 0, 52, 1, (60, 62, 66))
    c.rect(0, 31, 52, 32, (6, 6, 7))
    for i in range(3):
        x = 9 + i * 13
        c.poly([(x, 16), (x + 10, 7), (x + 10, 25)], (255, 208, 24))
    return c.result()
