"""Vector drawing for the game's pictures, on cairo.

Paths are true Bezier curves (a Catmull-Rom spline through the given points
turned into cubic segments), filled and stroked with cairo's anti-aliasing.
Coordinates are always final-picture pixels; the surface is SS times larger
and reduced at the end, so every curve is smooth at its final size.

Shading is cel shading with a hard, anti-aliased edge: a part is filled with
its shade colour and then, shifted towards the light (upper left), with its
base colour, so the shade shows as a band along the lower right edge.
"""

import math

import cairo
from PIL import Image, ImageChops, ImageFilter

SS = 3


def rgb(c, a=1.0):
    return (c[0] / 255.0, c[1] / 255.0, c[2] / 255.0, a)


def mix(c1, c2, t):
    return tuple(int(round(a + (b - a) * t)) for a, b in zip(c1, c2))


def darker(c, t):
    return mix(c, (0, 0, 0), t)


def lighter(c, t):
    return mix(c, (255, 255, 255), t)


# ---------------------------------------------------------------- paths

def spline(cr, pts, closed=True, tension=1.0):
    """Add a smooth path through pts (Catmull-Rom as cubic Beziers)."""
    n = len(pts)
    if n < 3:
        cr.move_to(*pts[0])
        for p in pts[1:]:
            cr.line_to(*p)
        if closed:
            cr.close_path()
        return
    cr.move_to(*pts[0])
    last = n if closed else n - 1
    k = tension / 6.0
    for i in range(last):
        p0 = pts[(i - 1) % n] if closed else pts[max(i - 1, 0)]
        p1 = pts[i]
        p2 = pts[(i + 1) % n]
        p3 = pts[(i + 2) % n] if closed else pts[min(i + 2, n - 1)]
        c1 = (p1[0] + (p2[0] - p0[0]) * k, p1[1] + (p2[1] - p0[1]) * k)
        c2 = (p2[0] - (p3[0] - p1[0]) * k, p2[1] - (p3[1] - p1[1]) * k)
        cr.curve_to(c1[0], c1[1], c2[0], c2[1], p2[0], p2[1])
    if closed:
        cr.close_path()


def poly(cr, pts, closed=True):
    cr.move_to(*pts[0])
    for p in pts[1:]:
        cr.line_to(*p)
    if closed:
        cr.close_path()


def sample_spline(pts, steps=12):
    """Points along the open Catmull-Rom curve through pts."""
    n = len(pts)
    if n == 2:
        return [(pts[0][0] + (pts[1][0] - pts[0][0]) * s / steps,
                 pts[0][1] + (pts[1][1] - pts[0][1]) * s / steps) for s in range(steps + 1)]
    out = []
    for i in range(n - 1):
        p0, p1 = pts[max(i - 1, 0)], pts[i]
        p2, p3 = pts[i + 1], pts[min(i + 2, n - 1)]
        for s in range(steps):
            t = s / steps
            t2, t3 = t * t, t * t * t
            out.append(tuple(0.5 * (2 * p1[j] + (-p0[j] + p2[j]) * t
                                    + (2 * p0[j] - 5 * p1[j] + 4 * p2[j] - p3[j]) * t2
                                    + (-p0[j] + 3 * p1[j] - 3 * p2[j] + p3[j]) * t3)
                             for j in (0, 1)))
    out.append(pts[-1])
    return out


def taper_outline(pts, w0, w1, wmid=None, steps=10):
    """Outline of a stroke along the curve through pts whose width runs from
    w0 to w1 (through wmid at the middle): hair locks, brows, lash lines."""
    c = sample_spline(pts, steps)
    n = len(c)
    left, right = [], []
    for i, (x, y) in enumerate(c):
        a = c[max(i - 1, 0)]
        b = c[min(i + 1, n - 1)]
        dx, dy = b[0] - a[0], b[1] - a[1]
        ln = math.hypot(dx, dy) or 1.0
        nx, ny = -dy / ln, dx / ln
        t = i / (n - 1)
        if wmid is None:
            w = w0 + (w1 - w0) * t
        else:
            w = (w0 + (wmid - w0) * t * 2) if t < 0.5 else (wmid + (w1 - wmid) * (t - 0.5) * 2)
        w /= 2.0
        left.append((x + nx * w, y + ny * w))
        right.append((x - nx * w, y - ny * w))
    return left + list(reversed(right))


