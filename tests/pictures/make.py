#!/usr/bin/python3
"""Draws the small sample pictures beside this script: the picture decoder's
tests and the seeds of its fuzzer. Every kind of JPEG and GIF the game must
show, each a few hundred bytes. Run it again to redraw them byte for byte:
    tests/pictures/make.py
Needs Debian's python3-pil."""

import os

from PIL import Image, ImageDraw

here = os.path.dirname(os.path.abspath(__file__))


def scene(size, mode="RGB"):
    """A sky, a hill and a sun: smooth areas and edges, so damage shows."""
    w, h = size
    im = Image.new("RGB", size, (120, 170, 230))
    d = ImageDraw.Draw(im)
    d.ellipse((w * 0.6, h * 0.1, w * 0.9, h * 0.45), fill=(250, 210, 60))
    d.polygon([(0, h), (0, h * 0.6), (w * 0.5, h * 0.4), (w, h * 0.7), (w, h)], fill=(60, 140, 70))
    d.line((0, h * 0.8, w, h * 0.75), fill=(90, 60, 30), width=2)
    return im.convert(mode)


def figure(size):
    """A figure on a transparent ground, in palette mode."""
    w, h = size
    im = Image.new("P", size, 0)
    im.putpalette([0, 255, 0, 200, 40, 60, 250, 220, 180, 30, 30, 80] + [0] * (252 * 3))
    d = ImageDraw.Draw(im)
    d.ellipse((w * 0.3, h * 0.05, w * 0.7, h * 0.35), fill=2)
    d.rectangle((w * 0.25, h * 0.35, w * 0.75, h * 0.95), fill=1)
    d.line((w * 0.25, h * 0.5, w * 0.75, h * 0.5), fill=3, width=2)
    return im


def save(im, name, **options):
    im.save(os.path.join(here, name), **options)


def main():
    # Backgrounds: the game's baseline 4:2:0, and the kinds other tools write.
    save(scene((40, 24)), "baseline.jpg", quality=85, subsampling=2)
    save(scene((40, 24)), "progressive.jpg", quality=85, progressive=True)
    save(scene((33, 17)), "odd-size-444.jpg", quality=90, subsampling=0)
    save(scene((32, 16), "L"), "grey.jpg", quality=85)
    save(scene((24, 16), "CMYK"), "cmyk.jpg", quality=85)
    # Character pictures: transparent, interlaced or not, several frames, a
    # frame smaller than its screen, no transparency at all.
    fig = figure((24, 32))
    save(fig, "transparent.gif", transparency=0, interlace=False)
    save(fig, "interlaced.gif", transparency=0, interlace=True)
    save(fig.convert("RGB"), "opaque.gif", interlace=False)
    second = figure((24, 32)).transpose(Image.Transpose.FLIP_LEFT_RIGHT)
    save(fig, "two-frames.gif", save_all=True, append_images=[second], transparency=0, duration=100, loop=0)
    small = Image.new("P", (48, 40), 0)
    small.putpalette(fig.getpalette())
    small.paste(fig, (12, 4))
    save(small.crop((12, 4, 36, 36)), "frame.gif", transparency=0, interlace=False)
    # The frame drawn at (12, 4) on a 48 x 40 screen.
    with open(os.path.join(here, "frame.gif"), "r+b") as f:
        data = bytearray(f.read())
        data[6:10] = (48).to_bytes(2, "little") + (40).to_bytes(2, "little")
        at = data.index(b",")
        data[at + 1:at + 5] = (12).to_bytes(2, "little") + (4).to_bytes(2, "little")
        f.seek(0)
        f.write(data)


if __name__ == "__main__":
    main()
