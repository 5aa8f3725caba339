"""The six backgrounds, 600 x 400.

Same language as the figures: flat shapes with soft shading, light from the
upper left, distance shown by paler, bluer and slightly blurred layers.
메어드 stands over the middle (x 144 to 444), so the busiest detail is kept
to the sides and the middle is left open and even.
"""

import math

from PIL import ImageDraw, ImageFilter

from common import (Canvas, Rng, catmull, bezier, darker, lighter, shifted,
                    intersect, subtract, union, soft_ellipse, stroke_outline, vgradient)
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


def haze(cv, color, opacity, top=0, bottom=H):
    m = cv.poly_mask([(0, top), (W, top), (W, bottom), (0, bottom)])
    cv.fill(m, color, opacity)


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


def trunk(cv, x, base_y, top_y, w, color, rng, lean=0.0, bark=True, roots=True):
    """A tree trunk, lit from the left, with bark lines and a root flare."""
    tw = w * 0.72
    pts = [(x - tw / 2 + lean, top_y), (x + tw / 2 + lean, top_y),
           (x + w / 2, base_y - w * 0.6)]
    if roots:
        pts += [(x + w * 0.62, base_y - w * 0.2), (x + w * 0.95, base_y + 2),
                (x + w * 0.3, base_y - 2), (x, base_y + 1), (x - w * 0.35, base_y - 1),
                (x - w * 0.95, base_y + 2), (x - w * 0.62, base_y - w * 0.2)]
    pts += [(x - w / 2, base_y - w * 0.6)]
    m = cv.poly_mask(pts)
    cv.fill(m, color)
    # shade on the right half, light on the left edge
    sh = cv.poly_mask([(x + lean * 0.5 + w * 0.05, top_y - 5), (x + w * 2, top_y - 5),
                       (x + w * 2, base_y + 5), (x + w * 0.05, base_y + 5)])
    cv.fill(intersect(cv.blur(sh, w * 0.12), m), darker(color, 0.35))
    lt = subtract(m, shifted(m, int(w * 0.18 * cv.ss), 0))
    cv.fill(intersect(cv.blur(lt, w * 0.06), m), lighter(color, 0.2), 0.7)
    if bark:
        for i in range(int(w / 4)):
            bx = x + rng.uniform(-w * 0.4, w * 0.4)
            y0 = rng.uniform(top_y, base_y - w * 0.5)
            y1 = y0 + rng.uniform(20, 60)
            f = (y0 - top_y) / max(1.0, base_y - top_y)
            cx = bx + lean * (1 - f)
            bm = cv.line_mask([(cx, y0), (cx + rng.uniform(-2, 2), (y0 + y1) / 2),
                               (cx + rng.uniform(-2, 2), y1)], rng.uniform(0.8, 1.6))
            cv.fill(intersect(bm, m), darker(color, 0.5), 0.6)
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


def light_rays(cv, rays, color=(255, 250, 210), opacity=0.22):
    for (x0, w0, x1, w1) in rays:
        m = cv.poly_mask([(x0 - w0, -10), (x0 + w0, -10), (x1 + w1, H + 10),
                          (x1 - w1, H + 10)])
        fade = vgradient(cv.img.size, None, None,
                         stops=[(0, (255, 255, 255)), (0.7, (120, 120, 120)),
                                (1.0, (0, 0, 0))]).convert("L")
        cv.fill(intersect(cv.blur(m, 6), fade), color, opacity)


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


# ================================================================ 배경1