# ---------------------------------------------------------------- ink
# A line of one width reads as clip-art.  An inked line swells where the
# form turns away from the light (lower right), thins where it turns to
# it, and an open stroke tapers to a point at both ends.  cairo strokes one
# width only, so these lines are filled: the path is flattened, each point
# gets its width, and the two offset edges, with round caps and round
# corners, are filled as one shape.

INK_AWAY = (0.6, 0.8)   # away from the light, which comes from the upper left
INK_SWING = 0.7         # closed outlines: width x (1 - swing) on the lit side, x (1 + swing) in shade
INK_MIN = 0.35          # px; no line thins away to nothing


def _subpaths(cr):
    """The current path, flattened, as (points, closed) pairs."""
    subs, cur = [], []
    for kind, pts in cr.copy_path_flat():
        if kind == cairo.PATH_MOVE_TO:
            if len(cur) > 1:
                subs.append((cur, False))
            cur = [pts]
        elif kind == cairo.PATH_LINE_TO:
            cur.append(pts)
        elif kind == cairo.PATH_CLOSE_PATH:
            if len(cur) > 2:
                subs.append((cur, True))
            cur = []
    if len(cur) > 1:
        subs.append((cur, False))
    out = []
    for pts, closed in subs:
        clean = [pts[0]]
        for q in pts[1:]:
            if abs(q[0] - clean[-1][0]) + abs(q[1] - clean[-1][1]) > 1e-3:
                clean.append(q)
        if closed and len(clean) > 2 and \
                abs(clean[0][0] - clean[-1][0]) + abs(clean[0][1] - clean[-1][1]) <= 1e-3:
            clean.pop()
        if len(clean) > 1:
            out.append((clean, closed and len(clean) > 2))
    return out


def _ring(cr, pts):
    cr.move_to(*pts[0])
    for q in pts[1:]:
        cr.line_to(*q)
    cr.close_path()


def _dot(cr, x, y, r):
    cr.new_sub_path()
    cr.arc(x, y, r, 0, 2 * math.pi)


def ink_path(cr, width, taper=True):
    """Replace the current path by the outline of an inked line along it:
    closed subpaths heavier on their shade side, open ones tapered."""
    subs = _subpaths(cr)
    cr.new_path()
    ax, ay = INK_AWAY
    for pts, closed in subs:
        n = len(pts)
        area = sum(a[0] * b[1] - b[0] * a[1] for a, b in zip(pts, pts[1:] + pts[:1]))
        normals = []
        for i in range(n):
            if closed:
                a, b = pts[i - 1], pts[(i + 1) % n]
            else:
                a, b = pts[max(i - 1, 0)], pts[min(i + 1, n - 1)]
            dx, dy = b[0] - a[0], b[1] - a[1]
            ln = math.hypot(dx, dy) or 1.0
            normals.append((-dy / ln, dx / ln))
        if closed:
            # for a path turning with positive area the normal points in
            sign = -1.0 if area > 0 else 1.0
            widths = [width * (1 + INK_SWING * sign * (nx * ax + ny * ay))
                      for nx, ny in normals]
        else:
            run = [0.0]
            for a, b in zip(pts, pts[1:]):
                run.append(run[-1] + math.hypot(b[0] - a[0], b[1] - a[1]))
            total = run[-1] or 1.0
            widths = []
            for t in run:
                u = t / total
                # thin at both ends, full over the middle
                end = min(u, 1 - u) / 0.35 if taper else 1.0
                widths.append(width * (0.2 + 0.95 * min(1.0, end) ** 0.7) if taper else width)
        widths = [max(INK_MIN, w) for w in widths]
        left = [(p[0] + nx * w / 2, p[1] + ny * w / 2) for p, (nx, ny), w in zip(pts, normals, widths)]
        right = [(p[0] - nx * w / 2, p[1] - ny * w / 2) for p, (nx, ny), w in zip(pts, normals, widths)]
        if closed:
            outer, inner = (right, left) if area > 0 else (left, right)
            _ring(cr, oriented(outer))
            _ring(cr, list(reversed(oriented(inner))))
        else:
            _ring(cr, oriented(left + list(reversed(right))))
            _dot(cr, pts[0][0], pts[0][1], widths[0] / 2)
            _dot(cr, pts[-1][0], pts[-1][1], widths[-1] / 2)
        # round corners where the path turns sharply
        for i in range(n if closed else n - 1):
            if not closed and i == 0:
                continue
            a, p, b = pts[i - 1], pts[i], pts[(i + 1) % n]
            d1 = (p[0] - a[0], p[1] - a[1])
            d2 = (b[0] - p[0], b[1] - p[1])
            l1, l2 = math.hypot(*d1), math.hypot(*d2)
            if l1 and l2 and (d1[0] * d2[0] + d1[1] * d2[1]) / (l1 * l2) < 0.9:
                _dot(cr, p[0], p[1], widths[i] / 2)


