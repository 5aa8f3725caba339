"""The three backgrounds still painted with Pillow, 600 x 400: the clearing
(배경2), the impact card (꽈당) and the golem's sky (화난골렘); the golem,
its heap and the dust clouds are drawn on cairo (golem.py) and laid over
them.

Same language as the figures: flat shapes with soft shading, light from the
upper left, distance shown by paler, bluer and slightly blurred layers.
메어드 stands over the middle (x 144 to 444), so the busiest detail is kept
to the sides and the middle is left open and even.
"""

import math

from PIL import ImageDraw, ImageFilter

from common import (Canvas, Rng, catmull, darker, lighter, shifted, intersect, subtract,
                    soft_ellipse, stroke_outline, vgradient)
import golem

W, H, SS = 600, 400, 3


class Scene(Canvas):
    """A Pillow canvas with shaded parts, for the painted backgrounds."""

    def __init__(self, w=W, h=H, ss=SS, background=None):
        super().__init__(w, h, ss, background)

    # one shaded, outlined part
    def part(self, pts, base, line, shade=None, light=None, smooth=True,
             lw=1.7, clip=None, shade_off=(5, 6), shade_blur=2.2,
             light_off=(-3, -3), light_op=0.55, shade_op=1.0, steps=10):
        if smooth:
            pts = catmull(pts, steps=steps)
        m = self.poly_mask(pts)
        if clip is not None:
            m = intersect(m, clip)
        self.fill(m, base)
        if shade is not None:
            self.shade(m, shade, shade_off, shade_blur, shade_op)
        if light is not None:
            self.shade(m, light, light_off, 1.5, light_op)
        if line is not None and clip is None:
            self.outline(pts, lw, line)
        return m

    def shade(self, m, color, off, blur, opacity=1.0):
        s = self.ss
        band = subtract(m, shifted(m, -off[0] * s, -off[1] * s))
        band = intersect(self.blur(band, blur), m)
        self.fill(band, color, opacity)

    def stroke(self, pts, widths, base, line, shade=None, light=None, lw=1.7, **kw):
        return self.part(stroke_outline(pts, widths), base, line, shade, light,
                         smooth=False, lw=lw, **kw)


def canvas(color=(0, 0, 0)):
    return Scene(W, H, SS, background=color)


def sky(cv, stops):
    cv.img.paste(vgradient(cv.img.size, None, None, stops=stops).convert("RGBA"), (0, 0))


def soften(cv, radius):
    """Blur everything drawn so far: pushes it back into the distance."""
    cv.img = cv.img.filter(ImageFilter.GaussianBlur(radius * cv.ss))


def circles_mask(cv, circles):
    m = cv.new_mask()
    d = ImageDraw.Draw(m)
    s = cv.ss
    for (x, y, r) in circles:
        d.ellipse(((x - r) * s, (y - r) * s, (x + r) * s, (y + r) * s), fill=255)
    return m


def foliage(cv, cx, cy, r, base, rng, n=9, spread=1.0, light_dir=(-1, -1)):
    """A clump of leaves: overlapping round masses, dark below, lit above."""
    circ = []
    for i in range(n):
        a = rng.uniform(0, 2 * math.pi)
        d = rng.uniform(0.1, 0.62) * r * spread
        rr = rng.uniform(0.38, 0.6) * r
        circ.append((cx + math.cos(a) * d * 1.25, cy + math.sin(a) * d * 0.8, rr))
    m = circles_mask(cv, circ)
    cv.fill(m, darker(base, 0.3))
    lm = circles_mask(cv, [(x + light_dir[0] * rr * 0.25, y + light_dir[1] * rr * 0.3,
                            rr * 0.85) for (x, y, rr) in circ])
    cv.fill(intersect(cv.blur(lm, 1.2), m), base)
    hm = circles_mask(cv, [(x + light_dir[0] * rr * 0.42, y + light_dir[1] * rr * 0.5,
                            rr * 0.5) for (x, y, rr) in circ])
    cv.fill(intersect(cv.blur(hm, 2.0), m), lighter(base, 0.22), 0.8)
    # leaf texture
    dots = []
    for i in range(int(n * 3)):
        a = rng.uniform(0, 2 * math.pi)
        d = rng.uniform(0, 0.8) * r
        dots.append((cx + math.cos(a) * d * 1.2, cy + math.sin(a) * d * 0.8,
                     rng.uniform(1.2, 2.6)))
    dm = intersect(circles_mask(cv, dots), m)
    cv.fill(dm, lighter(base, 0.35), 0.35)
    return m


