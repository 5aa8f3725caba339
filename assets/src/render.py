"""Renders every picture of the game into the assets folder.

    python3 render.py OUTDIR [NAME ...]

OUTDIR receives the 24 scene pictures under their exact names and
OUTDIR/default the two pictures built into the program and the icons,
OUTDIR/icons the icon the desktop shows, at each size of its icon theme.
NAME limits the run to some of the files (as named in PICTURES, e.g.
"배경1.jpg").  The output depends on nothing but these sources: no clock,
no unseeded randomness, no metadata.
"""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "art"))

from PIL import Image, ImageChops  # noqa: E402

import backgrounds  # noqa: E402
import meard  # noqa: E402
import props  # noqa: E402

TRANSPARENT_INDEX = 255
ICON_SIZES = (16, 32, 48, 64, 128, 256)


def save_jpeg(img, path):
    """600 x 400 baseline JPEG in a JFIF wrapper, 4:2:0, no EXIF."""
    img.convert("RGB").save(path, "JPEG", quality=92, subsampling=2, progressive=False,
                            optimize=False)


def save_gif(rgba, path):
    """Single-frame GIF89a with one transparent colour index.

    GIF transparency is all or nothing, so each pixel is either kept whole
    or dropped; edge pixels keep the colour of the dark outline drawn
    round every figure, which leaves no light fringe over any background."""
    alpha = rgba.getchannel("A")
    opaque = alpha.point(lambda v: 255 if v >= 128 else 0)
    rgb = Image.new("RGB", rgba.size, (0, 0, 0))
    rgb.paste(rgba.convert("RGB"), mask=opaque)
    # build the palette from the visible pixels only
    visible = [px for px, m in zip(rgb.getdata(), opaque.getdata()) if m]
    sample = Image.new("RGB", (len(visible), 1))
    sample.putdata(visible)
    palette_img = sample.quantize(colors=255, method=Image.Quantize.MEDIANCUT)
    pal = palette_img.getpalette()[: 255 * 3]
    pal += [0, 0, 0] * (256 - len(pal) // 3)
    palette_img.putpalette(pal)
    indexed = rgb.quantize(palette=palette_img, dither=Image.Dither.FLOYDSTEINBERG)
    indexed.paste(TRANSPARENT_INDEX, mask=ImageChops.invert(opaque))
    indexed.putpalette(pal)
    indexed.info.clear()
    indexed.save(path, "GIF", transparency=TRANSPARENT_INDEX, optimize=False,
                 interlace=False)


def save_png(img, path):
    img.info.clear()
    img.save(path, "PNG", optimize=False)


PICTURES = [
    # backgrounds
    ("배경1.jpg", backgrounds.forest_crossroads, save_jpeg),
    ("배경2.jpg", backgrounds.clearing, save_jpeg),
    ("꽈당.jpg", backgrounds.thud, save_jpeg),
    ("화난골렘.jpg", backgrounds.angry_golem, save_jpeg),
    ("엔딩배경.jpg", backgrounds.ending, save_jpeg),
    ("끝.jpg", backgrounds.the_end, save_jpeg),
    # character pictures
    ("시작.gif", props.title_picture, save_gif),
    ("시작 2.gif", props.hero_back, save_gif),
    ("내검.gif", props.sword_picture, save_gif),
] + [
    (mood + ".gif", (lambda m=mood: meard.draw(m)), save_gif) for mood in meard.MOODS
] + [
    # built into the program: the title screen's look, and the icon
    ("default/default-bg.jpg", backgrounds.forest_crossroads, save_jpeg),
    ("default/default-ch.gif", props.title_picture, save_gif),
    ("default/icon-32.png", lambda: props.icon(32), save_png),
    ("default/icon-16.png", lambda: props.icon(16), save_png),
] + [
    # the installed icon, one file per size of the desktop's icon theme
    ("icons/barmen-%d.png" % size, (lambda s=size: props.icon(s)), save_png)
    for size in ICON_SIZES
]


def main(argv):
    if len(argv) < 2:
        print(__doc__)
        return 2
    out = argv[1]
    only = set(argv[2:])
    unknown = only - {name for name, _, _ in PICTURES}
    if unknown:
        print("unknown picture: " + ", ".join(sorted(unknown)), file=sys.stderr)
        return 2
    os.makedirs(os.path.join(out, "default"), exist_ok=True)
    os.makedirs(os.path.join(out, "icons"), exist_ok=True)
    cache = {}
    for name, make, save in PICTURES:
        if only and name not in only:
            continue
        key = make
        img = cache.get(key) or make()
        cache[key] = img
        save(img, os.path.join(out, name))
        print(name)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