def forest_crossroads():
    """A crossroads in a sunlit forest: the road comes towards the viewer,
    side roads bend away left and right, a signpost stands at the corner."""
    rng = Rng(11)
    cv = canvas()
    sky(cv, [(0.0, (232, 240, 200)), (0.45, (206, 226, 170)), (1.0, (150, 190, 120))])
    # far forest: pale blue-green trunks and masses
    for i in range(26):
        x = rng.uniform(-10, 610)
        trunk(cv, x, rng.uniform(205, 215), -10, rng.uniform(6, 12), (150, 170, 140), rng,
              bark=False, roots=False)
    for i in range(22):
        foliage(cv, rng.uniform(-20, 620), rng.uniform(10, 130), rng.uniform(40, 70),
                (140, 172, 120), rng, n=7)
    # the bright opening at the end of the straight road
    cv.fill(soft_ellipse(cv, 300, 170, 70, 46, 22), (255, 252, 220), 0.9)
    soften(cv, 2.0)
    # middle forest
    mid_green = (92, 138, 82)
    for i in range(14):
        x = rng.uniform(-20, 620)
        if 250 < x < 350:
            continue
        trunk(cv, x, rng.uniform(214, 226), -10, rng.uniform(12, 20), (112, 100, 86), rng)
    for i in range(18):
        x = rng.uniform(-30, 630)
        foliage(cv, x, rng.uniform(-10, 70), rng.uniform(50, 80), mid_green, rng, n=8)
    # ground
    ground = [(-10, 206), (120, 200), (300, 196), (480, 200), (610, 206), (610, 410),
              (-10, 410)]
    gm = cv.poly_mask(ground)
    cv.fill_image(gm, vgradient(cv.img.size, None, None,
                                stops=[(0.0, (120, 160, 80)), (0.5, (110, 160, 74)),
                                       (0.75, (96, 150, 66)), (1.0, (76, 128, 56))]))
    # soft shadow of the canopy on the ground, with sun patches
    for (x, y, rx, ry) in ((90, 300, 120, 40), (520, 320, 110, 36), (300, 380, 220, 30)):
        cv.fill(soft_ellipse(cv, x, y, rx, ry, 18), (40, 80, 40), 0.25)
    for (x, y, rx, ry) in ((220, 290, 60, 12), (420, 262, 50, 10), (130, 250, 40, 8)):
        cv.fill(soft_ellipse(cv, x, y, rx, ry, 6), (240, 240, 170), 0.35)
    # roads
    main = catmull([(170, 410), (250, 300), (284, 230), (294, 196), (306, 196), (316, 230),
                    (350, 300), (430, 410)], closed=True, steps=8)
    side_l = catmull([(300, 252), (200, 250), (110, 240), (40, 224), (-20, 212), (-20, 202),
                      (40, 210), (120, 222), (210, 226), (300, 226)], closed=True, steps=8)
    side_r = [(600 - x, y) for (x, y) in side_l]
    roads = union(union(cv.poly_mask(main), cv.poly_mask(side_l)), cv.poly_mask(side_r))
    roads = cv.blur(roads, 0.8)
    cv.fill_image(roads, vgradient(cv.img.size, None, None,
                                   stops=[(0.0, (226, 206, 160)), (0.5, (214, 186, 134)),
                                          (1.0, (190, 152, 100))]))
    # darker verges and wheel ruts
    outside = subtract(cv.new_mask(255), roads)
    cv.fill(intersect(roads, cv.blur(outside, 4)), (150, 116, 74), 0.55)
    for side in (-1, 1):
        cv.fill(intersect(cv.blur(cv.line_mask(bezier((300 + side * 50, 410),
                                                       (300 + side * 20, 300),
                                                       (300 + side * 4, 205)), 5.0), 2),
                          roads), (184, 148, 100), 0.45)
    cv.fill(intersect(cv.blur(cv.line_mask(bezier((300, 410), (300, 300), (300, 205)), 7.0), 3),
                      roads), (232, 214, 170), 0.5)
    path_pebbles(cv, rng, [(170, 290), (430, 290), (430, 410), (170, 410)], 60,
                 (196, 170, 128))
    path_pebbles(cv, rng, [(60, 214), (540, 214), (540, 290), (60, 290)], 40,
                 (200, 176, 136), 0.6, 1.4)
    # grass along the verges
    grass_cols = [(84, 140, 60), (104, 160, 70), (70, 120, 52), (126, 176, 84)]
    grass_tufts(cv, rng, (0, 256, 230, 400), 260, grass_cols, 5, 14, avoid=roads)
    grass_tufts(cv, rng, (370, 256, 600, 400), 260, grass_cols, 5, 14, avoid=roads)
    grass_tufts(cv, rng, (0, 210, 290, 238), 70, grass_cols, 3, 6, avoid=roads)
    grass_tufts(cv, rng, (310, 210, 600, 238), 70, grass_cols, 3, 6, avoid=roads)
    flowers(cv, rng, (10, 270, 200, 390), 26, [(255, 255, 255), (250, 220, 110), (230, 160, 220)])
    flowers(cv, rng, (410, 270, 590, 390), 26, [(255, 255, 255), (250, 220, 110), (170, 200, 255)])
    # bushes at the corners of the crossing
    for (x, y, r) in ((200, 218, 26), (404, 220, 26), (150, 214, 20), (454, 214, 20)):
        foliage(cv, x, y - r * 0.4, r, (78, 130, 66), rng, n=7)
    # near trees framing the picture, with their shadows on the grass
    for (x, y, rx) in ((30, 330, 60), (112, 262, 30), (574, 336, 64), (500, 264, 30)):
        cv.fill(soft_ellipse(cv, x + rx * 0.4, y + 2, rx, rx * 0.16, 3), (30, 60, 30), 0.45)
    dark_bark = (92, 72, 58)
    trunk(cv, 28, 330, -10, 54, dark_bark, rng, lean=6)
    trunk(cv, 112, 262, -10, 26, (104, 84, 66), rng, lean=-4)
    trunk(cv, 574, 336, -10, 58, dark_bark, rng, lean=-8)
    trunk(cv, 500, 264, -10, 26, (104, 84, 66), rng, lean=5)
    # signpost at the right corner of the crossing
    post_c = (150, 110, 70)
    post = [(476, 146), (482, 146), (484, 260), (474, 260)]
    cv.poly(post, post_c)
    cv.poly([(479, 146), (482, 146), (484, 260), (480, 260)], darker(post_c, 0.3))
    for (y, d, l) in ((158, 1, 38), (176, -1, 36), (194, 1, 30)):
        x0 = 479
        x1 = x0 + d * l
        board = [(x0 - d * 6, y - 6), (x1, y - 6), (x1 + d * 8, y), (x1, y + 6),
                 (x0 - d * 6, y + 6)]
        cv.poly(board, (190, 146, 96))
        cv.poly([(x0 - d * 6, y + 2), (x1, y + 2), (x1 + d * 4, y + 4), (x1, y + 6),
                 (x0 - d * 6, y + 6)], (156, 112, 70))
        cv.outline(board, 1.0, (80, 52, 30))
        for k in range(3):
            xx = x0 + d * (10 + k * 8)
            cv.line([(xx, y - 2), (xx + d * 4, y - 1)], 0.8, (110, 74, 44))
    cv.poly([(470, 258), (488, 258), (490, 264), (468, 264)], (120, 130, 90), 0.6)
    # near canopy: dark leaves across the top and down the sides
    near = (56, 104, 58)
    for (x, y, r) in ((-10, 10, 90), (70, -20, 80), (160, -40, 70), (250, -50, 60),
                      (360, -50, 60), (450, -40, 70), (540, -20, 80), (620, 10, 90),
                      (-20, 120, 60), (625, 130, 60)):
        foliage(cv, x, y, r, near, rng, n=10)
    # sunbeams
    light_rays(cv, [(140, 14, 300, 40), (230, 10, 420, 30), (60, 10, 180, 28)])
    # foreground leaves in the bottom corners
    for (x, y, r) in ((-10, 392, 50), (610, 388, 52), (40, 410, 34), (560, 412, 36)):
        foliage(cv, x, y, r, (60, 118, 56), rng, n=8)
    return cv.final().convert("RGB")


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


