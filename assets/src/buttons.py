"""The door buttons' pictures: two black kanji on a yellow ground."""
from PIL import Image, ImageDraw, ImageFont

import encoders

FONT = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf"
YELLOW = (255, 255, 0)


def button(text, scale=1):
    im = Image.new("RGB", (50 * scale, 20 * scale), YELLOW)
    d = ImageDraw.Draw(im)
    f = ImageFont.truetype(FONT, 16 * scale)
    d.text((25 * scale, 10 * scale), text, font=f, fill=(0, 0, 0), anchor="mm")
    # a handful of yellow-to-black shades is all the antialiased text needs
    return im.quantize(colors=16, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)


def save(path, text, scale=1):
    encoders.write_bmp8(path, button(text, scale).convert("RGB"))
