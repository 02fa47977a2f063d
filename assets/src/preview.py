"""Enlarged previews of the committed assets, doors closed and open.

Usage: preview.py ASSETS_DIR OUT_DIR. Reads the written files, so it shows
what the program will load, and pastes the doors where the program does.
"""
import os
import struct
import sys

from PIL import Image

SCALE = 4  # the 1x pictures' enlargement; the 2x ones are shown at half of it, the same size


def main(src, out):
    os.makedirs(out, exist_ok=True)
    for t, tail in ((1, ""), (2, "_2x")):
        scenes(src, out, t, tail)
    for n in sorted(os.listdir(src)):
        if n.endswith((".ico", ".cur")):
            ims = icon_images(open(os.path.join(src, n), "rb").read())
        elif n.startswith("btn_"):
            ims = [Image.open(os.path.join(src, n)).convert("RGBA")]
        else:
            continue
        # every size side by side at its own size, enlarged; a 2x button at half the 1x zoom
        k = 4 if n.endswith((".ico", ".cur", "_2x.bmp")) else 8
        zoom = [im.resize((im.width * k, im.height * k), Image.NEAREST) for im in ims]
        shown = Image.new("RGBA", (sum(z.width + 8 for z in zoom), max(z.height for z in zoom)),
                          (212, 208, 200, 255))
        x = 0
        for z in zoom:
            shown.alpha_composite(z, (x, 0))
            x += z.width + 8
        shown.save(os.path.join(out, n + ".png"))


def scenes(src, out, t, tail):
    """The bus bare, with its doors closed and open, and the door pictures side by side."""
    load = lambda n: Image.open(os.path.join(src, n + tail + ".bmp")).convert("RGB")
    bg = load("bus")
    front, left, right, sign = (load(n) for n in ("door_front", "door_middle_left",
                                                  "door_middle_right", "sign_default"))

    def compose(fw, lw, rw):
        im = bg.copy()
        im.paste(front.resize((fw * t, 148 * t), Image.BILINEAR), (23 * t, 47 * t))
        im.paste(left.resize((lw * t, 149 * t), Image.BILINEAR), (369 * t, 50 * t))
        im.paste(right.resize((rw * t, 149 * t), Image.BILINEAR), ((475 - rw) * t, 50 * t))
        im.paste(sign, (295 * t, 45 * t))
        im.paste(Image.new("RGB", (104 * t, 35 * t), (224, 224, 224)), (490 * t, 110 * t))
        im.paste(Image.new("RGB", (94 * t, 30 * t), (255, 255, 255)), (495 * t, 111 * t))
        return im.crop((0, 0, 764 * t, 216 * t))

    k = SCALE // t
    for name, im in (("bus", bg), ("closed", compose(73, 53, 53)), ("open", compose(5, 7, 7))):
        im = im.resize((im.width * k, im.height * k), Image.NEAREST)
        im.save(os.path.join(out, name + tail + ".png"))
    doors = Image.new("RGB", ((73 + 54 + 52 + 52 + 40) * t, 149 * t), (255, 0, 255))
    x = 0
    for im in (front, left, right, sign):
        doors.paste(im, (x, 0))
        x += im.width + 10 * t
    doors = doors.resize((doors.width * k, doors.height * k), Image.NEAREST)
    doors.save(os.path.join(out, "doors" + tail + ".png"))


def icon_images(data):
    """Every image of our ICO or CUR, AND masks included (Pillow ignores a CUR's mask)."""
    ims = []
    for i in range(struct.unpack_from("<H", data, 4)[0]):
        off = struct.unpack_from("<I", data, 6 + 16 * i + 12)[0]
        w, h2, _, bits = struct.unpack_from("<iiHH", data, off + 4)
        h = h2 // 2
        im = Image.new("RGBA", (w, h))
        if bits == 32:
            for y in range(h):
                row = data[off + 40 + (h - 1 - y) * w * 4:]
                for x in range(w):
                    b, g, r, a = row[x * 4: x * 4 + 4]
                    im.putpixel((x, y), (r, g, b, a))
        else:
            pal = [tuple(data[off + 40 + 4 * i: off + 43 + 4 * i][::-1]) for i in range(16)]
            for y in range(32):
                xor = data[off + 104 + (31 - y) * 16:]
                andm = data[off + 616 + (31 - y) * 4:]
                for x in range(32):
                    idx = (xor[x // 2] >> (0 if x % 2 else 4)) & 15
                    clear = (andm[x // 8] >> (7 - x % 8)) & 1
                    im.putpixel((x, y), pal[idx] + ((0,) if clear else (255,)))
        ims.append(im)
    return ims

if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