# ================================================================ 엔딩배경

def ending():
    """Evening after the fight: warm light over the hills, the golem only
    rubble with flowers, and far off the village that is home."""
    rng = Rng(55)
    cv = canvas()
    sky(cv, [(0.0, (96, 108, 186)), (0.25, (176, 140, 190)), (0.45, (250, 170, 150)),
             (0.58, (255, 214, 150)), (1.0, (255, 220, 160))])
    sun = (476, 196)
    cv.fill(soft_ellipse(cv, sun[0], sun[1], 150, 110, 50), (255, 236, 180), 0.8)
    cv.fill(soft_ellipse(cv, sun[0], sun[1], 60, 60, 16), (255, 246, 210), 0.9)
    cv.ellipse(sun[0], sun[1], 26, 26, (255, 250, 226))
    # warm clouds with lit undersides
    for (x, y, r) in ((110, 70, 40), (200, 50, 30), (380, 90, 34), (560, 60, 36),
                      (60, 140, 26)):
        m = circles_mask(cv, [(x + dx * r, y + dy * r * 0.5, r * s) for dx, dy, s in
                              ((-1.0, 0.3, 0.5), (-0.3, 0, 0.7), (0.4, 0.1, 0.62),
                               (1.0, 0.35, 0.45))])
        cv.fill(cv.blur(m, 0.8), (236, 160, 170))
        cv.fill(intersect(m, subtract(m, shifted(m, 0, -int(r * 0.3 * cv.ss)))),
                (255, 214, 170))
    # far hills and the village
    cv.poly(catmull([(-20, 210), (80, 178), (170, 190), (280, 196), (400, 206), (520, 200),
                     (640, 210), (640, 260), (-20, 260)], steps=8), (190, 140, 160))
    soften(cv, 1.2)
    village(cv, rng)
    cv.poly(catmull([(-20, 232), (120, 216), (260, 228), (420, 222), (560, 232), (640, 226),
                     (640, 280), (-20, 280)], steps=8), (150, 150, 110))
    for i in range(16):
        x = 300 + i * 22 + rng.uniform(-6, 6)
        foliage(cv, x, rng.uniform(228, 236), rng.uniform(12, 20), (104, 120, 70), rng, n=5)
    # meadow in evening light
    ground = catmull([(-20, 246), (160, 240), (340, 246), (500, 240), (640, 246),
                      (640, 420), (-20, 420)], steps=6)
    cv.fill_image(cv.poly_mask(ground), vgradient(cv.img.size, None, None,
                  stops=[(0.0, (196, 190, 100)), (0.65, (176, 176, 90)), (0.8, (150, 156, 80)),
                         (1.0, (120, 130, 66))]))
    cv.fill(soft_ellipse(cv, 470, 270, 220, 40, 20), (255, 230, 150), 0.45)
    grass_tufts(cv, rng, (0, 250, 600, 400), 440,
                [(150, 160, 70), (176, 180, 86), (128, 140, 60), (200, 190, 96)], 4, 13)
    flowers(cv, rng, (0, 270, 600, 395), 70,
            [(255, 255, 255), (255, 220, 120), (250, 170, 200), (200, 180, 255)])
    # the golem is only rubble now, with flowers in the gaps
    cv.fill(soft_ellipse(cv, 92, 352, 90, 12, 4), (80, 70, 40), 0.4)
    cv.img.alpha_composite(golem.rubble(cv.ss))
    flowers(cv, rng, (20, 330, 170, 372), 14, [(255, 255, 255), (255, 200, 220)])
    # sun rays and drifting petals
    light_rays(cv, [(470, 10, 300, 90), (520, 10, 560, 70), (420, 8, 120, 60)],
               (255, 240, 200), 0.16)
    for i in range(24):
        x, y = rng.uniform(0, 600), rng.uniform(40, 380)
        if 170 < x < 430 and y < 260:
            continue
        a = rng.uniform(0, 180)
        cv.ellipse(x, y, 2.6, 1.4, (255, 214, 226), rot=a)
    return cv.final().convert("RGB")


