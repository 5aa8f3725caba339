"""메어드, the sorceress: one figure, fifteen moods.

The figure is built from parts (hair, hat, robe, sleeves, hands, face) that
every mood shares; a mood only picks a pose for the arms and the staff, a
face (eyes, brows, mouth) and a few comic marks (sweat, tears, sparkles).
Light comes from the upper left; every part gets a soft shade on its lower
right edge and a faint light on its upper left edge, and a dark coloured
line round it, so the outer edge of the figure is always a dark line.
"""

import math

from common import (Canvas, catmull, bezier, ellipse_pts, stroke_outline,
                    darker, lighter, shifted, intersect, subtract, soft_ellipse)

W, H, SS = 300, 400, 4

# ---------------------------------------------------------------- palette
SKIN = (255, 228, 210)
SKIN_SH = (238, 180, 160)
SKIN_LN = (150, 78, 70)
HAIR = (168, 78, 56)
HAIR_SH = (118, 48, 40)
HAIR_HI = (222, 138, 96)
HAIR_LN = (70, 24, 26)
ROBE = (74, 64, 148)
ROBE_SH = (48, 40, 106)
ROBE_HI = (112, 102, 192)
ROBE_LN = (26, 20, 58)
CAPE = (56, 46, 118)
CAPE_SH = (36, 28, 84)
GOLD = (232, 186, 84)
GOLD_SH = (170, 120, 44)
GOLD_LN = (96, 60, 20)
CREAM = (248, 240, 224)
CREAM_SH = (212, 198, 182)
CREAM_LN = (110, 92, 92)
WOOD = (150, 102, 62)
WOOD_SH = (100, 64, 38)
WOOD_LN = (56, 32, 20)
GEM = (96, 214, 236)
GEM_SH = (34, 130, 176)
GEM_LN = (16, 56, 90)
IRIS = (208, 132, 36)
IRIS_DK = (120, 62, 20)
EYE_LN = (48, 22, 24)
MOUTH = (176, 70, 72)
MOUTH_DK = (110, 34, 44)
TONGUE = (236, 120, 120)
BLUSH = (255, 140, 150)
TEAR = (170, 226, 255)
TEAR_LN = (60, 120, 170)
SWEAT = (186, 232, 255)
ANGER = (226, 52, 52)
SPARK = (255, 236, 140)
SPARK_LN = (150, 100, 20)
MAGIC = (150, 236, 255)
MAGIC_LN = (40, 110, 170)

LW = 1.7  # standard line width in picture pixels