def grass_tufts(cv, rng, region, count, colors, hmin=5, hmax=12, avoid=None):
    """Little fans of grass blades scattered over a rectangle, except where
    the mask 'avoid' is set (a road)."""
    x0, y0, x1, y1 = region
    for i in range(count):
        x = rng.uniform(x0, x1)
        y = rng.uniform(y0, y1)
        if avoid is not None:
            px = (min(cv.img.size[0] - 1, max(0, int(x * cv.ss))),
                  min(cv.img.size[1] - 1, max(0, int(y * cv.ss))))
            if avoid.getpixel(px) > 60:
                continue
        depth = (y - y0) / max(1.0, (y1 - y0))
        h = (hmin + (hmax - hmin) * depth) * rng.uniform(0.7, 1.2)
        col = rng.pick(colors)
        for k in range(3):
            ang = math.radians(-90 + (k - 1) * 22 + rng.uniform(-8, 8))
            tip = (x + math.cos(ang) * h, y + math.sin(ang) * h)
            cv.poly([(x - 1.2, y), tip, (x + 1.2, y)], col)


def path_pebbles(cv, rng, mask_pts, count, color, rmin=0.8, rmax=2.2):
    m = cv.poly_mask(mask_pts)
    dots = []
    xs = [p[0] for p in mask_pts]
    ys = [p[1] for p in mask_pts]
    for i in range(count):
        dots.append((rng.uniform(min(xs), max(xs)), rng.uniform(min(ys), max(ys)),
                     rng.uniform(rmin, rmax)))
    pm = intersect(circles_mask(cv, dots), m)
    cv.fill(shifted(pm, cv.ss, cv.ss), darker(color, 0.45), 0.5)
    cv.fill(pm, color)


def rock(cv, cx, cy, rx, ry, color, rng, moss=None, rot=0.0, crack=True, line=None,
         rim=None):
    """A boulder: rounded polygon, lit top-left, darker underside."""
    pts = []
    n = 9
    for k in range(n):
        a = 2 * math.pi * k / n + rot
        rr = rng.uniform(0.82, 1.08)
        pts.append((cx + math.cos(a) * rx * rr, cy + math.sin(a) * ry * rr))
    pts = catmull(pts, steps=6)
    m = cv.poly_mask(pts)
    cv.fill(m, color)
    sh = subtract(m, shifted(m, -int(rx * 0.35 * cv.ss), -int(ry * 0.45 * cv.ss)))
    cv.fill(intersect(cv.blur(sh, rx * 0.18), m), darker(color, 0.38))
    lt = subtract(m, shifted(m, int(rx * 0.25 * cv.ss), int(ry * 0.3 * cv.ss)))
    cv.fill(intersect(cv.blur(lt, rx * 0.12), m), lighter(color, 0.28), 0.8)
    if moss:
        mm = cv.ellipse_mask(cx - rx * 0.15, cy - ry * 0.75, rx * 0.75, ry * 0.45)
        mm = intersect(cv.blur(mm, 1.0), m)
        cv.fill(mm, moss, 0.9)
        mm2 = cv.ellipse_mask(cx - rx * 0.25, cy - ry * 0.85, rx * 0.4, ry * 0.22)
        cv.fill(intersect(cv.blur(mm2, 1.0), m), lighter(moss, 0.25), 0.8)
    if crack and rx > 14:
        x0 = cx + rng.uniform(-rx * 0.3, rx * 0.3)
        cm = cv.line_mask([(x0, cy - ry * 0.5), (x0 + rx * 0.12, cy - ry * 0.1),
                           (x0 - rx * 0.05, cy + ry * 0.25)], 1.0)
        cv.fill(intersect(cm, m), darker(color, 0.55), 0.7)
    if rim:
        s = cv.ss
        band = subtract(m, shifted(m, -int(3 * s), int(3 * s)))
        cv.fill(intersect(cv.blur(band, 0.8), m), rim, 0.85)
    if line:
        cv.outline(pts, 1.2, line)
    return m


def flowers(cv, rng, region, count, colors):
    x0, y0, x1, y1 = region
    for i in range(count):
        x, y = rng.uniform(x0, x1), rng.uniform(y0, y1)
        s = 0.6 + 0.9 * (y - y0) / max(1, y1 - y0)
        c = rng.pick(colors)
        for k in range(5):
            a = 2 * math.pi * k / 5
            cv.ellipse(x + math.cos(a) * 1.6 * s, y + math.sin(a) * 1.2 * s, 1.3 * s, 1.1 * s, c)
        cv.ellipse(x, y, 0.9 * s, 0.8 * s, (255, 220, 90))