def village(cv, rng):
    """A few houses on the far hill, windows lit, one chimney smoking."""
    for (x, y, w, h) in ((46, 186, 22, 14), (72, 182, 18, 16), (96, 188, 24, 12),
                         (122, 190, 16, 12), (20, 192, 16, 10)):
        cv.poly([(x, y), (x + w, y), (x + w, y + h), (x, y + h)], (236, 206, 176))
        cv.poly([(x + w * 0.55, y), (x + w, y), (x + w, y + h), (x + w * 0.55, y + h)],
                (206, 164, 150))
        cv.poly([(x - 3, y + 1), (x + w / 2, y - h * 0.7), (x + w + 3, y + 1)], (176, 84, 70))
        cv.ellipse(x + w * 0.3, y + h * 0.55, 1.6, 1.8, (255, 230, 140))
    cv.poly([(80, 170), (84, 170), (84, 180), (80, 180)], (140, 90, 80))
    for k in range(5):
        cv.ellipse(84 + k * 5, 164 - k * 7, 3 + k, 2.5 + k * 0.8, (250, 236, 236), 0.5)
    cv.poly([(150, 196), (154, 168), (158, 196)], (120, 110, 110))   # a little steeple
    cv.poly([(146, 196), (162, 196), (162, 202), (146, 202)], (226, 200, 176))


