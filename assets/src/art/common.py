"""Drawing helpers shared by every picture of the game.

Everything is drawn on a supersampled canvas (coordinates are always given
in final-picture pixels and scaled here) and reduced at the end, which gives
clean anti-aliased shapes without any randomness.  Where a picture needs
scattered detail (leaves, stars, grass) it uses Rng, a seeded generator that
only ever calls random(), so the same seed gives the same picture.
"""

import math
import random

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

FONT_DIR = "/usr/share/fonts/truetype/nanum/"
FONT_REGULAR = FONT_DIR + "NanumGothic.ttf"
FONT_BOLD = FONT_DIR + "NanumGothicBold.ttf"


class Rng:
    """Seeded generator; only random() is used so results never drift."""

    def __init__(self, seed):
        self._r = random.Random(seed)

    def uniform(self, a, b):
        return a + (b - a) * self._r.random()

    def chance(self, p):
        return self._r.random() < p

    def pick(self, seq):
        return seq[min(len(seq) - 1, int(self._r.random() * len(seq)))]


# ---------------------------------------------------------------- colours

def mix(c1, c2, t):
    return tuple(int(round(a + (b - a) * t)) for a, b in zip(c1, c2))


def darker(c, t):
    return mix(c, (0, 0, 0), t)


def lighter(c, t):
    return mix(c, (255, 255, 255), t)


# ---------------------------------------------------------------- curves

def catmull(points, closed=True, steps=10):
    """A smooth curve through the given points (centripetal-free, uniform)."""
    pts = list(points)
    n = len(pts)
    if n < 3:
        return pts
    out = []
    rng = range(n) if closed else range(n - 1)
    for i in rng:
        p0 = pts[(i - 1) % n] if closed else pts[max(i - 1, 0)]
        p1 = pts[i]
        p2 = pts[(i + 1) % n] if closed else pts[i + 1]
        p3 = pts[(i + 2) % n] if closed else pts[min(i + 2, n - 1)]
        for s in range(steps):
            t = s / steps
            t2, t3 = t * t, t * t * t
            x = 0.5 * ((2 * p1[0]) + (-p0[0] + p2[0]) * t
                       + (2 * p0[0] - 5 * p1[0] + 4 * p2[0] - p3[0]) * t2
                       + (-p0[0] + 3 * p1[0] - 3 * p2[0] + p3[0]) * t3)
            y = 0.5 * ((2 * p1[1]) + (-p0[1] + p2[1]) * t
                       + (2 * p0[1] - 5 * p1[1] + 4 * p2[1] - p3[1]) * t2
                       + (-p0[1] + 3 * p1[1] - 3 * p2[1] + p3[1]) * t3)
            out.append((x, y))
    if not closed:
        out.append(pts[-1])
    return out


def bezier(p0, p1, p2, p3=None, steps=24):
    """Quadratic (three points) or cubic (four points) Bezier curve."""
    out = []
    for s in range(steps + 1):
        t = s / steps
        u = 1 - t
        if p3 is None:
            x = u * u * p0[0] + 2 * u * t * p1[0] + t * t * p2[0]
            y = u * u * p0[1] + 2 * u * t * p1[1] + t * t * p2[1]
        else:
            x = (u ** 3 * p0[0] + 3 * u * u * t * p1[0]
                 + 3 * u * t * t * p2[0] + t ** 3 * p3[0])
            y = (u ** 3 * p0[1] + 3 * u * u * t * p1[1]
                 + 3 * u * t * t * p2[1] + t ** 3 * p3[1])
        out.append((x, y))
    return out


def ellipse_pts(cx, cy, rx, ry, rot=0.0, steps=64, a0=0.0, a1=360.0):
    out = []
    cr, sr = math.cos(math.radians(rot)), math.sin(math.radians(rot))
    for s in range(steps + 1 if a1 - a0 < 360 else steps):
        a = math.radians(a0 + (a1 - a0) * s / steps)
        x, y = rx * math.cos(a), ry * math.sin(a)
        out.append((cx + x * cr - y * sr, cy + x * sr + y * cr))
    return out


def stroke_outline(points, widths):
    """Polygon around an open polyline whose width changes along it, with
    rounded ends, so limbs and locks of hair look soft."""
    n = len(points)
    if not isinstance(widths, (list, tuple)):
        widths = [widths] * n
    left, right, dirs = [], [], []
    for i in range(n):
        x, y = points[i]
        if i == 0:
            dx, dy = points[1][0] - x, points[1][1] - y
        elif i == n - 1:
            dx, dy = x - points[i - 1][0], y - points[i - 1][1]
        else:
            dx = points[i + 1][0] - points[i - 1][0]
            dy = points[i + 1][1] - points[i - 1][1]
        ln = math.hypot(dx, dy) or 1.0
        dx, dy = dx / ln, dy / ln
        nx, ny = -dy, dx
        w = widths[i] / 2.0
        left.append((x + nx * w, y + ny * w))
        right.append((x - nx * w, y - ny * w))
        dirs.append((dx, dy, nx, ny))

    def cap(p, d, w, sign):
        dx, dy, nx, ny = d
        out = []
        for k in range(1, 10):
            t = math.pi * k / 10
            c, s = math.cos(t), math.sin(t)
            out.append((p[0] + sign * w * (nx * c + dx * s),
                        p[1] + sign * w * (ny * c + dy * s)))
        return out

    end_cap = cap(points[-1], dirs[-1], widths[-1] / 2.0, 1)
    start_cap = cap(points[0], dirs[0], widths[0] / 2.0, -1)
    return left + end_cap + list(reversed(right)) + start_cap


# ---------------------------------------------------------------- canvas

