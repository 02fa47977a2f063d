"""Writers for the exact file layouts the program loads.

Pillow writes ICO as PNG and chooses its own BMP header fields, so the
formats the Windows loaders are picky about are written byte by byte here.
"""
import struct

from PIL import Image


def quantize_256(img, keep=()):
    """RGB image -> (indexed image, 256 (r, g, b)), deterministic.

    Median cut serves the large areas; colours in keep get entries of their
    own, so small accents (lamps, signs) keep their exact hue.
    """
    img = img.convert("RGB")
    keep = list(dict.fromkeys(keep))
    base = img.quantize(colors=256 - len(keep), method=Image.Quantize.MEDIANCUT,
                        dither=Image.Dither.NONE)
    pal = base.getpalette()[: 3 * (256 - len(keep))]
    pal += [0] * (3 * (256 - len(keep)) - len(pal))
    for c in keep:
        pal += list(c)
    holder = Image.new("P", (1, 1))
    holder.putpalette(pal)
    q = img.quantize(palette=holder, dither=Image.Dither.NONE)
    palette = [tuple(pal[i * 3: i * 3 + 3]) for i in range(256)]
    return q, palette


def write_bmp8(path, img, keep=()):
    """8 bits a pixel, full 256-entry palette, bottom-up, uncompressed."""
    q, palette = quantize_256(img, keep)
    w, h = q.size
    stride = (w + 3) & ~3
    px = q.tobytes()
    rows = []
    for y in range(h - 1, -1, -1):  # bottom-up: the last row comes first
        row = px[y * w:(y + 1) * w]
        rows.append(row + b"\0" * (stride - w))
    bits = b"".join(rows)
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    off = 14 + 40 + len(pal)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 8, 0, len(bits), 2835, 2835, 256, 0)
    head = struct.pack("<2sIHHI", b"BM", off + len(bits), 0, 0, off)
    with open(path, "wb") as f:
        f.write(head + info + pal + bits)


def dib4(indices, mask, palette):
    """32x32 4-bpp DIB with AND mask, as stored inside ICO and CUR files.

    indices: 32 rows of 32 palette indices (top row first); mask: 32 rows of
    32 booleans, True where the pixel is transparent.
    """
    w = h = 32
    assert len(palette) == 16
    xor = bytearray()
    for y in range(h - 1, -1, -1):
        row = indices[y]
        for x in range(0, w, 2):
            xor.append((row[x] << 4) | row[x + 1])
    andm = bytearray()
    for y in range(h - 1, -1, -1):
        bits = 0
        for x in range(w):
            bits = (bits << 1) | (1 if mask[y][x] else 0)
        andm += struct.pack(">I", bits)  # rows are 32 bits, already 4-byte aligned
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    # Height counts the XOR and AND halves together, as icon DIBs do.
    info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 4, 0, len(xor) + len(andm), 0, 0, 0, 0)
    return info + pal + bytes(xor) + bytes(andm)


def dib32(im):
    """A 32-bit BGRA DIB with its AND mask (set where wholly transparent), as icons hold it."""
    w, h = im.size
    px, alpha = im.tobytes("raw", "BGRA"), im.getchannel("A").tobytes()
    xor = b"".join(px[y * w * 4:(y + 1) * w * 4] for y in range(h - 1, -1, -1))
    stride = (w + 31) // 32 * 4
    andm = b""
    for y in range(h - 1, -1, -1):
        bits = 0
        for x in range(w):
            bits = (bits << 1) | (alpha[y * w + x] == 0)
        andm += (bits << (stride * 8 - w)).to_bytes(stride, "big")
    info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(xor) + len(andm), 0, 0, 0, 0)
    return info + xor + andm


def write_icon(path, dibs, hotspots=None):
    """An ICO of these DIBs (from dib4 and dib32), or a CUR with a hot spot for each."""
    head = struct.pack("<HHH", 0, 2 if hotspots else 1, len(dibs))
    entries, off = b"", 6 + 16 * len(dibs)
    for i, dib in enumerate(dibs):
        w, h2, _, bits = struct.unpack_from("<iiHH", dib, 4)
        # In a cursor directory the planes and bit-count fields hold the hot spot.
        x, y = hotspots[i] if hotspots else (1, bits)
        colours = 16 if bits == 4 else 0
        entries += struct.pack("<BBBBHHII", w, h2 // 2, colours, 0, x, y, len(dib), off)
        off += len(dib)
    with open(path, "wb") as f:
        f.write(head + entries + b"".join(dibs))


def write_wav8(path, samples, rate):
    """Mono 8-bit PCM; no pad byte after an odd-sized data chunk, since the
    resource loader hands sndPlaySound exactly the file's bytes."""
    data = bytes(samples)
    fmt = struct.pack("<HHIIHH", 1, 1, rate, rate, 1, 8)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + struct.pack("<I", len(data)) + data
    with open(path, "wb") as f:
        f.write(b"RIFF" + struct.pack("<I", len(body)) + body)
