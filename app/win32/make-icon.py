#!/usr/bin/env python3
"""Writes barmen.ico from the icon theme's pictures (assets/icons, rendered
from the same art as every other icon of the game):

    make-icon.py ICONS_FOLDER OUT.ico

The file holds the three classic images, 32 x 32 in black and white, 32 x 32
and 16 x 16 in the sixteen colours of the classic desktop, then 16, 32 and
48 in true colour with alpha and 256 as PNG, for today's desktops."""

import io
import struct
import sys

from PIL import Image

# The sixteen colours every Windows desktop has had since 3.0, in their
# standard order.
VGA = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def rows_bottom_up(bits_per_row, rows):
    """Each row padded to four bytes, the bottom row first, as a DIB stores them."""
    out = bytearray()
    for row in reversed(rows):
        out += row + bytes((-len(row)) % 4)
    return bytes(out)


def pack(values, bits):
    """Packs small integers, most significant bits first."""
    out = bytearray()
    per = 8 // bits
    for i in range(0, len(values), per):
        byte = 0
        for j, v in enumerate(values[i:i + per]):
            byte |= v << (8 - bits * (j + 1))
        out.append(byte)
    return bytes(out)


def and_mask(picture):
    """1 where the icon is clear, so the desktop shows through."""
    w, h = picture.size
    alpha = picture.getchannel("A")
    return [pack([1 if alpha.getpixel((x, y)) < 128 else 0 for x in range(w)], 1) for y in range(h)]


def dib(picture, bits):
    """An icon image as a BITMAPINFOHEADER, palette, colour rows and mask."""
    w, h = picture.size
    rgba = picture.convert("RGBA")
    if bits == 32:
        palette = []
        rows = []
        for y in range(h):
            row = bytearray()
            for x in range(w):
                r, g, b, a = rgba.getpixel((x, y))
                row += bytes((b, g, r, a))
            rows.append(bytes(row))
    else:
        colours = [(0, 0, 0), (255, 255, 255)] if bits == 1 else VGA
        flat = [c for rgb in colours for c in rgb]
        ground = Image.new("RGB", (w, h), (255, 255, 255))
        ground.paste(rgba, mask=rgba.getchannel("A"))
        target = Image.new("P", (1, 1))
        target.putpalette(flat + [0] * (768 - len(flat)))
        dither = Image.Dither.FLOYDSTEINBERG if bits == 1 else Image.Dither.NONE
        quantized = ground.quantize(palette=target, dither=dither)
        mask_rows = and_mask(rgba)
        rows = []
        for y in range(h):
            # Clear pixels are black in the colour image, so the mask alone decides.
            values = [0 if (mask_rows[y][x // 8] >> (7 - x % 8)) & 1 else quantized.getpixel((x, y))
                      for x in range(w)]
            rows.append(pack(values, bits))
        palette = colours
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, bits, 0, 0, 0, 0, len(palette), 0)
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    return header + table + rows_bottom_up(w * bits // 8, rows) + rows_bottom_up((w + 7) // 8, and_mask(rgba))


def png(picture):
    data = io.BytesIO()
    picture.save(data, format="PNG", optimize=True)
    return data.getvalue()


def main():
    folder, out = sys.argv[1], sys.argv[2]
    art = {n: Image.open("%s/barmen-%d.png" % (folder, n)).convert("RGBA") for n in (16, 32, 48, 256)}
    images = [
        (32, 1, dib(art[32], 1)),
        (32, 4, dib(art[32], 4)),
        (16, 4, dib(art[16], 4)),
        (16, 32, dib(art[16], 32)),
        (32, 32, dib(art[32], 32)),
        (48, 32, dib(art[48], 32)),
        (256, 32, png(art[256])),
    ]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    body = b""
    for size, bits, data in images:
        colours = 2 if bits == 1 else 16 if bits == 4 else 0
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, colours, 0, 1, bits, len(data), offset + len(body))
        body += data
    with open(out, "wb") as f:
        f.write(directory + body)


if __name__ == "__main__":
    main()
