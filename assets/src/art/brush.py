"""Brushwork laid over a finished background, so it reads as painted and
not as flat vector fills.

The picture is painted over with many short strokes, each in the colour
of the picture where it lies (a little softened, a little lighter or
darker), laid along the forms: across the slope of the light, so they
follow ridges, clouds and the edges of masses, and where the picture is
flat along a direction the caller gives (level over fields and sky).
Strokes stay off the picture's lines and sharp edges, so outlines, the
golem's face and the lettering stay crisp.  The strokes come from a
seeded generator: the same picture every time.
"""

import math
import random

import cairo
from PIL import Image, ImageFilter

SS = 2


def _kernel(img, k):
    return img.filter(ImageFilter.Kernel((3, 3), k, scale=1, offset=128))


def painterly(img, seed, density=1.0, size=(4.0, 12.0), width=(1.6, 3.4), alpha=(0.4, 0.75),
              flow=None, edge=40, spread=0.06, keep=None):
    """img: the finished RGB picture.  density: strokes per pixel, about;
    size and width: stroke length and breadth in pixels; flow(x, y): the
    direction in degrees where the picture is flat; edge: contrast (0-255)
    above which no stroke is laid; keep(x, y): True where nothing may be
    painted.  Returns a new RGB picture of the same size."""
    w, h = img.size
    rng = random.Random(seed)
    soft = img.filter(ImageFilter.GaussianBlur(1.2))
    gray = soft.convert("L")
    gx = _kernel(gray, [-1, 0, 1, -2, 0, 2, -1, 0, 1]).load()
    gy = _kernel(gray, [-1, -2, -1, 0, 0, 0, 1, 2, 1]).load()
    sharp = img.convert("L").filter(ImageFilter.FIND_EDGES).filter(ImageFilter.MaxFilter(3)).load()
    src = soft.load()

    surf = cairo.ImageSurface(cairo.FORMAT_RGB24, w * SS, h * SS)
    cr = cairo.Context(surf)
    base = img.convert("RGBA").resize((w * SS, h * SS), Image.BILINEAR)
    data = base.tobytes("raw", "BGRA")
    under = cairo.ImageSurface.create_for_data(bytearray(data), cairo.FORMAT_RGB24, w * SS, h * SS,
                                               w * SS * 4)
    cr.set_source_surface(under)
    cr.paint()
    cr.scale(SS, SS)
    n = int(w * h * density / ((size[0] + size[1]) / 2 * (width[0] + width[1]) / 2 * 0.8))
    for _ in range(n):
        x = rng.uniform(0, w - 1)
        y = rng.uniform(0, h - 1)
        length = rng.uniform(*size)
        breadth = rng.uniform(*width)
        t = rng.uniform(-spread, spread)
        a = rng.uniform(*alpha)
        jitter = rng.uniform(-12, 12)
        ix, iy = int(x), int(y)
        if sharp[ix, iy] > edge:
            continue
        if keep is not None and keep(x, y):
            continue
        dx, dy = gx[ix, iy] - 128, gy[ix, iy] - 128
        if abs(dx) + abs(dy) > 18:
            ang = math.degrees(math.atan2(dy, dx)) + 90
        elif flow is not None:
            ang = flow(x, y)
        else:
            ang = rng.uniform(0, 180)
        ang += jitter
        r, g, b = src[ix, iy]
        if t > 0:
            r, g, b = (v + (255 - v) * t for v in (r, g, b))
        else:
            r, g, b = (v * (1 + t) for v in (r, g, b))
        cr.save()
        cr.translate(x, y)
        cr.rotate(math.radians(ang))
        cr.scale(length / 2, breadth / 2)
        cr.arc(0, 0, 1, 0, 2 * math.pi)
        cr.restore()
        cr.set_source_rgba(r / 255.0, g / 255.0, b / 255.0, a)
        cr.fill()
    surf.flush()
    out = cairo.ImageSurface(cairo.FORMAT_RGB24, w, h)
    c2 = cairo.Context(out)
    c2.scale(1.0 / SS, 1.0 / SS)
    pat = cairo.SurfacePattern(surf)
    pat.set_filter(cairo.FILTER_GOOD)
    c2.set_source(pat)
    c2.paint()
    out.flush()
    return Image.frombuffer("RGBA", (w, h), bytes(out.get_data()), "raw", "BGRA",
                            out.get_stride(), 1).convert("RGB")