class Figure(Canvas):
    def __init__(self, w=W, h=H, ss=SS, background=None):
        super().__init__(w, h, ss, background)

    # one shaded, outlined part
    def part(self, pts, base, line, shade=None, light=None, smooth=True,
             lw=LW, clip=None, shade_off=(5, 6), shade_blur=2.2,
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

    def stroke(self, pts, widths, base, line, shade=None, light=None, lw=LW, **kw):
        return self.part(stroke_outline(pts, widths), base, line, shade, light,
                         smooth=False, lw=lw, **kw)


# ---------------------------------------------------------------- parts

def hair_back(f, p):
    """The long hair behind head and body."""
    sway = p.get("sway", 0)
    pts = [(150, 92), (112, 100), (92, 128), (86, 170), (84, 214), (80, 252),
           (72, 292), (78, 318 + sway), (94, 330), (104, 312), (116, 326),
           (128, 300), (150, 290), (172, 300), (184, 326), (196, 312),
           (206, 330), (222, 318 - sway), (228, 292), (220, 252), (216, 214),
           (214, 170), (208, 128), (188, 100)]
    m = f.part(pts, HAIR_SH, HAIR_LN, shade=darker(HAIR_SH, 0.25),
               light=HAIR, shade_off=(6, 6), light_off=(-5, 0), light_op=0.6)
    for (a, b, c) in (((98, 150), (90, 230), (84, 300)), ((202, 150), (210, 230), (216, 300)),
                      ((110, 210), (104, 262), (110, 318)), ((190, 210), (196, 262),
                                                            (190, 318))):
        f.fill(intersect(f.line_mask(bezier(a, b, c), 1.1), m), darker(HAIR_SH, 0.35), 0.8)
    return m


def staff(f, top, bottom, glow=False):
    """The staff: a wooden shaft ending in a curl that cradles a gem."""
    (tx, ty), (bx, by) = top, bottom
    ang = math.atan2(by - ty, bx - tx)
    ux, uy = math.cos(ang), math.sin(ang)
    nx, ny = -uy, ux
    shaft = [(tx + ux * 10, ty + uy * 10), (bx, by)]
    f.stroke(shaft, [7.5, 6.5], WOOD, WOOD_LN, shade=WOOD_SH,
             light=lighter(WOOD, 0.3), shade_off=(3, 0))
    # carved rings
    for k in (0.10, 0.14):
        cx, cy = tx + (bx - tx) * k + ux * 10, ty + (by - ty) * k + uy * 10
        f.stroke([(cx - nx * 5, cy - ny * 5), (cx + nx * 5, cy + ny * 5)], 3.4,
                 GOLD, GOLD_LN, lw=1.2)
    # curl around the gem
    curl = []
    for k in range(0, 15):
        a = math.radians(-100 + k * 22)
        r = 15 - k * 0.25
        curl.append((tx + (math.cos(a) * nx + math.sin(a) * ux) * r * 1.0 - ux * 2,
                     ty + (math.cos(a) * ny + math.sin(a) * uy) * r * 1.0 - uy * 2))
    f.stroke(curl, [4.5 + 2.0 * (1 - k / 14) for k in range(15)], WOOD, WOOD_LN,
             shade=WOOD_SH, shade_off=(2, 2))
    if glow:
        # a crisp flare behind the gem (GIF transparency allows no soft glow)
        flare = []
        for k in range(16):
            a = math.radians(k * 22.5 + 11.25)
            r = (21 if k % 4 == 0 else 13) if k % 2 == 0 else 7
            flare.append((tx + math.cos(a) * r, ty + math.sin(a) * r))
        f.part(flare, MAGIC, MAGIC_LN, smooth=False, lw=1.2, shade=(210, 250, 255),
               shade_off=(-3, -3))
    gem = [(tx, ty - 10), (tx + 7, ty - 1), (tx, ty + 10), (tx - 7, ty - 1)]
    f.part(gem, GEM, GEM_LN, shade=GEM_SH, light=(230, 255, 255), smooth=False,
           shade_off=(3, 2), light_off=(-2, -2), light_op=0.9, lw=1.4)
    f.poly([(tx - 3, ty - 5), (tx - 1, ty - 7), (tx - 1, ty - 1), (tx - 3, ty)],
           (255, 255, 255))


def body(f, p):
    """Robe, capelet, collar and belt (front view)."""
    robe = [(150, 214), (120, 222), (104, 236), (98, 270), (94, 310), (86, 360),
            (80, 404), (220, 404), (214, 360), (206, 310), (202, 270),
            (196, 236), (180, 222)]
    f.part(robe, ROBE, ROBE_LN, shade=ROBE_SH, light=ROBE_HI, shade_off=(9, 4),
           shade_blur=4)
    # fold shadows in the skirt
    for x0, x1 in ((122, 112), (178, 190)):
        f.line(bezier((x0, 318), (x0 - 2, 360), (x1, 404)), 2.2, ROBE_SH)
    # front panel
    panel = [(142, 262), (158, 262), (168, 404), (132, 404)]
    f.part(panel, CREAM, CREAM_LN, shade=CREAM_SH, smooth=False, shade_off=(4, 0))
    for side in (-1, 1):
        x_top, x_bot = 150 + side * 8, 150 + side * 18
        f.stroke([(x_top, 264), (x_bot, 404)], 4.0, GOLD, GOLD_LN, shade=GOLD_SH, lw=1.2)
    # belt
    belt = [(100, 300), (200, 300), (202, 313), (98, 313)]
    f.part(belt, (92, 52, 60), (40, 18, 26), shade=(62, 30, 40), smooth=False,
           shade_off=(0, 4))
    buckle = [(142, 298), (158, 298), (160, 315), (140, 315)]
    f.part(buckle, GOLD, GOLD_LN, shade=GOLD_SH, smooth=False, lw=1.3)
    f.ellipse(150, 306.5, 3.2, 3.6, GEM)
    # capelet
    cape = [(150, 214), (124, 218), (104, 230), (94, 248), (90, 268), (100, 274),
            (112, 268), (124, 276), (138, 270), (150, 278), (162, 270), (176, 276),
            (188, 268), (200, 274), (210, 268), (206, 248), (196, 230), (176, 218)]
    f.part(cape, CAPE, ROBE_LN, shade=CAPE_SH, light=ROBE, shade_off=(6, 6),
                steps=6)
    # gold hem of the capelet
    hem = catmull(cape, steps=6)
    lower = [pt for pt in hem if pt[1] > 262]
    lower.sort(key=lambda q: q[0])
    f.line(lower, 2.2, GOLD)
    # collar
    collar = [(132, 206), (150, 214), (168, 206), (172, 222), (150, 230), (128, 222)]
    f.part(collar, CREAM, CREAM_LN, shade=CREAM_SH, smooth=False, lw=1.4)
    # brooch
    f.ellipse(150, 229, 6.5, 6.5, GOLD_LN)
    f.ellipse(150, 229, 5.3, 5.3, GOLD)
    f.ellipse(150, 229, 3.2, 3.2, GEM_SH)
    f.ellipse(149.2, 228.2, 1.5, 1.5, (230, 255, 255))


def neck(f):
    pts = [(141, 188), (159, 188), (160, 214), (150, 218), (140, 214)]
    m = f.part(pts, SKIN, SKIN_LN, smooth=False, lw=1.3)
    f.fill(intersect(m, f.blur(f.poly_mask([(130, 180), (170, 180), (170, 203),
                                             (130, 207)]), 1.5)), SKIN_SH)


def face_shape(f, p):
    pts = [(109, 128), (110, 154), (116, 176), (128, 192), (142, 201), (150, 203),
           (158, 201), (172, 192), (184, 176), (190, 154), (191, 128), (150, 112)]
    m = f.part(pts, SKIN, SKIN_LN, shade=SKIN_SH, shade_off=(4, 3),
               shade_blur=2.5, light=(255, 242, 232), light_op=0.4)
    return m


def sleeve(f, sh, el, wr, cuff_w=34):
    """A robe sleeve: upper arm, then a forearm that opens into a bell cuff."""
    f.stroke([sh, el], [23, 22], ROBE, ROBE_LN, shade=ROBE_SH, light=ROBE_HI,
             shade_off=(5, 5))
    n = 8
    pts = [(el[0] + (wr[0] - el[0]) * i / (n - 1), el[1] + (wr[1] - el[1]) * i / (n - 1))
           for i in range(n)]
    widths = [22 + (cuff_w - 22) * max(0.0, (i / (n - 1) - 0.3) / 0.7) ** 1.6
              for i in range(n)]
    m = f.stroke(pts, widths, ROBE, ROBE_LN, shade=ROBE_SH, light=ROBE_HI,
                 shade_off=(5, 5))
    # gold cuff band
    ang = math.atan2(wr[1] - el[1], wr[0] - el[0])
    ux, uy = math.cos(ang), math.sin(ang)
    nx, ny = -uy, ux
    w = cuff_w / 2 + 2
    cx, cy = wr[0] - ux * 6, wr[1] - uy * 6
    band = [(cx - nx * w, cy - ny * w), (cx + nx * w, cy + ny * w),
            (cx + nx * w + ux * 4.5, cy + ny * w + uy * 4.5),
            (cx - nx * w + ux * 4.5, cy - ny * w + uy * 4.5)]
    f.fill(intersect(f.poly_mask(band), m), GOLD)
    return ang


def hand(f, at, ang, kind="fist", flip=False, k=1.3):
    """A small hand at 'at'; ang (degrees) points from the wrist to the
    fingertips.  For 'grip' and 'fist' 'at' is the middle of the fist."""
    x, y = at
    a = math.radians(ang)
    ux, uy = math.cos(a), math.sin(a)
    nx, ny = -uy, ux
    if flip:
        nx, ny = -nx, -ny

    def T(pts):
        return [(x + (ux * u + nx * v) * k, y + (uy * u + ny * v) * k) for u, v in pts]

    if kind in ("fist", "grip"):
        f.part(T([(-7, -7), (1, -8.5), (7, -6), (8, 0), (7, 6), (0, 8), (-7, 7),
                      (-8.5, 0)]), SKIN, SKIN_LN, shade=SKIN_SH, shade_off=(2, 3),
               lw=1.4, steps=6)
        for v in (-3.2, 0.2, 3.6):
            f.line(T([(2.5, v), (7, v)]), 0.85, SKIN_LN)
        f.line(catmull(T([(-4, 4.5), (0, 6.5), (3, 5.5)]), closed=False, steps=5), 0.9,
               SKIN_LN)
    elif kind == "relaxed":
        f.part(T([(-3, -6), (6, -7), (13, -5), (16, -1), (15, 3), (11, 5), (8, 8),
                  (4, 9), (1, 6.5), (-3, 6)]), SKIN, SKIN_LN, shade=SKIN_SH,
               shade_off=(2, 3), lw=1.4, steps=6)
        for v in (-2.5, 0.8):
            f.line(T([(10, v), (15, v + 0.3)]), 0.8, SKIN_LN)
    elif kind == "open":
        pts = [(-3, -6), (5, -7), (10, -9), (18, -9.5), (19, -7), (12, -5.5),
               (19, -4.5), (20, -2), (13, -1.5), (19, 0.5), (19.5, 3), (12, 2.5),
               (17, 5), (16.5, 7.5), (9, 6), (6, 10), (2, 9.5), (-3, 6)]
        f.part(T(pts), SKIN, SKIN_LN, shade=SKIN_SH, shade_off=(2, 3), lw=1.3,
               smooth=False)
    elif kind == "point":     # fist with the forefinger out
        f.part(T([(-7, -7), (1, -8.5), (7, -6), (8, 0), (7, 6), (0, 8), (-7, 7),
                  (-8.5, 0)]), SKIN, SKIN_LN, shade=SKIN_SH, shade_off=(2, 3),
               lw=1.4, steps=6)
        f.stroke(T([(4, -4), (15, -5)]), 4.2, SKIN, SKIN_LN, lw=1.2)
        for v in (0.2, 3.6):
            f.line(T([(2.5, v), (7, v)]), 0.85, SKIN_LN)


def front_hair(f, p):
    """Bangs and the two locks that frame the face."""
    locks_l = [(112, 116), (104, 140), (102, 176), (104, 214), (98, 246),
               (106, 254), (114, 230), (118, 196), (120, 164), (124, 140)]
    locks_r = [(188, 116), (196, 140), (198, 176), (196, 214), (202, 246),
               (194, 254), (186, 230), (182, 196), (180, 164), (176, 140)]
    for pts, side in ((locks_l, -1), (locks_r, 1)):
        m = f.part(pts, HAIR, HAIR_LN, shade=HAIR_SH, light=HAIR_HI,
                   shade_off=(4, 4), light_off=(-3, 0), light_op=0.5)
        x0 = 150 + side * 38
        f.fill(intersect(f.line_mask(bezier((x0 - side * 2, 150), (x0 + side * 2, 200),
                                            (x0 - side * 1, 238)), 1.0), m), HAIR_SH, 0.9)
    bangs = [(106, 126), (108, 146), (114, 140), (120, 150), (126, 138),
             (134, 152), (140, 136), (148, 148), (154, 134), (162, 150),
             (168, 136), (176, 150), (182, 140), (188, 148), (194, 128),
             (184, 104), (150, 96), (116, 104)]
    m = f.part(bangs, HAIR, HAIR_LN, shade=HAIR_SH, light=HAIR_HI,
               shade_off=(3, 6), shade_blur=1.6, steps=5)
    # shine streak
    f.fill(intersect(m, f.poly_mask(catmull([(118, 116), (150, 108), (180, 114),
                                               (178, 120), (150, 115), (120, 122)],
                                              steps=6))), HAIR_HI, 0.8)
    return m


def hat(f, p):
    """Pointed hat with a wide brim, a gold band and a star charm."""
    tilt = p.get("hat_tilt", -5)
    # cone first (behind the brim's front edge)
    tip = p.get("hat_tip", (214, 12))
    cone = [(100, 102), (112, 70), (128, 44), (152, 26), (180, 16), tip,
            (196, 30), (184, 50), (186, 76), (200, 102)]
    m = f.part(cone, CAPE, ROBE_LN, shade=CAPE_SH, light=ROBE, shade_off=(8, 2),
               shade_blur=3, light_off=(-4, 0))
    f.fill(intersect(f.poly_mask(catmull([(103, 84), (150, 78), (197, 84), (200, 100),
                                           (150, 94), (100, 100)], steps=8)), m), GOLD)
    f.line(catmull([(103, 84), (150, 78), (197, 84)], closed=False), 1.1, GOLD_LN)
    f.line(catmull([(100, 100), (150, 94), (200, 100)], closed=False), 1.1, GOLD_LN)
    # star charm on the band
    cx, cy = 168, 90
    star = []
    for k in range(10):
        a = math.radians(-90 + k * 36)
        r = 8.5 if k % 2 == 0 else 3.8
        star.append((cx + math.cos(a) * r, cy + math.sin(a) * r))
    f.part(star, (255, 232, 120), GOLD_LN, shade=GOLD, smooth=False, lw=1.2,
           shade_off=(2, 2))
    # brim
    brim = ellipse_pts(150, 104, 96, 17, tilt, steps=72)
    bm = f.part(brim, CAPE, ROBE_LN, smooth=False, shade=CAPE_SH,
                light=ROBE_HI, shade_off=(0, 6), light_off=(0, -4), light_op=0.7)
    # the brim's opening, where the head goes, seen from the front it is hidden;
    # a soft darker band along the brim's lower edge gives it thickness
    return bm


def hat_shadow(f, face_mask, hair_mask):
    sh = f.blur(f.poly_mask(catmull([(100, 110), (150, 116), (200, 110), (200, 130),
                                       (150, 136), (100, 130)], steps=6)), 3)
    f.fill(intersect(sh, face_mask), SKIN_SH, 0.85)
    f.fill(intersect(sh, hair_mask), HAIR_SH, 0.75)


# ---------------------------------------------------------------- face

EYE_L = (131, 160)
EYE_R = (169, 160)


def eye(f, c, side, kind, look=(0, 0), teary=False):
    """side = -1 for the left eye on the picture, +1 for the right one."""
    x, y = c
    lx, ly = look
    s = side
    if kind in ("open", "wide", "half", "teary", "down"):
        if kind == "wide":
            white = ellipse_pts(x, y, 10.5, 12.5, steps=48)
        else:
            white = catmull([(x - 10 * s, y - 6), (x, y - 10), (x + 10 * s, y - 7),
                             (x + 11 * s, y + 2), (x + 4 * s, y + 11), (x - 6 * s, y + 10),
                             (x - 10 * s, y + 3)], steps=8)
        wm = f.poly_mask(white)
        f.fill(wm, (255, 255, 255))
        f.fill(intersect(wm, f.blur(f.poly_mask([(x - 14, y - 14), (x + 14, y - 14),
                                                  (x + 14, y - 5), (x - 14, y - 3)]), 1.5)),
               (214, 206, 226))
        if kind == "wide":
            rx, ry = 5.2, 6.2
        else:
            rx, ry = 7.8, 10.2
        ix, iy = x + lx, y + 1 + ly
        im = intersect(f.ellipse_mask(ix, iy, rx, ry), wm)
        f.fill(im, IRIS)
        f.fill(intersect(im, f.blur(f.poly_mask([(ix - 12, iy - 14), (ix + 12, iy - 14),
                                                  (ix + 12, iy - 1), (ix - 12, iy - 3)]), 1.2)),
               IRIS_DK)
        f.fill(intersect(im, f.blur(f.ellipse_mask(ix, iy + 6, rx * 0.7, ry * 0.35), 1.2)),
               (255, 206, 110), 0.9)
        f.fill(intersect(f.ellipse_mask(ix, iy - 0.5, rx * 0.42, ry * 0.45), wm),
               (60, 26, 18))
        f.outline(ellipse_pts(ix, iy, rx, ry, steps=40), 0.9, IRIS_DK)
        # highlights
        hx = ix - 3.2
        f.ellipse(hx, iy - 4.2, 2.8 if kind != "wide" else 1.8,
                  3.2 if kind != "wide" else 2.0, (255, 255, 255))
        f.ellipse(ix + 3.3, iy + 4.5, 1.3, 1.3, (255, 255, 255))
        if teary or kind == "teary":
            f.ellipse(ix + 2.5, iy - 1.5, 1.8, 1.8, (255, 255, 255))
            f.line(catmull([(x - 8 * s, y + 8), (x, y + 10.5), (x + 8 * s, y + 8)],
                           closed=False), 1.6, TEAR)
        # upper lash line with a flick at the outer corner
        if kind == "half":
            lid = [(x - 11 * s, y - 1), (x, y - 3), (x + 11 * s, y - 2)]
            f.fill(intersect(f.poly_mask([(x - 15, y - 16), (x + 15, y - 16),
                                           (x + 15, y - 2), (x - 15, y - 2)]), wm),
                   SKIN)
            f.line(lid + [(x + 14 * s, y - 4)], 2.6, EYE_LN)
        elif kind == "wide":
            f.line(ellipse_pts(x, y, 11, 13, steps=40, a0=190, a1=350), 2.0, EYE_LN)
            f.line([(x + 10.5 * s, y - 5), (x + 14 * s, y - 8)], 1.6, EYE_LN)
        else:
            f.line(catmull([(x - 11 * s, y - 4), (x - 4 * s, y - 10), (x + 5 * s, y - 10),
                            (x + 12 * s, y - 5)], closed=False), 2.8, EYE_LN)
            f.line([(x + 10 * s, y - 6), (x + 15 * s, y - 9)], 1.8, EYE_LN)
        # lower lash
        if kind == "wide":
            f.line(ellipse_pts(x, y, 10.5, 12.5, steps=20, a0=40, a1=140), 1.0, EYE_LN)
        else:
            f.line([(x - 2 * s, y + 10.5), (x + 5 * s, y + 10)], 1.0, EYE_LN)
    elif kind == "happy":      # closed, smiling ^
        f.line(catmull([(x - 10, y + 2), (x, y - 6), (x + 10, y + 2)], closed=False),
               2.6, EYE_LN)
    elif kind == "closed":     # gently closed, lashes down
        f.line(catmull([(x - 10, y - 1), (x, y + 4), (x + 10, y - 1)], closed=False),
               2.4, EYE_LN)
        f.line([(x + 9 * s, y - 1), (x + 13 * s, y - 3)], 1.5, EYE_LN)
    elif kind == "tight":      # squeezed shut, > <
        f.line([(x - 9 * s, y - 7), (x + 6 * s, y), (x - 9 * s, y + 6)], 2.6, EYE_LN)
    elif kind == "sad_closed":  # closed, arching upwards from the nose
        f.line(catmull([(x - 10, y + 1), (x, y - 3), (x + 10, y + 1)], closed=False),
               2.4, EYE_LN)
        f.line(catmull([(x - 8, y + 5), (x, y + 7), (x + 8, y + 5)], closed=False),
               1.0, EYE_LN)


def brow(f, c, side, kind):
    x, y = c[0], c[1] - 20
    s = side
    shapes = {
        "normal": [(x - 9 * s, y + 1), (x, y - 2), (x + 9 * s, y)],
        "raised": [(x - 9 * s, y - 2), (x, y - 6), (x + 9 * s, y - 3)],
        "worried": [(x - 9 * s, y - 5), (x - 1 * s, y - 1), (x + 9 * s, y + 2)],
        "angry": [(x - 9 * s, y + 4), (x, y - 1), (x + 9 * s, y - 4)],
        "flat": [(x - 9 * s, y + 1), (x + 9 * s, y + 1)],
    }
    pts = shapes[kind]
    if len(pts) == 3:
        pts = catmull(pts, closed=False, steps=6)
    # the inner end is the one nearest the nose: -s side
    f.stroke(pts, [2.4, 2.8, 2.2] if len(pts) == 2 else
             [2.6 - 0.6 * i / (len(pts) - 1) for i in range(len(pts))],
             HAIR_SH, HAIR_LN, lw=0.8)


def mouth(f, kind, dx=0):
    x, y = 150 + dx, 186
    if kind == "smile":
        f.line(catmull([(x - 6, y - 1), (x, y + 2), (x + 6, y - 1)], closed=False), 1.5,
               MOUTH_DK)
    elif kind == "grin":
        pts = catmull([(x - 8, y - 2), (x + 8, y - 2), (x + 4, y + 5), (x, y + 6),
                       (x - 4, y + 5)], steps=6)
        m = f.part(pts, MOUTH_DK, MOUTH_DK, smooth=False, lw=1.0)
        f.fill(intersect(m, f.ellipse_mask(x, y + 6, 6, 3.5)), TONGUE)
    elif kind == "flat":
        f.line([(x - 5, y), (x + 5, y)], 1.5, MOUTH_DK)
    elif kind == "frown":
        f.line(catmull([(x - 6, y + 2), (x, y - 1), (x + 6, y + 2)], closed=False), 1.6,
               MOUTH_DK)
    elif kind == "pout":
        f.line(catmull([(x - 6, y + 1), (x - 3, y - 1.5), (x, y + 0.5), (x + 3, y - 1.5),
                        (x + 6, y + 1)], closed=False, steps=5), 1.5, MOUTH_DK)
    elif kind == "wavy":
        f.line(catmull([(x - 8, y), (x - 4, y - 2), (x, y + 1), (x + 4, y - 2), (x + 8, y)],
                       closed=False, steps=5), 1.5, MOUTH_DK)
    elif kind == "o":
        m = f.part(ellipse_pts(x, y + 1, 3.4, 4.2, steps=24), MOUTH_DK, MOUTH_DK,
                   smooth=False, lw=1.0)
        f.fill(intersect(m, f.ellipse_mask(x, y + 4, 3, 2)), TONGUE)
    elif kind == "wail":
        pts = [(x - 12, y - 4), (x + 12, y - 4), (x + 8, y + 10), (x, y + 12),
               (x - 8, y + 10)]
        m = f.part(pts, MOUTH_DK, MOUTH_DK, steps=6, lw=1.2)
        f.fill(intersect(m, f.poly_mask([(x - 12, y - 6), (x + 12, y - 6),
                                          (x + 11, y - 1.5), (x - 11, y - 1.5)])),
               (255, 255, 255))
        f.fill(intersect(m, f.ellipse_mask(x, y + 12, 8, 5)), TONGUE)
    elif kind == "grit":
        pts = [(x - 9, y - 3), (x + 9, y - 3), (x + 8, y + 4), (x - 8, y + 4)]
        f.part(pts, (255, 255, 255), MOUTH_DK, smooth=False, lw=1.4)
        f.line([(x - 8, y + 0.5), (x + 8, y + 0.5)], 0.9, MOUTH_DK)
        for k in (-4, 0, 4):
            f.line([(x + k, y - 2.5), (x + k, y + 3.5)], 0.7, MOUTH_DK)
    elif kind == "tongue":      # smug :3 with the tip of the tongue out
        f.line(catmull([(x - 7, y - 1), (x - 3.5, y + 2), (x, y), (x + 3.5, y + 2),
                        (x + 7, y - 1)], closed=False, steps=5), 1.4, MOUTH_DK)
        f.part([(x + 1, y + 1.5), (x + 6, y + 1.5), (x + 5.5, y + 6), (x + 3.5, y + 7),
                    (x + 1.5, y + 5.5)], TONGUE, MOUTH_DK, lw=1.1, steps=5)
    elif kind == "wobble":
        pts = [(x - 7, y + 1)]
        for k in range(1, 8):
            pts.append((x - 7 + k * 2, y + (-1.5 if k % 2 else 1.2)))
        f.line(pts, 1.4, MOUTH_DK)
    elif kind == "small_open":
        pts = catmull([(x - 5, y - 1), (x + 5, y - 1), (x + 3, y + 4), (x - 3, y + 4)], steps=5)
        m = f.part(pts, MOUTH_DK, MOUTH_DK, smooth=False, lw=1.0)
        f.fill(intersect(m, f.ellipse_mask(x, y + 4, 3.5, 2)), TONGUE)


def blush(f, strength=0.5, lines=False):
    for cx in (124, 176):
        f.fill(soft_ellipse(f, cx, 177, 9, 4.5, 1.8), BLUSH, strength)
        if lines:
            for k in (-4, 0, 4):
                f.line([(cx + k + 1.5, 173.5), (cx + k - 1.5, 180)], 0.9, (230, 90, 110))


def sweat(f, x, y, size=1.0):
    s = size
    pts = [(x, y - 12 * s), (x + 6 * s, y), (x + 5 * s, y + 6 * s), (x, y + 8 * s),
           (x - 5 * s, y + 6 * s), (x - 6 * s, y)]
    f.part(pts, SWEAT, TEAR_LN, shade=(120, 190, 230), lw=1.3, steps=6, shade_off=(2, 2))
    f.ellipse(x - 2 * s, y + 1 * s, 1.4 * s, 2.2 * s, (255, 255, 255))


def anger_mark(f, x, y, r=8, color=ANGER, width=2.4):
    """The comic vein mark: four short arcs bowing in towards a centre."""
    for a in (45, 135, 225, 315):
        ra = math.radians(a)
        cx, cy = x + math.cos(ra) * r * 1.3, y + math.sin(ra) * r * 1.3
        f.line(ellipse_pts(cx, cy, r * 0.65, r * 0.65, steps=14, a0=a + 180 - 65,
                           a1=a + 180 + 65), width, color)


def tears_stream(f, side, length=40):
    x0 = 150 + side * 19
    pts = [(x0 + side * 2, 170), (x0 + side * 4, 180), (x0 + side * 3, 170 + length * 0.6),
           (x0 + side * 5, 170 + length)]
    f.stroke(catmull(pts, closed=False, steps=6), [5, 6, 7, 6, 5, 4, 4, 3.5, 3, 3, 3, 3, 3, 3, 3, 3,
                                                    3, 3, 3],
             TEAR, TEAR_LN, lw=1.2)


def teardrop(f, x, y, s=1.0):
    pts = [(x, y - 6 * s), (x + 3.5 * s, y + 1 * s), (x, y + 4.5 * s), (x - 3.5 * s, y + 1 * s)]
    f.part(pts, TEAR, TEAR_LN, lw=1.1, steps=6)
    f.ellipse(x - 1 * s, y + 0.5 * s, 0.9 * s, 1.3 * s, (255, 255, 255))


def sparkle(f, x, y, r, color=SPARK, line=SPARK_LN):
    pts = []
    for k in range(8):
        a = math.radians(-90 + k * 45)
        rr = r if k % 2 == 0 else r * 0.28
        pts.append((x + math.cos(a) * rr, y + math.sin(a) * rr))
    f.part(pts, color, line, smooth=False, lw=1.1)


def shake_lines(f, pts_list, color=ROBE_LN):
    for pts in pts_list:
        f.line(pts, 1.8, color)


# ---------------------------------------------------------------- poses
#
# An arm is (shoulder, elbow, wrist, cuff width, hand kind, hand centre,
# hand angle in degrees, layer); layer "face" arms are drawn after the face
# because the hand comes up in front of it.

SH_L, SH_R = (108, 236), (192, 236)

STAFF_SIDE = dict(staff=((72, 46), (82, 402)), staff_layer="front",
                  arms=[(SH_L, (92, 282), (82, 312), 32, "grip", (80, 322), 90, "body")])
ARM_R_DOWN = (SH_R, (206, 284), (205, 320), 32, "relaxed", (204, 322), 95, "body")
ARM_L_DOWN = (SH_L, (94, 284), (95, 320), 32, "relaxed", (96, 322), 85, "body")
STAFF_BEHIND = dict(staff=((236, 48), (132, 404)), staff_layer="back")

POSES = {
    "staff_side": dict(STAFF_SIDE, arms=STAFF_SIDE["arms"] + [ARM_R_DOWN]),
    "cheek": dict(STAFF_SIDE, arms=STAFF_SIDE["arms"] + [
        (SH_R, (222, 262), (196, 214), 26, "point", (186, 200), 235, "face")]),
    "hip": dict(STAFF_SIDE, arms=STAFF_SIDE["arms"] + [
        (SH_R, (228, 266), (212, 298), 30, "fist", (206, 300), 200, "body")]),
    "crossed": dict(STAFF_BEHIND, arms=[
        (SH_L, (100, 280), (166, 286), 30, "fist", (174, 284), 0, "body"),
        (SH_R, (204, 276), (132, 280), 30, None, None, 0, "body")]),
    "rub_eyes": dict(arms=[
        (SH_L, (84, 256), (106, 196), 26, "fist", (114, 172), 290, "face"),
        (SH_R, (216, 256), (194, 196), 26, "fist", (186, 172), 250, "face")]),
    "fists_down": dict(STAFF_BEHIND, arms=[
        (SH_L, (98, 280), (100, 312), 28, "fist", (101, 322), 90, "body"),
        (SH_R, (202, 280), (200, 312), 28, "fist", (199, 322), 90, "body")]),
    "aim": dict(staff=((262, 168), (96, 352)), staff_layer="front", glow=True, arms=[
        (SH_L, (102, 282), (134, 302), 30, "grip", (140, 306), 48, "body"),
        (SH_R, (214, 262), (200, 248), 28, "grip", (204, 244), 48, "body")]),
    "cast_silly": dict(staff=((30, 136), (272, 122)), staff_layer="front", arms=[
        (SH_L, (84, 214), (80, 160), 28, "grip", (80, 146), 0, "body"),
        (SH_R, (216, 214), (222, 160), 28, "grip", (222, 136), 0, "body")]),
    "cast_high": dict(staff=((234, 28), (228, 300)), staff_layer="front", glow=True,
                      arms=[
        (SH_R, (222, 206), (228, 170), 28, "grip", (230, 160), 90, "body"),
        (SH_L, (82, 256), (58, 244), 30, "open", (50, 242), 190, "body")]),
    "fingers": dict(STAFF_BEHIND, arms=[
        (SH_L, (100, 284), (132, 288), 28, "point", (140, 287), 330, "body"),
        (SH_R, (200, 284), (168, 288), 28, "point", (160, 287), 210, "body")]),
    "hands_up": dict(STAFF_BEHIND, arms=[
        (SH_L, (80, 258), (70, 218), 30, "open", (68, 206), 270, "body"),
        (SH_R, (220, 258), (230, 218), 30, "open", (232, 206), 270, "body")]),
    "hug_staff": dict(staff=((78, 58), (178, 404)), staff_layer="front", arms=[
        (SH_L, (104, 284), (124, 262), 28, "grip", (131, 256), 74, "body"),
        (SH_R, (198, 290), (150, 298), 28, "grip", (145, 296), 74, "body")]),
    "rub_one": dict(STAFF_SIDE, arms=STAFF_SIDE["arms"] + [
        (SH_R, (218, 258), (194, 196), 26, "fist", (184, 172), 250, "face")]),
}

# ---------------------------------------------------------------- moods

MOODS = {
    "메어드": dict(pose="staff_side", eyes="open", brows="normal", mouth="smile"),
    "뻘쭘메어드": dict(pose="cheek", eyes="open", look=(-3.5, 0.5), brows="worried",
                    mouth="wavy", sweat=[(212, 132, 1.3)], blush=0.3),
    "투덜메어드": dict(pose="crossed", eyes="half", look=(3, 1), brows="angry",
                    mouth="pout", grumble=True, blush=0.25),
    "짜증메어드": dict(pose="hip", eyes="half", brows="angry", mouth="grit",
                    anger=(206, 134), gloom=True, blush=0.0),
    "흑흑메어드": dict(pose="rub_eyes", eyes="sad_closed", brows="worried",
                    mouth="wobble", drops=[(104, 160, 1.0), (198, 168, 0.9),
                                           (92, 188, 0.8)], blush=0.5),
    "으앙메어드": dict(pose="fists_down", eyes="tight", brows="worried", mouth="wail",
                    streams=True, drops=[(94, 150, 1.1), (208, 150, 1.1),
                                          (86, 176, 0.8), (216, 178, 0.8)], blush=0.6),
    "마법메어드": dict(pose="aim", eyes="open", brows="normal", mouth="grin",
                    sparkles=[(268, 150, 9), (250, 190, 6), (284, 186, 5)]),
    "시전메어드1": dict(pose="cast_silly", eyes="happy", brows="raised", mouth="tongue",
                     sparkles=[(40, 110, 8), (258, 96, 7), (30, 170, 5)], wiggle=True,
                     blush=0.5, hat_tilt=-12, notes=True),
    "시전메어드2": dict(pose="cast_high", eyes="closed", brows="angry",
                     mouth="small_open", circle=True, sway=10,
                     sparkles=[(258, 14, 9), (208, 50, 6), (266, 64, 6), (22, 214, 7)]),
    "부끄메어드": dict(pose="fingers", eyes="open", look=(-3, 3), brows="worried",
                    mouth="wavy", blush=0.95, blush_lines=True),
    "깜짝메어드": dict(pose="hands_up", eyes="wide", brows="raised", mouth="o",
                    shock=True, sweat=[(206, 140, 0.9)]),
    "바들메어드": dict(pose="hug_staff", eyes="teary", brows="worried", mouth="wobble",
                    shake=True, sweat=[(208, 136, 1.0), (92, 150, 0.8)], blush=0.3),
    "훌쩍메어드": dict(pose="rub_one", eyes=("teary", "sad_closed"), look=(1, 2),
                    brows="worried", mouth="frown", red_nose=True,
                    drops=[(116, 182, 0.8)], blush=0.55),
    "뒤메어드": dict(back=True),
    "뻘쭘뒤메어드": dict(back=True, awkward=True),
}


def draw_arm(f, arm):
    sh, el, wr, cuff, kind, at, ang, layer = arm
    sleeve(f, sh, el, wr, cuff_w=cuff)
    if kind is not None:
        hand(f, at, ang, kind)


def magic_circle(f):
    cx, cy = 150, 190
    for r, w in ((142, 3.2), (128, 1.8)):
        f.line(ellipse_pts(cx, cy, r, r * 0.98, steps=120) + ellipse_pts(cx, cy, r, r * 0.98, steps=120)[:2],
               w, MAGIC)
    # rune ticks between the rings
    for k in range(24):
        a = math.radians(k * 15 + 7)
        r0, r1 = 131, 139
        if k % 3 == 0:
            f.ellipse(cx + math.cos(a) * 135, cy + math.sin(a) * 135, 2.6, 2.6, MAGIC)
        else:
            f.line([(cx + math.cos(a) * r0, cy + math.sin(a) * r0),
                    (cx + math.cos(a + 0.05) * r1, cy + math.sin(a + 0.05) * r1)], 1.5, MAGIC)


def draw(mood):
    p = dict(MOODS[mood])
    if p.get("back"):
        return draw_back(p)
    pose = POSES[p["pose"]]
    f = Figure()
    if p.get("circle"):
        magic_circle(f)
    if pose.get("staff") and pose.get("staff_layer") == "back":
        staff(f, *pose["staff"])
    hair_back(f, p)
    body(f, p)
    neck(f)
    if pose.get("staff") and pose.get("staff_layer") == "front":
        staff(f, *pose["staff"], glow=pose.get("glow", False))
    for arm in pose["arms"]:
        if arm[7] == "body":
            draw_arm(f, arm)
    fm = face_shape(f, p)
    hm = front_hair(f, p)
    hat_shadow(f, fm, hm)
    eyes = p["eyes"] if isinstance(p["eyes"], tuple) else (p["eyes"], p["eyes"])
    eye(f, EYE_L, -1, eyes[0], p.get("look", (0, 0)))
    eye(f, EYE_R, 1, eyes[1], p.get("look", (0, 0)))
    brow(f, EYE_L, -1, p["brows"])
    brow(f, EYE_R, 1, p["brows"])
    if p.get("red_nose"):
        f.fill(soft_ellipse(f, 150, 175, 5, 3, 1.2), BLUSH, 0.9)
    f.line([(149, 174), (151, 175.5)], 1.2, SKIN_LN)
    blush(f, p.get("blush", 0.35), p.get("blush_lines", False))
    if p.get("gloom"):
        for k in range(6):
            x = 122 + k * 11.5
            f.line([(x, 128), (x, 142 + (k % 2) * 5)], 1.2, (90, 70, 130), 0.55)
    mouth(f, p["mouth"])
    if p.get("streams"):
        tears_stream(f, -1, 46)
        tears_stream(f, 1, 46)
    hat(f, p)
    for arm in pose["arms"]:
        if arm[7] == "face":
            draw_arm(f, arm)
    for (x, y, s) in p.get("drops", []):
        teardrop(f, x, y, s)
    for (x, y, s) in p.get("sweat", []):
        sweat(f, x, y, s)
    if p.get("anger"):
        anger_mark(f, *p["anger"])
    for (x, y, r) in p.get("sparkles", []):
        sparkle(f, x, y, r)
    if p.get("shake"):
        for side in (-1, 1):
            x0 = 150 + side * 96
            for k, y0 in enumerate((170, 230, 290)):
                f.line(catmull([(x0, y0), (x0 + side * 6, y0 + 7), (x0, y0 + 14),
                                (x0 + side * 6, y0 + 21)], closed=False, steps=4),
                       1.8, ROBE_LN)
    if p.get("shock"):
        for a in (200, 225, 250, 290, 315, 340):
            ra = math.radians(a)
            f.stroke([(150 + math.cos(ra) * 118, 130 + math.sin(ra) * 100),
                      (150 + math.cos(ra) * 136, 130 + math.sin(ra) * 116)], [3.5, 1.5],
                     (255, 250, 230), ROBE_LN, lw=1.2)
    if p.get("grumble"):
        f.line(catmull([(212, 150), (220, 144), (228, 152), (236, 144), (244, 152)],
                       closed=False, steps=5), 2.0, ROBE_LN)
        f.line(catmull([(216, 162), (224, 156), (232, 164), (240, 156)],
                       closed=False, steps=5), 2.0, ROBE_LN)
    if p.get("wiggle"):
        for side in (-1, 1):
            x0 = 150 + side * 80
            f.line(catmull([(x0, 330), (x0 + side * 8, 340), (x0, 350), (x0 + side * 8, 360)],
                           closed=False, steps=4), 2.0, ROBE_LN)
    if p.get("notes"):
        note(f, 262, 190)
        note(f, 40, 246, 0.8)
    return f.final()


def note(f, x, y, s=1.0):
    f.ellipse(x, y, 5 * s, 3.8 * s, ROBE_LN, rot=-20)
    f.line([(x + 4.2 * s, y - 1 * s), (x + 4.2 * s, y - 20 * s), (x + 11 * s, y - 15 * s)],
           1.8 * s, ROBE_LN)


# ---------------------------------------------------------------- from behind

def draw_back(p):
    f = Figure()
    awkward = p.get("awkward", False)
    # staff in her right hand, on the picture's right
    staff(f, (230, 46), (220, 402))
    body_back(f)
    # arms hang at her sides; the hair falls over their inner edge
    sleeve(f, (106, 234), (96, 284), (97, 318), cuff_w=32)
    hand(f, (98, 322), 95, "relaxed", flip=True)
    if not awkward:
        sleeve(f, (194, 234), (208, 282), (216, 310), cuff_w=32)
        hand(f, (220, 318), 90, "grip")
    if awkward:
        # she half turns: the line of her cheek shows past the hair
        cheek = [(96, 136), (84, 150), (82, 170), (90, 186), (102, 190), (104, 160)]
        cm = f.part(cheek, SKIN, SKIN_LN, lw=1.4, steps=6, shade=SKIN_SH)
        f.fill(intersect(cm, soft_ellipse(f, 88, 172, 6, 4, 1.5)), BLUSH, 0.8)
    # hair: one long mass over the back
    hair = [(150, 96), (112, 104), (94, 134), (90, 178), (98, 214), (110, 240),
            (110, 280), (114, 316), (124, 330), (136, 322), (150, 334), (164, 322),
            (176, 330), (186, 316), (190, 280), (190, 240), (202, 214), (210, 178),
            (206, 134), (188, 104)]
    f.part(hair, HAIR, HAIR_LN, shade=HAIR_SH, light=HAIR_HI, shade_off=(7, 5),
           shade_blur=3, light_op=0.45)
    for x0, x1 in ((118, 120), (134, 133), (150, 150), (166, 167), (182, 180)):
        f.line(bezier((x0, 140), ((x0 + x1) / 2 + (x0 - 150) * 0.3, 230), (x1, 318)), 1.1,
               HAIR_SH)
    if awkward:
        sleeve(f, (194, 234), (226, 244), (206, 186), cuff_w=28)
        hand(f, (196, 166), 245, "relaxed", flip=True)
    # hat from behind: the band and star face away, only the cone and brim
    tip = (90, 12)
    cone = [(100, 102), (114, 76), (118, 50), (104, 28), tip, (122, 18), (150, 28),
            (176, 50), (190, 74), (200, 102)]
    cm = f.part(cone, CAPE, ROBE_LN, shade=CAPE_SH, light=ROBE, shade_off=(8, 2),
                shade_blur=3)
    f.fill(intersect(f.poly_mask(catmull([(103, 84), (150, 80), (197, 84), (200, 100),
                                           (150, 96), (100, 100)], steps=8)), cm), GOLD)
    f.line(catmull([(103, 84), (150, 80), (197, 84)], closed=False), 1.1, GOLD_LN)
    f.line(catmull([(100, 100), (150, 96), (200, 100)], closed=False), 1.1, GOLD_LN)
    brim = ellipse_pts(150, 104, 96, 17, 5 if not awkward else 9, steps=72)
    f.part(brim, CAPE, ROBE_LN, smooth=False, shade=CAPE_SH, light=ROBE_HI,
           shade_off=(0, 6), light_off=(0, -4), light_op=0.7)
    if awkward:
        sweat(f, 76, 132, 1.4)
    return f.final()


def body_back(f):
    robe = [(150, 210), (120, 218), (104, 236), (98, 270), (94, 310), (86, 360),
            (80, 404), (220, 404), (214, 360), (206, 310), (202, 270),
            (196, 236), (180, 218)]
    f.part(robe, ROBE, ROBE_LN, shade=ROBE_SH, light=ROBE_HI, shade_off=(9, 4),
           shade_blur=4)
    for x0, x1 in ((128, 120), (150, 150), (172, 180)):
        f.line(bezier((x0, 320), (x0, 360), (x1, 404)), 2.0, ROBE_SH)
    belt = [(100, 300), (200, 300), (202, 313), (98, 313)]
    f.part(belt, (92, 52, 60), (40, 18, 26), shade=(62, 30, 40), smooth=False,
           shade_off=(0, 4))
    # bow of the sash
    for side in (-1, 1):
        f.part([(150, 306), (150 + side * 16, 296), (150 + side * 18, 316)],
               (120, 70, 80), (40, 18, 26), smooth=False, lw=1.3)
        f.stroke([(150 + side * 3, 310), (150 + side * 8, 340)], [6, 4],
                 (120, 70, 80), (40, 18, 26), lw=1.2)
    f.ellipse(150, 306, 4, 4, (100, 58, 68))
    cape = [(150, 212), (124, 218), (104, 230), (94, 248), (90, 268), (100, 274),
            (112, 268), (124, 276), (138, 270), (150, 278), (162, 270), (176, 276),
            (188, 268), (200, 274), (210, 268), (206, 248), (196, 230), (176, 218)]
    f.part(cape, CAPE, ROBE_LN, shade=CAPE_SH, light=ROBE, shade_off=(6, 6), steps=6)
    hem = [pt for pt in catmull(cape, steps=6) if pt[1] > 262]
    hem.sort(key=lambda q: q[0])
    f.line(hem, 2.2, GOLD)
