"""Renders every picture of the game into the assets folder.

    python3 render.py OUTDIR [NAME ...]

OUTDIR receives the 24 scene pictures under their exact names,
OUTDIR/default the two pictures built into the program and the icons
compiled in, and OUTDIR/icons the icon at the icon theme's sizes.
NAME limits the run to some of the files (as named in PICTURES, e.g.
"배경1.jpg").  The output depends on nothing but these sources: no clock,
no unseeded randomness, no metadata.
"""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "art"))

from PIL import Image, ImageChops  # noqa: E402

import figure  # noqa: E402
import props  # noqa: E402
import scenery  # noqa: E402

TRANSPARENT_INDEX = 255
UNUSED = (255, 0, 255)
ICON_SIZES = (16, 32, 48, 64, 128, 256)


def save_jpeg(img, path):
    """600 x 400 baseline JPEG in a JFIF wrapper, 4:2:0, no EXIF."""
    img.convert("RGB").save(path, "JPEG", quality=92, subsampling=2, progressive=False,
                            optimize=False)


def save_gif(rgba, path, reserved=()):
    """Single-frame GIF89a with one transparent colour index.

    GIF transparency is all or nothing, so each pixel is either kept whole
    or dropped; edge pixels keep the colour of the dark outline drawn
    round every figure, which leaves no light fringe over any background.
    The palette is made for this picture alone from its visible pixels,
    with the reserved colours (her skin, blush and hair) put in as they
    are, and pixels are mapped to their nearest colour without dithering,
    so faces stay clean."""
    alpha = rgba.getchannel("A")
    opaque = alpha.point(lambda v: 255 if v >= 128 else 0)
    rgb = Image.new("RGB", rgba.size, (0, 0, 0))
    rgb.paste(rgba.convert("RGB"), mask=opaque)
    reserved = list(dict.fromkeys(tuple(c) for c in reserved))
    visible = [px for px, m in zip(rgb.getdata(), opaque.getdata()) if m]
    sample = Image.new("RGB", (len(visible), 1))
    sample.putdata(visible)
    adaptive = sample.quantize(colors=255 - len(reserved), method=Image.Quantize.MEDIANCUT)
    used = len(set(adaptive.getdata()))
    pal = [v for c in reserved for v in c] + adaptive.getpalette()[: used * 3]
    # pad with a colour no picture uses, so no visible pixel maps to the
    # transparent index or to padding
    pal += list(UNUSED) * (256 - len(pal) // 3)
    palette_img = Image.new("P", (1, 1))
    palette_img.putpalette(pal)
    indexed = rgb.quantize(palette=palette_img, dither=Image.Dither.NONE)
    # Pillow looks colours up in a coarse cache, which can hand a reserved
    # colour a near neighbour; put every exact reserved colour back
    for i, c in enumerate(reserved):
        diff = ImageChops.difference(rgb, Image.new("RGB", rgb.size, c))
        same = [ch.point(lambda v: 255 if v == 0 else 0) for ch in diff.split()]
        exact = ImageChops.multiply(ImageChops.multiply(same[0], same[1]), same[2])
        indexed.paste(i, mask=ImageChops.multiply(exact, opaque))
    taken = [i for i, m in zip(indexed.getdata(), opaque.getdata()) if m and i >= 255]
    if taken:
        raise ValueError(path + ": a visible pixel took the transparent index")
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
    ("배경1.jpg", scenery.forest_crossroads, save_jpeg),
    ("배경2.jpg", scenery.clearing, save_jpeg),
    ("꽈당.jpg", scenery.thud, save_jpeg),
    ("화난골렘.jpg", scenery.angry_golem, save_jpeg),
    ("엔딩배경.jpg", scenery.ending, save_jpeg),
    ("끝.jpg", scenery.the_end, save_jpeg),
    # character pictures
    ("시작.gif", props.title_picture, save_gif),
    ("시작 2.gif", props.hero_back,
     lambda img, path: save_gif(img, path, props.RESERVED_HERO)),
    ("내검.gif", props.sword_picture, save_gif),
] + [
    (mood + ".gif", (lambda m=mood: figure.draw(m)),
     (lambda img, path: save_gif(img, path, figure.RESERVED))) for mood in figure.MOODS
] + [
    # built into the program: the title screen's look, and the icon
    ("default/default-bg.jpg", scenery.forest_crossroads, save_jpeg),
    ("default/default-ch.gif", props.title_picture, save_gif),
    ("default/icon-32.png", lambda: props.icon(32), save_png),
    ("default/icon-16.png", lambda: props.icon(16), save_png),
] + [
    # the icon for the desktop's icon theme, drawn at each size
    ("icons/barmen-%d.png" % n, (lambda n=n: props.icon(n)), save_png) for n in ICON_SIZES
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
    faults = figure.check_poses() + figure.check_hands()
    if faults:
        print("\n".join(faults), file=sys.stderr)
        return 1
    for sub in ("default", "icons"):
        os.makedirs(os.path.join(out, sub), exist_ok=True)
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