# ================================================================ 끝

def the_end():
    """Closing card: night sky turning to dawn over dark hills, the word 끝
    in the upper middle (the hero stands below it, looking up)."""
    rng = Rng(66)
    cv = canvas()
    sky(cv, [(0.0, (14, 16, 44)), (0.4, (44, 40, 98)), (0.66, (120, 80, 140)),
             (0.8, (232, 146, 124)), (1.0, (250, 190, 140))])
    for i in range(170):
        x, y = rng.uniform(0, 600), rng.uniform(0, 260)
        r = rng.uniform(0.4, 1.2) if rng.chance(0.9) else rng.uniform(1.3, 2.0)
        cv.ellipse(x, y, r, r, (255, 250, 230), opacity=max(0.3, 1 - y / 300))
    for (x, y, r) in ((84, 58, 7), (520, 150, 6), (180, 200, 5), (430, 40, 5)):
        cv.poly([(x, y - r), (x + r * 0.25, y - r * 0.25), (x + r, y), (x + r * 0.25, y + r * 0.25),
                 (x, y + r), (x - r * 0.25, y + r * 0.25), (x - r, y), (x - r * 0.25, y - r * 0.25)],
                (255, 250, 220))
    # crescent moon
    cv.fill(soft_ellipse(cv, 510, 70, 40, 40, 12), (255, 240, 200), 0.35)
    moon = subtract(cv.ellipse_mask(510, 70, 22, 22), cv.ellipse_mask(520, 62, 20, 20))
    cv.fill(moon, (255, 244, 206))
    # the word, with a soft glow and a thin ornament under it
    cv.fill(cv.blur(cv.text_mask((300, 118), "끝", 92, stroke=2), 8), (255, 220, 160), 0.55)
    cv.fill(cv.text_mask((302, 121), "끝", 92), (30, 20, 60), 0.6)
    cv.fill(cv.text_mask((300, 118), "끝", 92), (255, 246, 226))
    for side in (-1, 1):
        cv.line([(300 + side * 22, 184), (300 + side * 110, 184)], 1.4, (255, 226, 170))
        cv.ellipse(300 + side * 116, 184, 2.2, 2.2, (255, 226, 170))
    cv.poly([(300, 176), (306, 184), (300, 192), (294, 184)], (255, 226, 170))
    # hills and trees in silhouette
    cv.poly(catmull([(-20, 310), (100, 286), (220, 300), (360, 292), (480, 280), (640, 300),
                     (640, 420), (-20, 420)], steps=8), (58, 44, 86))
    for (x, y, h) in ((40, 300, 40), (70, 296, 30), (540, 288, 46), (580, 292, 34),
                      (500, 290, 26)):
        cv.poly([(x, y - h), (x + h * 0.3, y), (x - h * 0.3, y)], (40, 30, 64))
    cv.poly(catmull([(-20, 340), (140, 322), (300, 334), (460, 320), (640, 336),
                     (640, 420), (-20, 420)], steps=8), (34, 26, 56))
    # fireflies
    for i in range(18):
        x, y = rng.uniform(10, 590), rng.uniform(300, 390)
        cv.fill(soft_ellipse(cv, x, y, 4, 4, 2), (255, 240, 150), 0.5)
        cv.ellipse(x, y, 1.1, 1.1, (255, 250, 200))
    return cv.final().convert("RGB")
