"""A 4x supersampled drawing surface addressed in final-pixel coordinates.

Shapes are given in the output's pixel units (floats allowed), drawn at four
times the size and box-filtered down, which gives clean antialiased edges
that still line up with the program's pixel grid.
"""
from PIL import Image, ImageDraw, ImageFont

S = 4
FONT = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf"
PFONT = "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf"


def mix(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


class Canvas:
    def __init__(self, w, h, fill=(0, 0, 0)):
        self.w, self.h = w, h
        self.im = Image.new("RGB", (w * S, h * S), fill)
        self.d = ImageDraw.Draw(self.im)

    @staticmethod
    def _box(x0, y0, x1, y1):
        # x1, y1 are exclusive edges, like a pixel rectangle.
        return [round(x0 * S), round(y0 * S), round(x1 * S) - 1, round(y1 * S) - 1]

    def rect(self, x0, y0, x1, y1, fill):
        self.d.rectangle(self._box(x0, y0, x1, y1), fill=fill)

    def rrect(self, x0, y0, x1, y1, r, fill, outline=None, width=0):
        self.d.rounded_rectangle(self._box(x0, y0, x1, y1), radius=round(r * S), fill=fill,
                                 outline=outline, width=round(width * S))

    def ellipse(self, cx, cy, rx, ry, fill, outline=None, width=0):
        self.d.ellipse(self._box(cx - rx, cy - ry, cx + rx, cy + ry), fill=fill,
                       outline=outline, width=round(width * S))

    def poly(self, pts, fill):
        self.d.polygon([(round(x * S), round(y * S)) for x, y in pts], fill=fill)

    def line(self, pts, fill, width):
        self.d.line([(round(x * S), round(y * S)) for x, y in pts], fill=fill,
                    width=max(1, round(width * S)))

    def vgrad(self, x0, y0, x1, y1, colour_at, mask=None):
        """Fill rows y0..y1 with colour_at(y) (y in output pixels), optionally
        clipped by a callback that draws the clip shape with a _MaskPen."""
        box = self._box(x0, y0, x1, y1)
        w, h = box[2] - box[0] + 1, box[3] - box[1] + 1
        col = Image.new("RGB", (1, h))
        for i in range(h):
            col.putpixel((0, i), colour_at((box[1] + i + 0.5) / S))
        layer = col.resize((w, h), Image.NEAREST)
        if mask is None:
            self.im.paste(layer, (box[0], box[1]))
        else:
            m = Image.new("L", self.im.size, 0)
            mask(Canvas._MaskPen(m))
            # the mask may reach past the gradient's rows: clip it to them
            m = m.crop((box[0], box[1], box[0] + w, box[1] + h))
            self.im.paste(layer, (box[0], box[1]), m)

    def text(self, x, y, s, size, fill, font=FONT, anchor="la"):
        f = ImageFont.truetype(font, round(size * S))
        self.d.text((round(x * S), round(y * S)), s, font=f, fill=fill, anchor=anchor)

    def paste(self, other_im, x, y):
        self.im.paste(other_im, (round(x * S), round(y * S)))

    def result(self):
        return self.im.resize((self.w, self.h), Image.BOX)

    class _MaskPen:
        """Draws mask shapes with the same 1x coordinates as the canvas."""

        def __init__(self, m):
            self.m = m
            self.d = ImageDraw.Draw(m)

        def keep_only(self, x0, y0, x1, y1):
            """Clear the mask outside a rectangle."""
            kept = self.m.crop((round(x0 * S), round(y0 * S), round(x1 * S), round(y1 * S)))
            self.d.rectangle([0, 0, self.m.size[0], self.m.size[1]], fill=0)
            self.m.paste(kept, (round(x0 * S), round(y0 * S)))

        def rect(self, x0, y0, x1, y1, v=255):
            self.d.rectangle(Canvas._box(x0, y0, x1, y1), fill=v)

        def rrect(self, x0, y0, x1, y1, r, v=255):
            self.d.rounded_rectangle(Canvas._box(x0, y0, x1, y1), radius=round(r * S), fill=v)

        def ellipse(self, cx, cy, rx, ry, v=255):
            self.d.ellipse(Canvas._box(cx - rx, cy - ry, cx + rx, cy + ry), fill=v)

        def poly(self, pts, v=255):
            self.d.polygon([(round(x * S), round(y * S)) for x, y in pts], fill=v)