# ---------------------------------------------------------------- picture

class Pic:
    """A cairo surface SS times the final size, drawn in final pixels."""

    def __init__(self, w, h, background=None, ss=SS):
        self.w, self.h, self.ss = w, h, ss
        self.surf = cairo.ImageSurface(cairo.FORMAT_ARGB32, w * ss, h * ss)
        self.cr = cairo.Context(self.surf)
        self.cr.scale(ss, ss)
        self.cr.set_line_cap(cairo.LINE_CAP_ROUND)
        self.cr.set_line_join(cairo.LINE_JOIN_ROUND)
        if background is not None:
            self.cr.set_source_rgba(*rgb(background))
            self.cr.paint()

    # -- plain painting
    def fill(self, path, color, alpha=1.0):
        cr = self.cr
        path(cr)
        cr.set_source_rgba(*rgb(color, alpha))
        cr.fill()

    def stroke(self, path, color, width, alpha=1.0, ink=False, taper=True):
        """A line along a path; with ink, an inked line (see ink_path)."""
        cr = self.cr
        path(cr)
        cr.set_source_rgba(*rgb(color, alpha))
        if ink:
            ink_path(cr, width, taper)
            cr.fill()
            return
        cr.set_line_width(width)
        cr.stroke()

    def shape(self, pts, color, line=None, lw=1.1, alpha=1.0, smooth=True):
        path = (lambda cr: spline(cr, pts)) if smooth else (lambda cr: poly(cr, pts))
        self.fill(path, color, alpha)
        if line is not None:
            self.stroke(path, line, lw, alpha, ink=True)

    def curve(self, pts, color, width, alpha=1.0, smooth=True, ink=None):
        """An open line; a fine smooth one (up to 1.4 px) is inked, tapered at
        its ends, unless ink says otherwise.  Heavier lines are bands laid
        over one another in pairs (a dark one under a light one) and keep
        one width, so the pair stays matched."""
        if ink is None:
            ink = smooth and width <= 1.4
        if smooth:
            self.stroke(lambda cr: spline(cr, pts, closed=False), color, width, alpha, ink=ink)
        else:
            self.stroke(lambda cr: poly(cr, pts, closed=False), color, width, alpha, ink=ink)

    def taper(self, pts, w0, w1, color, wmid=None, alpha=1.0):
        out = taper_outline(pts, w0, w1, wmid)
        self.fill(lambda cr: poly(cr, out), color, alpha)

    def ellipse(self, cx, cy, rx, ry, color, line=None, lw=1.0, rot=0.0, alpha=1.0):
        def path(cr):
            cr.save()
            cr.translate(cx, cy)
            cr.rotate(math.radians(rot))
            cr.scale(rx, ry)
            cr.new_sub_path()
            cr.arc(0, 0, 1, 0, 2 * math.pi)
            cr.restore()
        if color is not None:
            self.fill(path, color, alpha)
        if line is not None:
            self.stroke(path, line, lw, alpha, ink=True)

    def ring(self, cx, cy, r, color, width, alpha=1.0, ry=None):
        ry = r if ry is None else ry

        def path(cr):
            cr.save()
            cr.translate(cx, cy)
            cr.scale(r, ry)
            cr.new_sub_path()
            cr.arc(0, 0, 1, 0, 2 * math.pi)
            cr.restore()
        path(self.cr)
        self.cr.set_source_rgba(*rgb(color, alpha))
        self.cr.set_line_width(width)
        self.cr.stroke()

    # -- cel-shaded part
    def part(self, pts, base, line, shade=None, light=None, lw=1.1, off=(4, 4),
             light_off=(2, 2), smooth=True, grad=None):
        """A filled part with a hard shade band on its lower right edge, an
        optional light band on its upper left edge, and its line."""
        cr = self.cr

        def path(c, dx=0.0, dy=0.0):
            c.save()
            c.translate(dx, dy)
            (spline if smooth else poly)(c, pts)
            c.restore()
        cr.save()
        path(cr)
        cr.clip()
        if light is not None:
            cr.set_source_rgba(*rgb(light))
            cr.paint()
            path(cr, *light_off)
            cr.clip()
        if shade is not None:
            cr.set_source_rgba(*rgb(shade))
            cr.paint()
            self._base(lambda c: path(c, -off[0], -off[1]), base, grad)
        else:
            self._base(path, base, grad)
        cr.restore()
        if line is not None:
            self.stroke(path, line, lw, ink=True)

    def _base(self, path, base, grad):
        cr = self.cr
        path(cr)
        if grad is None:
            cr.set_source_rgba(*rgb(base))
        else:
            (x0, y0, x1, y1), stops = grad
            g = cairo.LinearGradient(x0, y0, x1, y1)
            for t, c in stops:
                g.add_color_stop_rgba(t, *rgb(c))
            cr.set_source(g)
        cr.fill()

    def clip(self, pts, smooth=True):
        """Context manager limiting painting to a shape."""
        pic = self

        class _Clip:
            def __enter__(self):
                pic.cr.save()
                (spline if smooth else poly)(pic.cr, pts)
                pic.cr.clip()

            def __exit__(self, *exc):
                pic.cr.restore()
        return _Clip()

    # -- out
    def big(self):
        """The full-resolution picture as a PIL RGBA image."""
        self.surf.flush()
        return Image.frombuffer("RGBA", (self.w * self.ss, self.h * self.ss),
                                bytes(self.surf.get_data()), "raw", "BGRa",
                                self.surf.get_stride(), 1)

    def flat(self):
        """An opaque picture reduced to its final size on cairo, which
        averages each SS x SS block, as an RGB image for the file writer."""
        self.surf.flush()
        out = cairo.ImageSurface(cairo.FORMAT_RGB24, self.w, self.h)
        cr = cairo.Context(out)
        cr.scale(1.0 / self.ss, 1.0 / self.ss)
        pattern = cairo.SurfacePattern(self.surf)
        pattern.set_filter(cairo.FILTER_GOOD)
        cr.set_source(pattern)
        cr.paint()
        out.flush()
        return Image.frombuffer("RGBA", (self.w, self.h), bytes(out.get_data()), "raw",
                                "BGRA", out.get_stride(), 1).convert("RGB")

    def final(self, silhouette=None, light=None):
        """Reduce to the final size; with silhouette=(width, darkness) the
        figure gets a heavier outer line, a dark shade of the colour it
        borders, so its edge is dark over every background.  light(img),
        if given, relights the full-size picture first."""
        img = self.big()
        if light is not None:
            img = light(img)
        if silhouette is not None:
            img = add_silhouette(img, silhouette[0] * self.ss, silhouette[1])
        return img.convert("RGBa").reduce(self.ss).convert("RGBA")


