"""A 4x supersampled drawing surface addressed in final-pixel coordinates.

Shapes are given in the output's pixel units (floats allowed), drawn at four
times the size and box-filtered down, which gives clean antialiased edges
that still line up with the program's pixel grid. A canvas of scale 2 takes
the same 1x units and comes out at twice the resolution, really drawn there,
every edge at twice its 1x place.
"""
from PIL import Image, ImageDraw, ImageFont

S = 4
FONT = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf"
PFONT = "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf"


def mix(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


class Canvas:
    def __init__(self, w, h, fill=(0, 0, 0), scale=1, mode="RGB"):
        # k: drawn pixels a 1x unit; a fractional scale (icons) needs a whole-pixel result
        self.w, self.h, self.k = round(w * scale), round(h * scale), S * scale
        self.im = Image.new(mode, (self.w * S, self.h * S), fill)
        self.d = ImageDraw.Draw(self.im)

    def _box(self, x0, y0, x1, y1):
        # x1, y1 are exclusive edges, like a pixel rectangle.
        k = self.k
        return [round(x0 * k), round(y0 * k), round(x1 * k) - 1, round(y1 * k) - 1]

    def _pts(self, pts):
        return [(round(x * self.k), round(y * self.k)) for x, y in pts]

    def rect(self, x0, y0, x1, y1, fill):
        self.d.rectangle(self._box(x0, y0, x1, y1), fill=fill)

    def rrect(self, x0, y0, x1, y1, r, fill, outline=None, width=0):
        self.d.rounded_rectangle(self._box(x0, y0, x1, y1), radius=round(r * self.k), fill=fill,
                                 outline=outline, width=round(width * self.k))

    def ellipse(self, cx, cy, rx, ry, fill, outline=None, width=0):
        self.d.ellipse(self._box(cx - rx, cy - ry, cx + rx, cy + ry), fill=fill,
                       outline=outline, width=round(width * self.k))

    def poly(self, pts, fill):
        self.d.polygon(self._pts(pts), fill=fill)

    def line(self, pts, fill, width):
        self.d.line(self._pts(pts), fill=fill, width=max(1, round(width * self.k)))

    def vgrad(self, x0, y0, x1, y1, colour_at, mask=None):
        """Fill rows y0..y1 with colour_at(y) (y in output pixels), optionally
        clipped by a callback that draws the clip shape with a _MaskPen."""
        box = self._box(x0, y0, x1, y1)
        w, h = box[2] - box[0] + 1, box[3] - box[1] + 1
        col = Image.new("RGB", (1, h))
        for i in range(h):
            col.putpixel((0, i), colour_at((box[1] + i + 0.5) / self.k))
        layer = col.resize((w, h), Image.NEAREST)
        if mask is None:
            self.im.paste(layer, (box[0], box[1]))
        else:
            m = Image.new("L", self.im.size, 0)
            mask(Canvas._MaskPen(m, self))
            # the mask may reach past the gradient's rows: clip it to them
            m = m.crop((box[0], box[1], box[0] + w, box[1] + h))
            self.im.paste(layer, (box[0], box[1]), m)

    def text(self, x, y, s, size, fill, font=FONT, anchor="la"):
        f = ImageFont.truetype(font, round(size * self.k))
        self.d.text(self._pts([(x, y)])[0], s, font=f, fill=fill, anchor=anchor)

    def result(self):
        return self.im.resize((self.w, self.h), Image.BOX)

    class _MaskPen:
        """Draws mask shapes with the same 1x coordinates as the canvas."""

        def __init__(self, m, canvas):
            self.m, self.c = m, canvas
            self.d = ImageDraw.Draw(m)

        def keep_only(self, x0, y0, x1, y1):
            """Clear the mask outside a rectangle."""
            (a, b), (c, d) = self.c._pts([(x0, y0), (x1, y1)])
            kept = self.m.crop((a, b, c, d))
            self.d.rectangle([0, 0, self.m.size[0], self.m.size[1]], fill=0)
            self.m.paste(kept, (a, b))

        def rect(self, x0, y0, x1, y1, v=255):
            self.d.rectangle(self.c._box(x0, y0, x1, y1), fill=v)

        def rrect(self, x0, y0, x1, y1, r, v=255):
            self.d.rounded_rectangle(self.c._box(x0, y0, x1, y1), radius=round(r * self.c.k),
                                     fill=v)

        def ellipse(self, cx, cy, rx, ry, v=255):
            self.d.ellipse(self.c._box(cx - rx, cy - ry, cx + rx, cy + ry), fill=v)

        def poly(self, pts, v=255):
            self.d.polygon(self.c._pts(pts), fill=v)
