"""The door buttons' pictures: two black kanji on a yellow ground."""
from PIL import Image, ImageDraw, ImageFont

import encoders

FONT = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf"
YELLOW = (255, 255, 0)


def button(text):
    im = Image.new("RGB", (50, 20), YELLOW)
    d = ImageDraw.Draw(im)
    f = ImageFont.truetype(FONT, 16)
    d.text((25, 10), text, font=f, fill=(0, 0, 0), anchor="mm")
    # a handful of yellow-to-black shades is all the antialiased text needs
    return im.quantize(colors=16, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)


def save(path, text):
    encoders.write_bmp8(path, button(text).convert("RGB"))