def add_silhouette(img, width, darkness):
    a = img.getchannel("A")
    # the line swells on the shade side: a ring all round, and the figure's
    # shape once more, pushed down and to the right, grown by the same ring.
    # The ring keeps its full width on the lit side: a narrower one would
    # leave half-covered edge pixels with the light colour inside the line,
    # a light fringe over dark ground
    thin = max(1, int(round(width)))
    grown = a.filter(ImageFilter.MaxFilter(thin * 2 + 1))
    push = int(round(width * 0.8))
    shifted = grown.transform(grown.size, Image.AFFINE, (1, 0, -push, 0, 1, -push))
    grown = ImageChops.lighter(grown, shifted)
    # the colour next to the edge, spread outwards (blurred premultiplied,
    # then un-premultiplied), then darkened
    spread = img.convert("RGBa").filter(ImageFilter.BoxBlur(width * 1.5)).convert("RGBA")
    line = spread.convert("RGB").point(lambda v: int(v * (1 - darkness))).convert("RGBA")
    line.putalpha(grown)
    line.alpha_composite(img)
    return line


# ---------------------------------------------------------------- scenery
# Helpers for the backgrounds drawn on cairo: gradients, soft light without
# any blur (a radial gradient fading to nothing), lumps of round masses
# (foliage, clouds, smoke) with the same cel shading as a part, and
# lettering.

def gradient(coords, stops):
    """A linear gradient (x0, y0, x1, y1) or a radial one (x0, y0, r0, x1,
    y1, r1); stops are (t, colour) or (t, colour, alpha)."""
    g = cairo.LinearGradient(*coords) if len(coords) == 4 else cairo.RadialGradient(*coords)
    for stop in stops:
        g.add_color_stop_rgba(stop[0], *rgb(stop[1], stop[2] if len(stop) > 2 else 1.0))
    return g