# ================================================================ the golem

STONE = (150, 146, 138)
STONE_WARM = (160, 148, 132)
MOSS = (104, 140, 70)


def golem_heap(cv, cx, base_y, k, rng):
    """The golem at rest, drawn with the stones it rises with (golem.py),
    grass growing in the gaps."""
    cv.img.alpha_composite(golem.resting(cx, base_y, k, cv.ss))
    grass_tufts(cv, rng, (cx - 120 * k, base_y - 8 * k, cx + 120 * k, base_y + 4 * k), 40,
                [(90, 140, 60), (110, 160, 70)], 4, 9)


# ================================================================ 배경2

def clearing():
    """Outside the forest at last: an open, rocky clearing under a wide sky.
    A heap of rocks on the right.  The sword is not painted here: it is a
    picture of its own (내검), pulled out of the ground in the story."""
    rng = Rng(22)
    cv = canvas()
    sky(cv, [(0.0, (118, 176, 232)), (0.35, (170, 210, 240)), (0.5, (222, 238, 246)),
             (1.0, (222, 238, 246))])
    for (x, y, r) in ((90, 50, 40), (150, 40, 30), (430, 70, 44), (500, 60, 34),
                      (540, 76, 30), (260, 100, 24), (300, 96, 30)):
        cm = circles_mask(cv, [(x + dx * r, y + dy * r * 0.6, r * s)
                               for dx, dy, s in ((-0.9, 0.3, 0.55), (-0.3, 0, 0.8),
                                                 (0.4, 0.1, 0.7), (1.0, 0.35, 0.5))])
        cv.fill(cv.blur(cm, 1.0), (255, 255, 255), 0.85)
        cv.fill(intersect(cm, cv.blur(shifted(cm, 0, -int(r * 0.5 * cv.ss)), 3)),
                (214, 226, 240), 0.6)
    # distant mountains
    cv.poly(catmull([(-20, 190), (60, 140), (130, 156), (210, 120), (300, 150), (380, 126),
                     (470, 148), (560, 118), (640, 160), (640, 220), (-20, 220)], steps=8),
            (150, 176, 206))
    cv.poly(catmull([(-20, 196), (90, 168), (200, 178), (330, 160), (450, 176), (560, 156),
                     (640, 180), (640, 220), (-20, 220)], steps=8), (128, 160, 176))
    soften(cv, 1.2)
    # the forest they came out of, behind the clearing
    for i in range(30):
        x = -20 + i * 22 + rng.uniform(-6, 6)
        foliage(cv, x, rng.uniform(184, 200), rng.uniform(22, 34), (74, 118, 78), rng, n=6)
    # ground
    ground = catmull([(-20, 214), (150, 208), (320, 212), (470, 206), (640, 214),
                      (640, 420), (-20, 420)], steps=6)
    gm = cv.poly_mask(ground)
    cv.fill_image(gm, vgradient(cv.img.size, None, None,
                                stops=[(0.0, (150, 176, 96)), (0.55, (148, 178, 92)),
                                       (0.8, (128, 164, 80)), (1.0, (108, 146, 66))]))
    # dry, worn patches and bare earth where the fight was
    for (x, y, rx, ry, c, o) in ((300, 300, 170, 46, (196, 178, 120), 0.55),
                                 (460, 320, 120, 30, (176, 150, 104), 0.6),
                                 (120, 334, 80, 22, (176, 150, 104), 0.5),
                                 (260, 246, 120, 14, (184, 180, 120), 0.5)):
        cv.fill(soft_ellipse(cv, x, y, rx, ry, 8), c, o)
    path_pebbles(cv, rng, [(40, 240), (560, 240), (560, 390), (40, 390)], 90, (170, 164, 150),
                 0.8, 2.0)
    for i in range(10):
        x, y = rng.uniform(20, 580), rng.uniform(236, 380)
        if 380 < x < 600 and y < 340:
            continue
        s = 0.4 + (y - 230) / 150
        rock(cv, x, y, 8 * s, 5 * s, STONE, rng, crack=False)
    grass_tufts(cv, rng, (0, 226, 600, 400), 420,
                [(104, 150, 66), (126, 170, 76), (90, 134, 58), (150, 184, 92)], 4, 12)
    # the heap of rocks (the golem at rest)
    golem_heap(cv, 500, 330, 0.95, rng)
    flowers(cv, rng, (10, 300, 140, 390), 14, [(255, 255, 255), (250, 220, 110)])
    flowers(cv, rng, (420, 350, 590, 392), 12, [(255, 255, 255), (230, 170, 230)])
    # foreground rocks in the corners
    rock(cv, 18, 396, 44, 24, darker(STONE, 0.1), rng, moss=MOSS)
    rock(cv, 586, 398, 40, 22, darker(STONE, 0.1), rng, moss=MOSS)
    return cv.final().convert("RGB")