class Canvas:
    """RGBA picture drawn at ss times the final size."""

    def __init__(self, w, h, ss=4, background=None):
        self.w, self.h, self.ss = w, h, ss
        fill = (0, 0, 0, 0) if background is None else tuple(background) + (255,)
        self.img = Image.new("RGBA", (w * ss, h * ss), fill)

    # coordinates
    def P(self, pts):
        s = self.ss
        return [(x * s, y * s) for (x, y) in pts]

    def new_mask(self, value=0):
        return Image.new("L", self.img.size, value)

    def poly_mask(self, pts, mask=None, value=255):
        m = mask if mask is not None else self.new_mask()
        ImageDraw.Draw(m).polygon(self.P(pts), fill=value)
        return m

    def ellipse_mask(self, cx, cy, rx, ry, rot=0.0, mask=None, value=255):
        return self.poly_mask(ellipse_pts(cx, cy, rx, ry, rot, steps=96), mask, value)

    def line_mask(self, pts, width, mask=None, value=255):
        m = mask if mask is not None else self.new_mask()
        ImageDraw.Draw(m).line(self.P(pts), fill=value,
                               width=max(1, int(round(width * self.ss))), joint="curve")
        # round the ends
        r = width * self.ss / 2.0
        d = ImageDraw.Draw(m)
        for (x, y) in (pts[0], pts[-1]):
            X, Y = x * self.ss, y * self.ss
            d.ellipse((X - r, Y - r, X + r, Y + r), fill=value)
        return m

    # painting
    def fill(self, mask, color, opacity=1.0):
        bbox = mask.getbbox()
        if bbox is None:
            return
        m = mask.crop(bbox)
        if len(color) == 4:
            opacity *= color[3] / 255.0
            color = color[:3]
        if opacity < 1.0:
            m = m.point(lambda v: int(v * opacity + 0.5))
        solid = Image.new("RGBA", m.size, tuple(color) + (255,))
        solid.putalpha(m)
        self.img.alpha_composite(solid, dest=bbox[:2])

    def fill_image(self, mask, layer):
        """Paint an RGBA/RGB layer (canvas size) through a mask."""
        bbox = mask.getbbox()
        if bbox is None:
            return
        piece = layer.crop(bbox).convert("RGBA")
        a = piece.getchannel("A")
        piece.putalpha(ImageChops.multiply(a, mask.crop(bbox)))
        self.img.alpha_composite(piece, dest=bbox[:2])

    def poly(self, pts, color, opacity=1.0):
        self.fill(self.poly_mask(pts), color, opacity)

    def line(self, pts, width, color, opacity=1.0):
        self.fill(self.line_mask(pts, width), color, opacity)

    def ellipse(self, cx, cy, rx, ry, color, rot=0.0, opacity=1.0):
        self.fill(self.ellipse_mask(cx, cy, rx, ry, rot), color, opacity)

    def blur(self, mask, radius):
        return mask.filter(ImageFilter.GaussianBlur(radius * self.ss))

    def outline(self, pts, width, color, closed=True):
        pts = list(pts)
        if closed:
            pts = pts + [pts[0], pts[1]]
        self.line(pts, width, color)

    def text(self, xy, s, size, color, font=FONT_BOLD, anchor="mm",
             stroke=0, stroke_color=None, spacing=0):
        f = ImageFont.truetype(font, int(round(size * self.ss)))
        d = ImageDraw.Draw(self.img)
        d.text((xy[0] * self.ss, xy[1] * self.ss), s, font=f, fill=tuple(color) + (255,),
               anchor=anchor, stroke_width=int(round(stroke * self.ss)),
               stroke_fill=None if stroke_color is None else tuple(stroke_color) + (255,))

    def text_mask(self, xy, s, size, font=FONT_BOLD, anchor="mm", stroke=0):
        m = self.new_mask()
        f = ImageFont.truetype(font, int(round(size * self.ss)))
        ImageDraw.Draw(m).text((xy[0] * self.ss, xy[1] * self.ss), s, font=f, fill=255,
                               anchor=anchor, stroke_width=int(round(stroke * self.ss)),
                               stroke_fill=255)
        return m

    def final(self):
        return self.img.reduce(self.ss) if self.ss > 1 else self.img.copy()


# ---------------------------------------------------------------- masks

def shifted(mask, dx, dy):
    out = Image.new("L", mask.size, 0)
    out.paste(mask, (int(round(dx)), int(round(dy))))
    return out


def intersect(a, b):
    return ImageChops.multiply(a, b)


def subtract(a, b):
    return ImageChops.subtract(a, b)


def union(a, b):
    return ImageChops.lighter(a, b)


def scale_mask(mask, k):
    return mask.point(lambda v: int(v * k + 0.5))


def vgradient(size, top, bottom, stops=None):
    """RGB image with a vertical gradient; stops = [(t, colour), ...]."""
    w, h = size
    if stops is None:
        stops = [(0.0, top), (1.0, bottom)]
    col = Image.new("RGB", (1, h))
    px = col.load()
    for y in range(h):
        t = y / max(1, h - 1)
        for i in range(len(stops) - 1):
            t0, c0 = stops[i]
            t1, c1 = stops[i + 1]
            if t0 <= t <= t1:
                px[0, y] = mix(c0, c1, (t - t0) / max(1e-9, t1 - t0))
                break
        else:
            px[0, y] = stops[-1][1] if t > stops[-1][0] else stops[0][1]
    return col.resize((w, h), Image.NEAREST)


def soft_ellipse(cv, cx, cy, rx, ry, blur, rot=0.0):
    """Blurred ellipse mask, for glows and soft shadows."""
    return cv.blur(cv.ellipse_mask(cx, cy, rx, ry, rot), blur)