def circles(cr, cs):
    """One path of overlapping circles (x, y, r): filled, their union."""
    for x, y, r in cs:
        cr.new_sub_path()
        cr.arc(x, y, r, 0, 2 * math.pi)


def oriented(pts):
    """The points turning clockwise on screen, so that shapes added to one
    path fill as their union."""
    area = sum(a[0] * b[1] - b[0] * a[1] for a, b in zip(pts, pts[1:] + pts[:1]))
    return list(pts) if area >= 0 else list(reversed(pts))


def _paint(pic, path, source, alpha=1.0):
    cr = pic.cr
    if isinstance(source, cairo.Pattern):
        cr.set_source(source)
    else:
        cr.set_source_rgba(*rgb(source, alpha))
    if path is None:
        if isinstance(source, cairo.Pattern) and alpha < 1.0:
            cr.paint_with_alpha(alpha)
        else:
            cr.paint()
        return
    path(cr)
    if isinstance(source, cairo.Pattern) and alpha < 1.0:
        cr.save()
        cr.clip()
        cr.paint_with_alpha(alpha)
        cr.restore()
    else:
        cr.fill()


def paint(pic, path, source, alpha=1.0):
    """Fill a path (a function of the context; None for everything) with a
    colour or a cairo pattern."""
    _paint(pic, path, source, alpha)


def glow(pic, cx, cy, rx, ry, color, alpha=1.0, core=0.0):
    """Soft light or a soft shadow: an ellipse of colour fading to nothing
    at its rim (solid out to the fraction core of its radius)."""
    cr = pic.cr
    cr.save()
    cr.translate(cx, cy)
    cr.scale(rx, ry)
    cr.set_source(gradient((0, 0, 0, 0, 0, 1),
                           [(0, color, alpha), (core, color, alpha),
                            (0.55 + core * 0.45, color, alpha * 0.35), (1, color, 0.0)]))
    cr.arc(0, 0, 1, 0, 2 * math.pi)
    cr.fill()
    cr.restore()


def lump(pic, cs, base, shade=None, light=None, line=None, lw=1.1, off=(0.22, 0.26),
         light_off=(0.4, 0.5), light_alpha=0.85, light_from=0.0):
    """Round masses (x, y, r) drawn as one shaded part: the shade colour
    everywhere, then each mass again in its base colour shifted by the
    fraction off of its radius towards the light, so a crisp band of shade
    is left on the far side; light, smaller and further shifted, marks the
    lit tops (only of masses of radius light_from or more).  The line goes
    round the union only: it is stroked first and its inner half covered."""
    cr = pic.cr
    if line is not None:
        circles(cr, cs)
        cr.set_source_rgba(*rgb(line))
        cr.set_line_width(lw * 2)
        cr.stroke()
    cr.save()
    circles(cr, cs)
    cr.clip()
    cr.set_source_rgba(*rgb(shade if shade is not None else base))
    cr.paint()
    if shade is not None:
        circles(cr, [(x - r * off[0], y - r * off[1], r) for x, y, r in cs])
        cr.set_source_rgba(*rgb(base))
        cr.fill()
    if light is not None:
        circles(cr, [(x - r * light_off[0], y - r * light_off[1], r * 0.5) for x, y, r in cs
                     if r >= light_from])
        cr.set_source_rgba(*rgb(light, light_alpha))
        cr.fill()
    cr.restore()


def lettering(pic, text, cx, cy, size, face, line, line_w, font="NanumGothic"):
    """Bold lettering centred on (cx, cy): a line round each glyph and a
    gradient face from top to bottom (face is a list of gradient stops)."""
    cr = pic.cr
    cr.save()
    cr.select_font_face(font, cairo.FONT_SLANT_NORMAL, cairo.FONT_WEIGHT_BOLD)
    cr.set_font_size(size)
    ext = cr.text_extents(text)
    x = cx - ext.width / 2 - ext.x_bearing
    y = cy - ext.height / 2 - ext.y_bearing
    cr.move_to(x, y)
    cr.text_path(text)
    if line is not None:
        cr.set_source_rgba(*rgb(line))
        cr.set_line_width(line_w)
        cr.stroke_preserve()
    top = y + ext.y_bearing
    cr.set_source(gradient((0, top, 0, top + ext.height), face))
    cr.fill()
    cr.restore()
    return (x + ext.x_bearing, top, ext.width, ext.height)