# ================================================================ 꽈당

def thud():
    """An impact card without lettering: focus lines rush in from the edges
    to a white flash, while the middle stays pale and still.  The same card
    serves a fall, a crash and the fade of the epilogue's quiet lines."""
    rng = Rng(33)
    cv = canvas((250, 214, 150))
    cv.fill(soft_ellipse(cv, 300, 200, 260, 170, 60), (255, 248, 226))
    cv.fill(soft_ellipse(cv, 300, 200, 160, 100, 30), (255, 252, 238))
    # focus lines
    n = 150
    for i in range(n):
        a = 2 * math.pi * (i + rng.uniform(-0.3, 0.3)) / n
        r_in = rng.uniform(1.15, 1.6)
        w = rng.uniform(0.006, 0.02)
        ex, ey = 190, 130
        inner = (300 + math.cos(a) * ex * r_in, 200 + math.sin(a) * ey * r_in)
        outer1 = (300 + math.cos(a - w) * 700, 200 + math.sin(a - w) * 500)
        outer2 = (300 + math.cos(a + w) * 700, 200 + math.sin(a + w) * 500)
        cv.poly([inner, outer1, outer2], (150, 90, 50), rng.uniform(0.35, 0.7))
    # dust clouds at the bottom, with the same volume as the golem's
    cv.img.alpha_composite(golem.dust_layer(
        [(40, 380, 46), (110, 396, 36), (560, 378, 48), (490, 398, 34), (300, 414, 40)],
        cv.ss, light=(240, 230, 216), shade=(200, 182, 166), line=(120, 96, 80)))
    return cv.final().convert("RGB")


# ================================================================ 화난골렘

def angry_golem():
    """The golem risen and furious: a hill of stone with burning eyes and
    glowing cracks, one fist raised, under a red sky."""
    cv = canvas()
    sky(cv, [(0.0, (58, 20, 44)), (0.35, (150, 40, 44)), (0.62, (236, 110, 56)),
             (0.75, (250, 170, 90)), (1.0, (250, 170, 90))])
    # radiating rage behind it
    for i in range(36):
        a = 2 * math.pi * i / 36 + 0.04
        w = 0.03
        cv.poly([(330, 150), (330 + math.cos(a - w) * 700, 150 + math.sin(a - w) * 700),
                 (330 + math.cos(a + w) * 700, 150 + math.sin(a + w) * 700)],
                (255, 200, 120), 0.12)
    # storm clouds
    for (x, y, r) in ((60, 40, 60), (170, 20, 50), (520, 30, 64), (420, 10, 40),
                      (600, 90, 50), (0, 120, 40)):
        m = circles_mask(cv, [(x + dx * r, y + dy * r * 0.6, r * s) for dx, dy, s in
                              ((-0.8, 0.2, 0.6), (0, 0, 0.85), (0.8, 0.25, 0.6))])
        cv.fill(m, (50, 22, 40))
        cv.fill(intersect(m, shifted(m, 0, -int(r * 0.25 * cv.ss))), (84, 34, 52))
    # hills, darkened
    cv.poly(catmull([(-20, 250), (100, 226), (220, 236), (380, 224), (520, 236), (640, 226),
                     (640, 300), (-20, 300)], steps=6), (76, 40, 56))
    soften(cv, 1.0)
    ground = catmull([(-20, 262), (200, 256), (420, 260), (640, 254), (640, 420),
                      (-20, 420)], steps=6)
    cv.fill_image(cv.poly_mask(ground), vgradient(cv.img.size, None, None,
                  stops=[(0.0, (110, 70, 54)), (0.7, (96, 64, 50)), (1.0, (64, 40, 36))]))
    cv.fill(soft_ellipse(cv, 330, 330, 220, 40, 10), (40, 20, 24), 0.55)
    img = cv.final()
    img.alpha_composite(golem.golem())
    return img.convert("RGB")
