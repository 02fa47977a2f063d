"""Enlarged previews of the committed assets, doors closed and open.

Usage: preview.py ASSETS_DIR OUT_DIR. Reads the written files, so it shows
what the program will load, and pastes the doors where the program does.
"""
import os
import struct
import sys

from PIL import Image

SCALE = 3


def main(src, out):
    os.makedirs(out, exist_ok=True)
    load = lambda n: Image.open(os.path.join(src, n)).convert("RGB")
    bg = load("bus.bmp")
    front, left, right, sign = (load(n) for n in ("door_front.bmp", "door_middle_left.bmp",
                                                  "door_middle_right.bmp", "sign_default.bmp"))

    def compose(fw, lw, rw):
        im = bg.copy()
        im.paste(front.resize((fw, 148), Image.BILINEAR), (23, 47))
        im.paste(left.resize((lw, 149), Image.BILINEAR), (369, 50))
        im.paste(right.resize((rw, 149), Image.BILINEAR), (475 - rw, 50))
        im.paste(sign, (295, 45))
        board = Image.new("RGB", (94, 30), (255, 255, 255))
        im.paste(Image.new("RGB", (104, 35), (224, 224, 224)), (490, 110))
        im.paste(board, (495, 111))
        return im.crop((0, 0, 764, 216))

    for name, im in (("bus", bg), ("closed", compose(73, 53, 53)), ("open", compose(5, 7, 7))):
        im.resize((im.width * SCALE, im.height * SCALE), Image.NEAREST).save(os.path.join(out, name + ".png"))
    doors = Image.new("RGB", (73 + 54 + 52 + 52 + 40, 149), (255, 0, 255))
    x = 0
    for im in (front, left, right, sign):
        doors.paste(im, (x, 0))
        x += im.width + 10
    doors.resize((doors.width * 4, doors.height * 4), Image.NEAREST).save(os.path.join(out, "doors.png"))
    for n in sorted(os.listdir(src)):
        if n.endswith((".ico", ".cur")):
            im = icon_image(open(os.path.join(src, n), "rb").read())
        elif n.startswith("btn_"):
            im = Image.open(os.path.join(src, n)).convert("RGBA")
        else:
            continue
        shown = Image.new("RGBA", im.size, (212, 208, 200, 255))
        shown.alpha_composite(im)
        shown.resize((im.width * 8, im.height * 8), Image.NEAREST).save(os.path.join(out, n + ".png"))


def icon_image(data):
    """Decodes our 32x32 4-bpp ICO/CUR, AND mask included (Pillow ignores a CUR's mask)."""
    off = struct.unpack_from("<I", data, 18)[0]
    pal = [tuple(data[off + 40 + 4 * i: off + 43 + 4 * i][::-1]) for i in range(16)]
    im = Image.new("RGBA", (32, 32))
    for y in range(32):
        xor = data[off + 104 + (31 - y) * 16:]
        andm = data[off + 616 + (31 - y) * 4:]
        for x in range(32):
            idx = (xor[x // 2] >> (0 if x % 2 else 4)) & 15
            clear = (andm[x // 8] >> (7 - x % 8)) & 1
            im.putpixel((x, y), pal[idx] + ((0,) if clear else (255,)))
    return im

if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
