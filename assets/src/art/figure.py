"""메어드, the sorceress: one figure rig, fifteen moods.

The rig is one body seen from the front (or from behind) with a head that
tilts and turns, a body that shifts its weight (it leans round the hips and
one shoulder rises), two arms that bend at the elbow and hands with fingers.
A mood sets the pose (lean, tilt, where elbows, wrists and hands go, which
hand shape, where the staff is) and the face (eyes, brows, mouth, blush)
and adds comic marks.  See MOODS at the end; a new mood is one entry there.

Line weights: the outer silhouette is a heavy line added round the whole
figure when it is reduced (Pic.final); lines inside are LW; the smallest
details (fingers, hair strands, folds) use LW_FINE.
"""

import math

import cairo
from PIL import Image, ImageChops, ImageFilter

from vec import Pic, rgb, spline, sample_spline, taper_outline, darker, lighter, mix

W, H = 300, 400
LW = 1.15
LW_FINE = 0.8
SILHOUETTE = (1.25, 0.62)   # outer line width (px) and how much darker than its part

# ---------------------------------------------------------------- palette
# Skin, blush and hair colours are reserved in every picture's palette
# (render.py), so a face keeps exactly these tones.
SKIN = (255, 228, 210)
SKIN_SH = (240, 186, 166)
SKIN_LN = (150, 78, 70)
BLUSH = (255, 150, 156)
HAIR = (168, 78, 56)
HAIR_SH = (118, 48, 40)
HAIR_HI = (226, 148, 104)
HAIR_LN = (70, 24, 26)
ROBE = (74, 64, 148)
ROBE_SH = (50, 42, 110)
ROBE_HI = (104, 96, 184)
ROBE_LN = (26, 20, 58)
CAPE = (56, 46, 118)
CAPE_SH = (38, 30, 86)
GOLD = (232, 186, 84)
GOLD_SH = (178, 126, 48)
GOLD_LN = (96, 60, 20)
CREAM = (248, 240, 224)
CREAM_SH = (214, 200, 186)
CREAM_LN = (110, 92, 92)
WOOD = (150, 102, 62)
WOOD_SH = (104, 66, 40)
WOOD_LN = (56, 32, 20)
GEM = (96, 214, 236)
GEM_SH = (34, 130, 176)
GEM_LN = (16, 56, 90)
IRIS = (214, 136, 40)
IRIS_DK = (110, 52, 22)
IRIS_LT = (255, 214, 120)
EYE_LN = (46, 20, 24)
MOUTH = (186, 76, 80)
MOUTH_DK = (112, 36, 46)
TONGUE = (240, 128, 128)
TEETH = (255, 252, 248)
TEAR = (176, 228, 255)
TEAR_LN = (56, 116, 168)
SWEAT = (190, 232, 255)
ANGER = (226, 52, 52)
SPARK = (255, 236, 140)
SPARK_LN = (150, 100, 20)
MAGIC = (150, 236, 255)
MAGIC_DK = (40, 130, 190)
BELT = (92, 52, 60)
BELT_SH = (62, 30, 40)
BELT_LN = (40, 18, 26)
MARK = (40, 30, 70)

RESERVED = [SKIN, SKIN_SH, SKIN_LN, BLUSH, mix(SKIN, BLUSH, 0.5), HAIR, HAIR_SH, HAIR_HI,
            HAIR_LN, EYE_LN]

# ---------------------------------------------------------------- geometry

NECK = (150, 204)       # the head turns round this point
HIPS = (150, 330)       # the body leans round this point
SHOULDER_L = (111, 234)
SHOULDER_R = (189, 234)
EYE_L = (131, 158)
EYE_R = (169, 158)


def rotate(p, c, deg):
    a = math.radians(deg)
    x, y = p[0] - c[0], p[1] - c[1]
    return (c[0] + x * math.cos(a) - y * math.sin(a), c[1] + x * math.sin(a) + y * math.cos(a))


class Rig:
    """Where the body's joints are for one pose."""

    def __init__(self, lean=0.0, tilt=0.0, shrug=0.0, head=(0, 0)):
        self.lean, self.tilt, self.shrug = lean, tilt, shrug
        self.neck = rotate(NECK, HIPS, lean)
        self.head_off = (self.neck[0] - NECK[0] + head[0], self.neck[1] - NECK[1] + head[1])
        # one shoulder rises and the other drops as the weight shifts
        self.sh_l = rotate((SHOULDER_L[0], SHOULDER_L[1] - shrug), HIPS, lean)
        self.sh_r = rotate((SHOULDER_R[0], SHOULDER_R[1] + shrug), HIPS, lean)

    def body(self, cr):
        cr.translate(*HIPS)
        cr.rotate(math.radians(self.lean))
        cr.translate(-HIPS[0], -HIPS[1])

    def head(self, cr):
        cr.translate(self.head_off[0], self.head_off[1])
        cr.translate(*NECK)
        cr.rotate(math.radians(self.tilt))
        cr.translate(-NECK[0], -NECK[1])


class Frame:
    """with Frame(pic, fn): draw in the coordinate frame fn sets up."""

    def __init__(self, pic, fn):
        self.pic, self.fn = pic, fn

    def __enter__(self):
        self.pic.cr.save()
        self.fn(self.pic.cr)

    def __exit__(self, *exc):
        self.pic.cr.restore()


# ---------------------------------------------------------------- staff

def staff(p, top, bottom, glow=False):
    """A wooden shaft ending in a curl that cradles a gem."""
    (tx, ty), (bx, by) = top, bottom
    ang = math.atan2(by - ty, bx - tx)
    ux, uy = math.cos(ang), math.sin(ang)
    nx, ny = -uy, ux
    shaft = taper_outline([(tx + ux * 12, ty + uy * 12), (bx, by)], 7.0, 6.0)
    p.part(shaft, WOOD, WOOD_LN, shade=WOOD_SH, off=(2.5, 0), smooth=False, lw=LW)
    for k in (26, 32):
        cx, cy = tx + ux * k, ty + uy * k
        band = [(cx - nx * 4.6, cy - ny * 4.6), (cx + nx * 4.6, cy + ny * 4.6)]
        p.curve(band, GOLD_LN, 4.2, smooth=False)
        p.curve(band, GOLD, 2.4, smooth=False)
    curl = []
    for k in range(15):
        a = math.radians(-100 + k * 22)
        r = 15 - k * 0.3
        curl.append((tx + (math.cos(a) * nx + math.sin(a) * ux) * r - ux * 2,
                     ty + (math.cos(a) * ny + math.sin(a) * uy) * r - uy * 2))
    p.part(taper_outline(curl, 6.5, 3.0, steps=4), WOOD, WOOD_LN, shade=WOOD_SH,
           off=(1.5, 1.5), smooth=False, lw=LW)
    if glow:
        # a glint: four long thin rays and four short ones, a pale core
        for long_, turn in ((24, 0), (11, 45)):
            ray = []
            for k in range(8):
                a = math.radians(k * 45 + turn - 90)
                r = long_ if k % 2 == 0 else 2.6
                ray.append((tx + math.cos(a) * r, ty + math.sin(a) * r))
            p.shape(ray, MAGIC, MAGIC_DK, lw=LW_FINE, smooth=False)
            p.shape([(tx + (x - tx) * 0.55, ty + (y - ty) * 0.55) for x, y in ray],
                    (228, 255, 255), smooth=False)
    gem = [(tx, ty - 10), (tx + 7, ty - 1), (tx, ty + 10), (tx - 7, ty - 1)]
    p.part(gem, GEM, GEM_LN, shade=GEM_SH, light=(228, 255, 255), off=(3, 2),
           light_off=(1.5, 1.5), smooth=False, lw=LW)
    p.shape([(tx - 3, ty - 5), (tx - 1, ty - 7), (tx - 1, ty - 1), (tx - 3, ty)],
            (255, 255, 255), smooth=False)


# ---------------------------------------------------------------- body

def hip_warp(hip):
    """Where a point of the robe goes when she stands with her weight on one
    hip (hip px; positive: on the hip to the right of the picture).  That
    hip juts out and rises, the other follows less, and below them the
    skirt swings back under her, its hem rising on the weight side."""
    def f(pt):
        x, y = pt
        if not hip:
            return pt
        side = 1 if x > 150 else -1
        b = math.exp(-((y - 316) / 36.0) ** 2)
        dx = hip * b * (1.0 if side * hip > 0 else 0.5)
        t = max(0.0, (y - 326) / 86.0)
        dx -= hip * 0.45 * t
        dy = -abs(hip) * 0.25 * b * (1 if side * hip > 0 else -0.4)
        dy -= t * hip * 0.018 * (x - 150)
        return (x + dx, y + dy)
    return f


def robe_front(p, r, hip=0.0):
    w = hip_warp(hip)

    def W(pts):
        return [w(q) for q in pts]
    robe = W([(150, 226), (124, 230), (112, 240), (108, 262), (112, 290), (114, 302),
              (104, 340), (92, 380), (86, 412), (214, 412), (208, 380), (196, 340),
              (186, 302), (188, 290), (192, 262), (188, 240), (176, 230)])
    p.part(robe, ROBE, ROBE_LN, shade=ROBE_SH, light=ROBE_HI, off=(9, 3), lw=LW,
           grad=((0, 230, 0, 410), [(0, ROBE), (1, darker(ROBE, 0.12))]))
    # folds: they fall from the belt and bend with the lean
    bend = -r.lean * 2.0
    for x0, x1 in ((124, 110 + bend), (136, 130 + bend), (166, 172 + bend), (178, 192 + bend)):
        p.taper(W([(x0, 318), (x0 + (x1 - x0) * 0.4, 360), (x1, 408)]), 0.4, 2.4, ROBE_SH)
    if hip:
        # on the free side the cloth falls slack in a long fold from the
        # hip, and the weight side pulls a fold from hip to hem
        s = -1 if hip > 0 else 1
        p.taper(W([(150 + s * 30, 312), (150 + s * 36, 356), (150 + s * 44, 410)]), 0.4, 2.8,
                ROBE_SH)
        p.taper(W([(150 - s * 34, 306), (150 - s * 26, 350), (150 - s * 12, 408)]), 0.4, 1.8,
                darker(ROBE_SH, 0.1))
    panel = W([(143, 300), (157, 300), (170, 412), (130, 412)])
    p.part(panel, CREAM, CREAM_LN, shade=CREAM_SH, off=(4, 0), smooth=False, lw=LW)
    for side in (-1, 1):
        p.curve(W([(150 + side * 8, 302), (150 + side * 19, 412)]), GOLD_LN, 3.6, smooth=False)
        p.curve(W([(150 + side * 8, 302), (150 + side * 19, 412)]), GOLD, 2.0, smooth=False)
    belt = W([(112, 293), (188, 293), (189, 306), (111, 306)])
    p.part(belt, BELT, BELT_LN, shade=BELT_SH, off=(0, 4), smooth=False, lw=LW)
    p.part(W([(142, 291), (158, 291), (160, 308), (140, 308)]), GOLD, GOLD_LN, shade=GOLD_SH,
           off=(2, 2), smooth=False, lw=LW)
    gx, gy = w((150, 299.5))
    p.ellipse(gx, gy, 3.2, 3.6, GEM, GEM_LN, lw=0.6)
    capelet(p)
    collar = [(131, 212), (150, 221), (169, 212), (174, 228), (150, 234), (126, 228)]
    p.part(collar, CREAM, CREAM_LN, shade=CREAM_SH, off=(0, 3), smooth=False, lw=LW)
    p.ellipse(150, 234, 6.5, 6.5, GOLD, GOLD_LN, lw=LW)
    p.ellipse(150, 234, 3.4, 3.4, GEM_SH)
    p.ellipse(149.2, 233.2, 1.5, 1.5, (230, 255, 255))


CAPELET = [(150, 222), (126, 224), (108, 234), (97, 250), (92, 268), (102, 275),
           (114, 268), (126, 277), (138, 270), (150, 279), (162, 270), (174, 277),
           (186, 268), (198, 275), (208, 268), (203, 250), (192, 234), (174, 224)]


def capelet(p):
    """The capelet with a scalloped hem and gold trim."""
    p.part(CAPELET, CAPE, ROBE_LN, shade=CAPE_SH, light=ROBE, off=(6, 5), lw=LW)
    with p.clip(CAPELET):
        p.curve([(90, 268), (102, 273), (114, 266), (126, 275), (138, 268), (150, 277),
                 (162, 268), (174, 275), (186, 266), (198, 273), (210, 266)], GOLD, 2.4)


def capelet_over_shoulders(p, r, sides):
    """The capelet again over the tops of the sleeves, so it covers the
    seam where each sleeve's round cap begins."""
    cr = p.cr
    for side in sides:
        x, y = (SHOULDER_L[0], SHOULDER_L[1] - r.shrug) if side < 0 else \
               (SHOULDER_R[0], SHOULDER_R[1] + r.shrug)
        cr.save()
        cr.arc(x, y + 2, 15, 0, 2 * math.pi)
        cr.clip()
        capelet(p)
        cr.restore()


def neck(p):
    pts = [(141, 190), (159, 190), (160, 218), (150, 222), (140, 218)]
    p.part(pts, SKIN, SKIN_LN, smooth=False, lw=LW)
    p.shape([(140, 190), (160, 190), (160, 206), (150, 210), (140, 206)], SKIN_SH,
            smooth=False)


def _unit(a, b):
    dx, dy = b[0] - a[0], b[1] - a[1]
    ln = math.hypot(dx, dy) or 1.0
    return dx / ln, dy / ln


def sleeve_outline(sh, el, end):
    """One closed outline for a sleeve from the shoulder over the elbow to
    where the bell begins.  The elbow's outer side is a round turn of the
    cloth, its inner side a pinch where the cloth gathers; the cloth of the
    forearm sags on its lower side.  A round cap closes it at the
    shoulder.  Returns the outline and the pinch (point and inward
    direction), or None when the arm is nearly straight."""
    u1 = _unit(sh, el)
    u2 = _unit(el, end)
    n1 = (-u1[1], u1[0])
    n2 = (-u2[1], u2[0])
    cross = u1[0] * u2[1] - u1[1] * u2[0]
    bend = math.degrees(math.acos(max(-1.0, min(1.0, u1[0] * u2[0] + u1[1] * u2[1]))))
    inner = 1 if cross > 0 else -1
    hw_sh, hw_el, hw_end = 11.0, 9.6, 10.4
    l1 = math.hypot(el[0] - sh[0], el[1] - sh[1])
    l2 = math.hypot(end[0] - el[0], end[1] - el[1])

    def at(p0, u, n, t, l, s, w, sag=0.0):
        return (p0[0] + u[0] * l * t + n[0] * s * (w + sag), p0[1] + u[1] * l * t + n[1] * s * (w + sag))

    def side(s):
        pts = []
        hang1 = max(0.0, n1[1] * s) * 1.2
        hang2 = max(0.0, n2[1] * s) * 3.0
        pts.append(at(sh, u1, n1, 0.0, l1, s, hw_sh))
        pts.append(at(sh, u1, n1, 0.5, l1, s, (hw_sh + hw_el) / 2, hang1))
        if bend < 14:
            pts.append(at(el, u1, n1, 0.0, l1, s, hw_el))
        elif s == inner:
            # where the two inner edges meet, pulled in a little
            bx, by = n1[0] + n2[0], n1[1] + n2[1]
            bl = math.hypot(bx, by) or 1.0
            reach = hw_el / max(0.35, math.cos(math.radians(bend / 2))) * 0.72
            reach = min(reach, 0.8 * min(l1, l2) + 2)
            pts.append((el[0] + bx / bl * s * reach, el[1] + by / bl * s * reach))
        else:
            # round over the elbow: an arc from one edge's normal to the other's
            a0 = math.atan2(n1[1] * s, n1[0] * s)
            a1 = math.atan2(n2[1] * s, n2[0] * s)
            da = (a1 - a0 + math.pi) % (2 * math.pi) - math.pi
            steps = max(2, int(abs(da) / 0.35))
            for k in range(steps + 1):
                a = a0 + da * k / steps
                r = hw_el + 0.8 * math.sin(math.pi * k / steps)
                pts.append((el[0] + math.cos(a) * r, el[1] + math.sin(a) * r))
        if l2 > 6:
            pts.append(at(el, u2, n2, 0.5, l2, s, (hw_el + hw_end) / 2, hang2))
        pts.append(at(el, u2, n2, 1.0, l2, s, hw_end))
        return pts

    def cap(c, u, r, steps=8):
        # half a circle round c, on the side away from u
        a0 = math.atan2(u[1], u[0])
        return [(c[0] + math.cos(a0 + math.pi / 2 + math.pi * t / steps) * r,
                 c[1] + math.sin(a0 + math.pi / 2 + math.pi * t / steps) * r)
                for t in range(1, steps)]

    pinch = None
    if bend >= 40:
        bx, by = n1[0] + n2[0], n1[1] + n2[1]
        bl = math.hypot(bx, by) or 1.0
        q = (el[0] + bx / bl * inner * hw_el * 0.9, el[1] + by / bl * inner * hw_el * 0.9)
        pinch = (q[0], q[1], bx / bl * inner, by / bl * inner)
    if bend >= 40:
        # bent hard, the forearm lies over the upper arm: two rounded
        # pieces, the forearm drawn last, so the elbow shows as a fold
        hang1 = [max(0.0, n1[1] * s) * 1.2 for s in (1, -1)]
        hang2 = [max(0.0, n2[1] * s) * 3.0 for s in (1, -1)]
        upper = [at(sh, u1, n1, 0.0, l1, 1, hw_sh), at(sh, u1, n1, 0.5, l1, 1, (hw_sh + hw_el) / 2, hang1[0]),
                 at(el, u1, n1, 0.0, l1, 1, hw_el - 0.6)]
        upper += list(reversed(cap(el, (-u1[0], -u1[1]), hw_el - 0.6)))
        upper += [at(el, u1, n1, 0.0, l1, -1, hw_el - 0.6),
                  at(sh, u1, n1, 0.5, l1, -1, (hw_sh + hw_el) / 2, hang1[1]),
                  at(sh, u1, n1, 0.0, l1, -1, hw_sh)]
        upper += list(reversed(cap(sh, u1, hw_sh)))
        el = (el[0] - u2[0] * 1.5, el[1] - u2[1] * 1.5)
        l2 += 1.5
        fore = [at(el, u2, n2, 0.0, l2, 1, hw_el + 0.6)]
        if l2 > 6:
            fore.append(at(el, u2, n2, 0.5, l2, 1, (hw_el + hw_end) / 2, hang2[0]))
        fore += [at(el, u2, n2, 1.0, l2, 1, hw_end), at(el, u2, n2, 1.0, l2, -1, hw_end)]
        if l2 > 6:
            fore.append(at(el, u2, n2, 0.5, l2, -1, (hw_el + hw_end) / 2, hang2[1]))
        fore.append(at(el, u2, n2, 0.0, l2, -1, hw_el + 0.6))
        fore += list(reversed(cap(el, u2, hw_el + 0.6)))
        return [upper, fore], pinch
    out = side(1) + list(reversed(side(-1)))
    # the shoulder cap: half a circle of radius 11 round the shoulder point,
    # on the side away from the elbow, so the sleeve starts round
    out = out + list(reversed(cap(sh, u1, hw_sh)))
    return [out], pinch


def sleeve(p, sh, el, wr, cuff=30):
    """Upper arm with a rounded shoulder cap, a forearm, and a bell cuff
    that hangs from the wrist whatever the forearm's angle; returns the
    direction from elbow to wrist in degrees."""
    ang = math.atan2(wr[1] - el[1], wr[0] - el[0])
    ux, uy = math.cos(ang), math.sin(ang)
    nx, ny = -uy, ux
    # the tube stops short of the wrist, where the bell takes over
    end = (wr[0] - ux * 9, wr[1] - uy * 9)
    parts, pinch = sleeve_outline(sh, el, end)
    for part in parts:
        p.part(part, ROBE, ROBE_LN, shade=ROBE_SH, light=ROBE_HI, off=(4, 4), lw=LW)
    # folds go on the piece in front: the forearm when the arm folds
    out = parts[-1]
    if pinch is not None:
        # the cloth gathers on the inside of the bend: short folds fanning
        # out from the pinch along both halves of the sleeve
        with p.clip(out):
            px, py, ix, iy = pinch
            for a, b, l in ((0.55, 0.2, 9.0), (0.2, 0.55, 8.0), (-0.25, 0.9, 7.0)):
                p.taper([(px - ix * 0.6, py - iy * 0.6),
                         (px - ix * 2 + (a * ux - b * ix) * l * 0.5,
                          py - iy * 2 + (a * uy - b * iy) * l * 0.5),
                         (px - ix * 3 + (a * ux - b * ix) * l, py - iy * 3 + (a * uy - b * iy) * l)],
                        1.3, 0.2, ROBE_SH)
    # a crease at the elbow, and folds that run from it down the forearm
    # and up the upper arm, where the cloth bunches as the arm bends
    fl = math.hypot(end[0] - el[0], end[1] - el[1])
    with p.clip(out):
        p.taper([(el[0] - ux * 4 - nx * 6, el[1] - uy * 4 - ny * 6), (el[0], el[1]),
                 (el[0] - ux * 2 + nx * 5, el[1] - uy * 2 + ny * 5)], 0.3, 0.3, ROBE_SH,
                wmid=1.8)
        for k, (a, b, s) in enumerate(((0.15, 0.7, 4.0), (0.35, 0.95, -3.0))):
            if fl < 20:
                break
            p.taper([(el[0] + ux * fl * a + nx * s, el[1] + uy * fl * a + ny * s),
                     (el[0] + ux * fl * (a + b) / 2 + nx * (s * 1.6),
                      el[1] + uy * fl * (a + b) / 2 + ny * (s * 1.6)),
                     (el[0] + ux * fl * b + nx * s * 2.2, el[1] + uy * fl * b + ny * s * 2.2)],
                    0.2, 0.2, ROBE_SH, wmid=1.4)
        ua = math.atan2(el[1] - sh[1], el[0] - sh[0])
        vx, vy = math.cos(ua), math.sin(ua)
        ul = math.hypot(el[0] - sh[0], el[1] - sh[1])
        if len(parts) == 1:
            p.taper([(el[0] - vx * ul * 0.45 - vy * 5, el[1] - vy * ul * 0.45 + vx * 5),
                     (el[0] - vx * ul * 0.2 - vy * 6.5, el[1] - vy * ul * 0.2 + vx * 6.5),
                     (el[0] - vx * 3 - vy * 4, el[1] - vy * 3 + vx * 4)], 0.2, 0.2, ROBE_SH,
                    wmid=1.3)
    bell_cuff(p, wr, ux, uy, cuff)
    return math.degrees(ang)


def bell_cuff(p, wr, ux, uy, cuff):
    """The bell of the sleeve: it leaves the forearm 20 px wide and opens to
    cuff px at a rim that stays within 20 degrees of level, so it hangs."""
    nx, ny = -uy, ux
    a = math.degrees(math.atan2(ny, nx))
    # the rim's direction: the forearm's normal, turned towards level
    a = (a + 90) % 180 - 90
    a = max(-20.0, min(20.0, a))
    dx, dy = math.cos(math.radians(a)), math.sin(math.radians(a))
    sideways = 1 - abs(uy)
    rc = (wr[0] + ux * 3, wr[1] + uy * 3 + 6 * sideways)
    half = cuff / 2
    r1 = (rc[0] - dx * half, rc[1] - dy * half)
    r2 = (rc[0] + dx * half, rc[1] + dy * half)
    t1 = (wr[0] - ux * 11 + nx * 10, wr[1] - uy * 11 + ny * 10)
    t2 = (wr[0] - ux * 11 - nx * 10, wr[1] - uy * 11 - ny * 10)
    # join each top corner to the nearer rim end
    if math.hypot(t1[0] - r1[0], t1[1] - r1[1]) > math.hypot(t1[0] - r2[0], t1[1] - r2[1]):
        r1, r2 = r2, r1
    sag = 3.0
    mid = ((r1[0] + r2[0]) / 2, (r1[1] + r2[1]) / 2 + sag)
    def along(q, s, t):
        return (q[0] + (s[0] - q[0]) * t, q[1] + (s[1] - q[1]) * t)
    bulge1 = along(t1, r1, 0.55)
    bulge2 = along(t2, r2, 0.55)
    side = 1.6
    b1 = (bulge1[0] + (r1[0] - r2[0]) / cuff * side, bulge1[1] + (r1[1] - r2[1]) / cuff * side)
    b2 = (bulge2[0] + (r2[0] - r1[0]) / cuff * side, bulge2[1] + (r2[1] - r1[1]) / cuff * side)
    bell = [t1, b1, r1, mid, r2, b2, t2]
    p.part(bell, ROBE, ROBE_LN, shade=ROBE_SH, light=ROBE_HI, off=(3, 3), lw=LW)
    with p.clip(bell):
        p.curve([r1, mid, r2], GOLD_LN, 6.2)
        p.curve([r1, mid, r2], GOLD, 4.0)
        # two folds running down into the rim
        for t in (0.33, 0.67):
            top = along(t1, t2, t)
            bot = along(r1, r2, t)
            p.taper([along(top, bot, 0.2), along(top, bot, 0.62), along(top, bot, 0.9)],
                    0.2, 1.4, ROBE_SH)
    # the dark opening the hand comes out of
    p.ellipse(rc[0] + (mid[0] - rc[0]) * 0.4, rc[1] + (mid[1] - rc[1]) * 0.4, half * 0.55,
              2.4, darker(ROBE_SH, 0.35), rot=a)


# ---------------------------------------------------------------- hands
#
# A hand is drawn in its own frame: x runs from the wrist towards the finger
# tips, y across the palm, the thumb on the -y side (mirrored with flip).
# Each shape is a palm, a thumb and fingers with two or three joints; every
# skin piece gets the line first, wide, then the skin over it, so the hand
# has one clean outline and fingers joined to the palm.  Curled fingers
# (grip, fist, point) are bands across the front of the hand; in a grip
# the staff runs across at x = GRIP_X, between the palm and those bands.

HAND_K = 1.32
GRIP_X = 12.0

PALM_FLAT = [(-1, -5.6), (5, -6.4), (10.5, -5.8), (12.4, -1.2), (11.8, 4.6), (6, 6.8), (-1, 6.1)]
PALM_FIST = [(-1, -6.4), (6, -7.4), (12, -7.4), (16.2, -5.6), (17.2, 0), (16.2, 5.8),
             (11, 8), (5, 8.2), (-1, 6.8)]

HANDS = {
    # fingers: (joints, width), index to little; thumb: (joints, width)
    "relaxed": dict(
        palm=PALM_FLAT,
        fingers=[([(10, -4.3), (15, -4.1), (18, -2.4)], 3.5),
                 ([(11, -1.3), (16.6, -0.6), (19.4, 1.2)], 3.6),
                 ([(10.6, 1.8), (15.6, 2.5), (17.8, 4.0)], 3.4),
                 ([(9.6, 4.3), (13.4, 5.1), (15.2, 6.2)], 2.9)],
        thumb=([(2.6, -4.6), (7, -7.6), (11.4, -7.8)], 4.2),
        together=True),
    "cheek": dict(
        palm=PALM_FLAT,
        fingers=[([(10, -4.3), (15.5, -4.8), (19.5, -4.6)], 3.5),
                 ([(11, -1.2), (17, -1.2), (21, -0.8)], 3.6),
                 ([(10.6, 1.8), (16, 2.2), (19.6, 2.8)], 3.4),
                 ([(9.6, 4.3), (14, 5.2), (16.8, 6.0)], 2.9)],
        thumb=([(2.6, -4.8), (6.5, -8.6), (10.5, -10.6)], 4.2),
        together=True),
    "open": dict(
        palm=[(-1, -6), (5, -7), (11, -6.2), (12.6, -1.2), (12, 5), (6, 7.2), (-1, 6.4)],
        fingers=[([(10.4, -4.6), (15.6, -6.6), (19.6, -8.4)], 3.4),
                 ([(11.4, -1.4), (17.4, -1.8), (22, -2.2)], 3.6),
                 ([(11, 1.8), (16.8, 2.9), (20.8, 3.9)], 3.4),
                 ([(10, 4.6), (14.4, 6.8), (17.4, 8.4)], 2.9)],
        thumb=([(2.6, -5.2), (6.2, -9.6), (9, -13.2)], 4.2),
        lines=[[(3, 3.6), (7, 1.2), (10.2, 1.4)], [(4, -2.2), (7.2, -2.8), (10.4, -2.4)]]),
    "point": dict(
        palm=PALM_FIST,
        fingers=[([(11, -4.6), (16.5, -4.9), (22.5, -5.0)], 3.5)],
        curled=[-1.6, 1.6, 4.9],
        thumb=([(3, -6), (8.2, -5.6), (12.6, -2.8)], 4.0)),
    "fist": dict(
        palm=PALM_FIST,
        fingers=[],
        curled=[-4.9, -1.6, 1.6, 4.9],
        thumb=([(3, -6.4), (8.2, -5.8), (12.8, -3.6)], 4.0)),
    "grip": dict(
        palm=PALM_FIST,
        fingers=[],
        curled=[-4.9, -1.6, 1.6, 4.9],
        thumb=([(3.2, -6.6), (8.6, -7.4), (13.6, -6.2)], 4.0)),
}


def _stroke_joints(cr, joints, w):
    cr.move_to(*joints[0])
    for q in joints[1:]:
        cr.line_to(*q)
    cr.set_line_width(w)
    cr.stroke()


def hand(p, at, ang, kind="relaxed", flip=False, k=HAND_K, staff_under=None):
    """One hand with its wrist at at, pointing along ang degrees.  For a
    grip, staff_under draws the staff (in picture coordinates) over the
    palm before the curled fingers close over it."""
    form = HANDS[kind]
    cr = p.cr
    cr.save()
    cr.translate(*at)
    cr.rotate(math.radians(ang))
    cr.scale(k, -k if flip else k)
    lw = LW / k
    fine = LW_FINE / k
    palm, fingers, thumb = form["palm"], form["fingers"], form["thumb"]
    curled = form.get("curled", [])
    cr.set_line_cap(cairo.LINE_CAP_ROUND)
    joints, w = thumb

    def ball(c):
        c.save()
        c.translate(joints[0][0] + 1.5, joints[0][1] + 1.8)
        c.scale(4.4, 3.4)
        c.new_sub_path()
        c.arc(0, 0, 1, 0, 2 * math.pi)
        c.restore()

    def thumb_line():
        cr.set_source_rgba(*rgb(SKIN_LN))
        ball(cr)
        cr.set_line_width(lw * 2)
        cr.stroke()
        _stroke_joints(cr, joints, w + lw * 2)

    def thumb_skin():
        cr.set_source_rgba(*rgb(SKIN))
        ball(cr)
        cr.fill()
        _stroke_joints(cr, joints, w)
    # an open hand has one outline round palm, fingers and thumb together;
    # a closed one draws its thumb last, over the curled fingers
    if not curled:
        thumb_line()
    # the back layer: palm, open fingers
    cr.set_source_rgba(*rgb(SKIN_LN))
    spline(cr, palm)
    cr.set_line_width(lw * 2)
    cr.stroke()
    for fj, fw in fingers:
        _stroke_joints(cr, fj, fw + lw * 2)
    cr.set_source_rgba(*rgb(SKIN))
    spline(cr, palm)
    cr.fill()
    for fj, fw in fingers:
        _stroke_joints(cr, fj, fw)
    # shade on the little-finger side and under the knuckles
    cr.save()
    spline(cr, palm)
    cr.clip()
    cr.set_source_rgba(*rgb(SKIN_SH))
    spline(cr, [(0, 4.2), (8, 3.6), (13, 4.4), (13, 9), (0, 9)])
    cr.fill()
    cr.restore()
    cr.set_source_rgba(*rgb(SKIN_LN))
    if form.get("together"):
        # the fingers lie together: a fine line between each pair
        for (j1, _), (j2, _) in zip(fingers, fingers[1:]):
            mid = [((a[0] + b[0]) / 2, (a[1] + b[1]) / 2) for a, b in zip(j1, j2)]
            mid[-1] = (mid[-1][0] - 0.8, mid[-1][1])
            spline(cr, mid, closed=False)
            cr.set_line_width(fine)
            cr.stroke()
    for line in form.get("lines", []):
        spline(cr, line, closed=False)
        cr.set_line_width(fine * 0.8)
        cr.stroke()
    if staff_under is not None:
        # the staff lies across the palm; the fingers close over it
        cr.save()
        spline(cr, palm)
        cr.clip()
        cr.identity_matrix()
        cr.scale(p.ss, p.ss)
        staff_under()
        cr.restore()
    if curled:
        # the middle joints of the curled fingers, seen from the front
        cr.set_source_rgba(*rgb(SKIN_LN))
        for v in curled:
            _stroke_joints(cr, [(9.2, v), (15.4, v)], 3.3 + lw * 2)
        cr.set_source_rgba(*rgb(SKIN))
        for v in curled:
            _stroke_joints(cr, [(9.2, v), (15.4, v)], 3.3)
        cr.set_source_rgba(*rgb(SKIN_SH))
        for v in curled:
            _stroke_joints(cr, [(9.6, v + 1.0), (15.4, v + 1.0)], 1.1)
        cr.set_source_rgba(*rgb(SKIN_LN))
        for a, b in zip(curled, curled[1:]):
            if b - a < 4:
                m = (a + b) / 2
                spline(cr, [(9.4, m), (12.5, m - 0.2), (15.6, m)], closed=False)
                cr.set_line_width(fine)
                cr.stroke()
        # knuckles
        for v in curled:
            spline(cr, [(15.8, v - 1.2), (16.6, v), (15.8, v + 1.2)], closed=False)
            cr.set_line_width(fine * 0.7)
            cr.stroke()
    # the thumb, with its ball at the heel of the hand
    if curled:
        thumb_line()
    thumb_skin()
    # its nail and the crease at its base
    tip = joints[-1]
    prev = joints[-2]
    tx, ty = tip[0] - prev[0], tip[1] - prev[1]
    tl = math.hypot(tx, ty) or 1
    tx, ty = tx / tl, ty / tl
    cr.set_source_rgba(*rgb(SKIN_SH))
    cr.move_to(tip[0] - tx * 2.2, tip[1] - ty * 2.2)
    cr.line_to(tip[0] - tx * 0.4, tip[1] - ty * 0.4)
    cr.set_line_width(w * 0.45)
    cr.stroke()
    cr.set_source_rgba(*rgb(SKIN_LN))
    spline(cr, [(joints[0][0] + 1, joints[0][1] + 4.6), (joints[1][0] - 0.5, joints[1][1] + 3.6),
                (joints[1][0] + 2.5, joints[1][1] + 2.6)], closed=False)
    cr.set_line_width(fine * 0.8)
    cr.stroke()
    cr.restore()


def grip_on(staff_line, el, wr, k=HAND_K):
    """Where a hand that grips the staff goes.  The pose's wrist point marks
    the place on the staff; the palm centre is put on the staff line there,
    the hand square to the staff and reaching it from the elbow's side, the
    thumb towards the gem.  Returns (wrist, angle, flip, palm centre)."""
    (tx, ty), (bx, by) = staff_line
    sl = math.hypot(bx - tx, by - ty)
    sx, sy = (bx - tx) / sl, (by - ty) / sl
    t = (wr[0] - tx) * sx + (wr[1] - ty) * sy
    cx, cy = tx + sx * t, ty + sy * t
    hx, hy = -sy, sx
    if (cx - el[0]) * hx + (cy - el[1]) * hy < 0:
        hx, hy = -hx, -hy
    reach = GRIP_X * k
    wrist = (cx - hx * reach, cy - hy * reach)
    ang = math.degrees(math.atan2(hy, hx))
    yx, yy = -hy, hx
    flip = (-yx) * (tx - cx) + (-yy) * (ty - cy) < 0
    return wrist, ang, flip, (cx, cy)


# ---------------------------------------------------------------- hair

def hair_back(p, sway=0.0):
    pts = [(150, 92), (112, 100), (94, 126), (88, 168), (88, 212), (84, 250),
           (76, 292), (80, 318 + sway), (96, 328), (106, 312), (118, 324), (128, 300),
           (150, 292), (172, 300), (182, 324), (194, 312), (204, 328), (220, 318 - sway),
           (224, 292), (216, 250), (212, 212), (212, 168), (206, 126), (188, 100)]
    p.part(pts, HAIR_SH, HAIR_LN, shade=darker(HAIR_SH, 0.22), light=HAIR, off=(6, 5),
           light_off=(4, 0), lw=LW)
    # the long hair behind her falls in clumps past her arms, their tips at
    # different lengths, swinging with the lean
    for side, clumps in ((-1, (([(98, 140), (90, 200), (86, 256), (82, 300), (86, 326)], 20),
                               ([(110, 150), (104, 212), (100, 262), (101, 302), (107, 332)],
                                17))),
                         (1, (([(202, 140), (210, 200), (214, 252), (218, 296), (213, 320)], 20),
                              ([(190, 150), (196, 212), (200, 262), (199, 300), (194, 336)],
                               17)))):
        for cpts, w in clumps:
            n = len(cpts) - 1
            cpts = [(x + sway * (k / n) ** 2, y) for k, (x, y) in enumerate(cpts)]
            clump(p, cpts, w, LW, base=HAIR_SH, shade=darker(HAIR_SH, 0.22))


def lock(p, pts, w0, color=HAIR, shade=HAIR_SH, wmid=None, w1=0.6):
    """One tapered lock of hair, drawn with its line; returns its outline."""
    out = taper_outline(pts, w0, w1, wmid=wmid, steps=8)
    p.part(out, color, HAIR_LN, shade=shade, off=(2.5, 2.5), smooth=False, lw=LW)
    return out


# The fringe, from the outside in, so each lock overlaps the one before:
# (root, points down to the tip, width at the root).  The parting is off
# centre, at x 162; the locks sweep out from it and their tips flick back
# towards it.  Two long ones reach the eye line.
PARTING = 162
FRINGE = [
    ((122, 106), [(112, 126), (107, 146), (110, 161)], 13),
    ((182, 106), [(189, 124), (192, 144), (188, 157)], 14),
    ((140, 105), [(128, 123), (121, 140), (124, 147)], 20),
    ((168, 105), [(173, 121), (177, 136), (175, 142)], 10),
    ((150, 105), [(140, 121), (135, 133), (137, 138)], 9),
    ((159, 105), [(150, 124), (143, 144), (146, 153)], 16),
]


def side_lock(p, s, sway, dx=0.0):
    """A lock framing the face: an S-curve down past the shoulder, ending in
    split tips of different lengths; it swings with the body's lean."""
    def X(u, y, k=1.0):
        return (150 + dx + s * u + sway * k, y)
    main = [X(36, 114, 0), X(46, 146, 0.1), X(51, 176, 0.3), X(45, 206, 0.55),
            X(47, 234, 0.8), X(42, 262, 1.1)]
    # the tip splits: a shorter lock curls out from the main one
    lock(p, [X(46, 222, 0.7), X(51, 242, 0.9), X(56, 254, 1.05)], 8)
    lock(p, main, 15, wmid=14)
    inner = [X(30, 128, 0), X(38, 160, 0.15), X(35, 190, 0.4), X(39, 214, 0.6),
             X(35, 232, 0.8)]
    lock(p, inner, 8)


def front_hair(p, part_dx=0.0, sway=0.0):
    """The side locks framing the face and the fringe, all tapered locks,
    with one ring of shine round the skull, broken at every lock."""
    for side in (-1, 1):
        side_lock(p, side, sway, part_dx * 0.4)
    # the crown: one mass, over which the locks of the fringe fall
    crown = [(106, 132), (108, 112), (122, 100), (150, 94), (178, 100), (192, 112),
             (194, 132), (150, 122)]
    p.part(crown, HAIR, HAIR_LN, shade=HAIR_SH, off=(0, 3), lw=LW)
    d = part_dx
    outlines = []
    for root, rest, w in FRINGE:
        # a lock's root moves with the turn, its tip half as far
        pts = [(root[0] + d, root[1])] + [(x + d * 0.7, y) for x, y in rest]
        outlines.append((pts, lock(p, pts, w, wmid=w * 0.85)))
        p.taper([(pts[0][0] + 1, pts[0][1] + 8), (pts[1][0] + 1, pts[1][1]), pts[-2]], 1.6, 0.2,
                lighter(HAIR, 0.25))
    # the shine: one ring following the round of the skull, clipped to each
    # lock so it breaks at every gap; a mid tone along its lower edge
    cx = 150 + d * 0.8
    ring = [(cx + u, 150 - 23 * math.sqrt(max(0.0, 1 - (u / 47.0) ** 2)))
            for u in range(-44, 45, 4)]
    for pts, out in outlines:
        with p.clip(out, smooth=False):
            p.taper([(x, y + 1.8) for x, y in ring], 1.2, 1.2, mix(HAIR, HAIR_HI, 0.5), wmid=6.0)
            p.taper(ring, 0.8, 0.8, HAIR_HI, wmid=4.0)


# ---------------------------------------------------------------- hat

def star_path(cx, cy, r, ri=0.42, rot=-90):
    pts = []
    for k in range(10):
        a = math.radians(rot + k * 36)
        rr = r if k % 2 == 0 else r * ri
        pts.append((cx + math.cos(a) * rr, cy + math.sin(a) * rr))
    return pts


def hat_outline(tip=(216, 10), brim_tilt=-4.0):
    """The hat's two shapes, its cone and its brim, as point lists."""
    cone = [(100, 102), (110, 72), (126, 46), (152, 26), (182, 16), tip, (198, 30),
            (186, 52), (186, 78), (200, 102)]
    brim = []
    for k in range(72):
        a = math.radians(k * 5)
        x, y = 98 * math.cos(a), 17 * math.sin(a)
        t = math.radians(brim_tilt)
        brim.append((150 + x * math.cos(t) - y * math.sin(t), 104 + x * math.sin(t) + y * math.cos(t)))
    return cone, brim


def hat(p, tip=(216, 10), brim_tilt=-4.0, front=True, lw=LW, star=9.5, star_dx=0.0):
    """Pointed hat with a wide brim, a gold band and, on the front, a star
    charm: the same hat on every picture and on the icon.  star_dx turns
    the hat with the head: the charm moves that far, the cone half as far."""
    cone, brim = hat_outline(tip, brim_tilt)
    cone = [(x + star_dx * 0.5 * (1 - (104 - y) / 120.0), y) for x, y in cone]
    p.part(cone, CAPE, ROBE_LN, shade=CAPE_SH, light=ROBE, off=(8, 2), light_off=(3, 0),
           lw=lw)
    band = [(103, 84), (150, 78), (197, 84), (200, 100), (150, 94), (100, 100)]
    with p.clip(cone):
        p.part(band, GOLD, GOLD_LN, shade=GOLD_SH, off=(0, 3), lw=lw)
    p.part(brim, CAPE, ROBE_LN, shade=CAPE_SH, light=ROBE_HI, off=(0, 6), light_off=(0, 3),
           lw=lw)
    if front:
        p.part(star_path(168 + star_dx, 82 - star * 0.2, star), (255, 232, 120), GOLD_LN,
               shade=GOLD, off=(2, 2),
               smooth=False, lw=lw)


# ---------------------------------------------------------------- face

FACE = [(108, 126), (109, 152), (114, 174), (126, 192), (141, 203), (150, 206),
        (159, 203), (174, 192), (186, 174), (191, 152), (192, 126), (150, 110)]


def eye(p, c, side, kind, look=(0, 0)):
    """side -1: her right eye (left on the picture); u runs outwards."""
    x, y = c
    s = side

    def E(u, v):
        return (x + s * u, y + v)
    lx, ly = look
    if kind in ("open", "wide", "half", "teary", "down", "glance"):
        if kind == "wide":
            white = [E(-9, 0), E(-4, -11), E(5, -12), E(11, -3), E(9, 8), E(0, 11), E(-7, 7)]
        elif kind == "half":
            white = [E(-9, 0), E(0, -3), E(11, -4), E(10, 5), E(0, 9), E(-7, 6)]
        elif kind == "down":
            white = [E(-9, 1), E(0, -4), E(11, -3), E(9, 7), E(0, 10), E(-7, 7)]
        else:
            white = [E(-9, 0), E(-3, -9), E(6, -9), E(11, -3), E(9, 7), E(0, 10), E(-7, 7)]
        p.shape(white, (255, 255, 255))
        with p.clip(white):
            p.shape([E(-12, -12), E(12, -12), E(12, -3), E(-12, -1)], (220, 208, 228))
            rx, ry = (5.4, 6.8) if kind == "wide" else (7.2, 9.4)
            ix, iy = x + lx, y + 1.5 + ly
            cr = p.cr
            g = cairo.LinearGradient(ix, iy - ry, ix, iy + ry)
            g.add_color_stop_rgba(0, *rgb(IRIS_DK))
            g.add_color_stop_rgba(0.45, *rgb(IRIS))
            g.add_color_stop_rgba(1, *rgb(IRIS_LT))
            cr.save()
            cr.translate(ix, iy)
            cr.scale(rx, ry)
            cr.arc(0, 0, 1, 0, 2 * math.pi)
            cr.restore()
            cr.set_source(g)
            cr.fill_preserve()
            cr.set_source_rgba(*rgb(IRIS_DK))
            cr.set_line_width(0.9)
            cr.stroke()
            p.ellipse(ix, iy - 0.5, rx * 0.42, ry * 0.46, (58, 24, 18))
            p.ellipse(ix - 2.8, iy - 3.8, 2.6 if kind != "wide" else 1.7,
                      3.0 if kind != "wide" else 2.0, (255, 255, 255))
            p.ellipse(ix + 3, iy + 4.2, 1.2, 1.2, (255, 255, 255))
            if kind == "teary":
                p.ellipse(ix + 2.6, iy - 1.8, 1.7, 1.7, (255, 255, 255))
                p.ellipse(ix - 3.6, iy + 3.6, 1.4, 1.0, (255, 255, 255))
                p.curve([E(-8, 7), E(0, 9), E(9, 6)], TEAR, 2.2)
        # upper lash line: thick, tapered towards the nose, with a flick
        if kind == "half":
            lid = [E(-10, 0), E(0, -3.5), E(11, -4.5), E(14, -6)]
        elif kind == "down":
            lid = [E(-10, 1), E(0, -4), E(11, -3.5), E(14, -5)]
        elif kind == "wide":
            lid = [E(-10, -1), E(-4, -12), E(5, -13), E(12, -5), E(15, -8)]
        else:
            lid = [E(-10, 0), E(-3, -9.5), E(6, -10), E(12, -4), E(15, -7)]
        p.taper(lid, 1.0, 2.2, EYE_LN, wmid=3.0)
        p.taper([E(-1, 10.2), E(5, 9.6), E(8.5, 7.5)], 0.3, 0.3, EYE_LN, wmid=1.1)
        if kind in ("half", "down"):
            # the lid's crease above
            p.taper([E(-6, -4), E(3, -7.5), E(10, -7)], 0.2, 0.2, SKIN_LN, wmid=0.9)
    elif kind == "happy":
        p.taper([E(-10, 3), E(0, -6), E(10, 2)], 1.0, 1.0, EYE_LN, wmid=3.0)
    elif kind == "closed":
        p.taper([E(-10, 0), E(0, 4.5), E(11, 0), E(14, -2)], 1.0, 1.2, EYE_LN, wmid=2.8)
        for u in (4, 8):
            p.taper([E(u, 4 - u * 0.3), E(u + 1.5, 7.5 - u * 0.3)], 1.0, 0.2, EYE_LN)
    elif kind == "tight":
        p.taper([E(-8, -7), E(6, -0.5), E(-8, 6)], 1.4, 1.4, EYE_LN, wmid=3.2)
    elif kind == "sad_closed":
        p.taper([E(-10, -2), E(0, 2), E(11, 4)], 1.0, 1.0, EYE_LN, wmid=2.8)
        p.taper([E(-6, 6), E(2, 8), E(8, 8)], 0.3, 0.3, EYE_LN, wmid=1.0)


BROWS = {
    # (inner, middle, outer) in the eye's frame, u outwards
    "normal": [(-9, -14), (1, -16.5), (11, -15)],
    "raised": [(-9, -19), (1, -23), (11, -20)],
    "worried": [(-9, -18.5), (1, -15.5), (11, -12.5)],
    "sad": [(-8, -19.5), (0, -16), (11, -11.5)],
    "angry": [(-8, -10.5), (1, -14), (11, -17)],
    "frown": [(-8, -12), (1, -14.5), (11, -15.5)],
    "soft": [(-9, -14.5), (1, -17), (11, -15)],
}


def brow(p, c, side, kind, lift=0.0):
    x, y = c
    pts = [(x + side * u, y + v - lift) for u, v in BROWS[kind]]
    p.taper(pts, 3.0, 0.8, HAIR_LN, wmid=2.8)
    p.taper(pts, 1.4, 0.3, HAIR_SH, wmid=1.3)


def mouth(p, kind, cx=150, cy=187):
    x, y = cx, cy
    if kind == "smile":
        p.taper([(x - 7, y - 1.5), (x, y + 2), (x + 7, y - 1.5)], 0.5, 0.5, MOUTH_DK, wmid=1.7)
    elif kind == "grin":
        pts = [(x - 9, y - 2), (x + 9, y - 2), (x + 5, y + 5), (x, y + 7), (x - 5, y + 5)]
        p.shape(pts, MOUTH_DK, MOUTH_DK, lw=0.9)
        with p.clip(pts):
            p.ellipse(x, y + 7, 6, 3.5, TONGUE)
            p.shape([(x - 9, y - 3), (x + 9, y - 3), (x + 8, y), (x - 8, y)], TEETH,
                    smooth=False)
    elif kind == "lopsided":
        # 뻘쭘: one corner pulled up, the other flat, a little gap at the low end
        p.taper([(x - 8, y + 1), (x - 1, y + 1.5), (x + 5, y - 0.5), (x + 9, y - 4)], 0.6, 0.6,
                MOUTH_DK, wmid=1.7)
        p.shape([(x - 8, y + 0.2), (x - 4, y + 1.4), (x - 6, y + 3.2)], MOUTH, smooth=False)
    elif kind == "pout":
        # 투덜: the lips pushed out and off to one side, a sulky little bump
        x += 6
        p.taper([(x - 6, y + 0.6), (x - 2, y - 1.0), (x + 2, y - 0.4), (x + 5.5, y - 2.2)], 0.5,
                0.6, MOUTH_DK, wmid=1.7)
        p.shape([(x - 2.6, y + 0.6), (x + 3.2, y + 0.2), (x + 2.2, y + 3.0), (x - 1.2, y + 3.2)],
                mix(SKIN_SH, MOUTH, 0.45), MOUTH_DK, lw=0.6)
    elif kind == "grit":
        pts = [(x - 10, y - 3), (x + 10, y - 4), (x + 9, y + 4), (x - 9, y + 4)]
        p.shape(pts, TEETH, MOUTH_DK, lw=1.2)
        p.curve([(x - 9, y + 0.2), (x + 9, y - 0.2)], (190, 170, 170), 0.8, smooth=False)
        for u in (-5, 0, 5):
            p.curve([(x + u, y - 3.2), (x + u, y + 3.6)], (190, 170, 170), 0.7, smooth=False)
        p.taper([(x - 11, y - 4), (x - 9, y - 2)], 1.4, 0.6, MOUTH_DK)
    elif kind == "wobble":
        pts = [(x - 8, y + 2), (x - 4, y - 1.5), (x, y + 0.5), (x + 4, y - 1.5), (x + 8, y + 2),
               (x + 4, y + 6), (x - 4, y + 6)]
        p.shape(pts, MOUTH_DK, MOUTH_DK, lw=0.9)
        with p.clip(pts):
            p.ellipse(x, y + 7, 5, 3, TONGUE)
    elif kind == "wail":
        # a crying mouth: the upper lip arched, the corners pulled down,
        # a little lopsided
        pts = [(x - 12, y + 7), (x - 8, y - 1), (x - 1, y - 4), (x + 7, y - 2), (x + 12.5, y + 5),
               (x + 9, y + 12), (x, y + 14.5), (x - 8.5, y + 12.5)]
        p.shape(pts, MOUTH_DK, MOUTH_DK, lw=1.0)
        with p.clip(pts):
            p.ellipse(x + 0.5, y + 15, 8, 5.5, TONGUE)
            p.shape([(x - 9, y - 4), (x + 9, y - 4), (x + 7, y + 0.6), (x, y - 0.6),
                     (x - 7, y + 1)], TEETH)
        p.taper([(x - 14.5, y + 9.5), (x - 12, y + 7)], 0.3, 1.0, MOUTH_DK)
        p.taper([(x + 15, y + 7.5), (x + 12.5, y + 5)], 0.3, 1.0, MOUTH_DK)
    elif kind == "tongue":
        p.taper([(x - 8, y - 2), (x - 4, y + 2), (x, y - 0.5), (x + 4, y + 2), (x + 8, y - 2)],
                0.5, 0.5, MOUTH_DK, wmid=1.6)
        p.shape([(x + 1, y + 0.5), (x + 6, y + 1.2), (x + 5.5, y + 6), (x + 2, y + 5.5)],
                TONGUE, MOUTH_DK, lw=0.8)
    elif kind == "chant":
        p.ellipse(x, y + 1, 3.6, 3.0, MOUTH_DK, MOUTH_DK, lw=0.6)
        p.ellipse(x, y + 2.4, 2.2, 1.0, TONGUE)
    elif kind == "shy":
        # 부끄: a tiny mouth, pressed small, a bit open at one side
        p.taper([(x - 4, y + 1), (x - 1, y + 2.2), (x + 2, y + 1.4), (x + 4, y + 2.4)], 0.4, 0.4,
                MOUTH_DK, wmid=1.3)
        p.shape([(x + 0.5, y + 1.8), (x + 3, y + 1.6), (x + 2, y + 3.6)], MOUTH, smooth=False)
    elif kind == "o":
        p.ellipse(x, y + 2, 4.2, 5.6, MOUTH_DK, MOUTH_DK, lw=0.6)
        p.ellipse(x, y + 5, 2.8, 1.6, TONGUE)
    elif kind == "shiver":
        # 바들: teeth clenched in a wide, trembling grimace
        top = [(x - 10, y + 1), (x - 6, y - 2), (x - 2, y), (x + 2, y - 2), (x + 6, y),
               (x + 10, y - 2)]
        bot = [(x + 9, y + 4), (x + 5, y + 3), (x + 1, y + 5), (x - 3, y + 3), (x - 7, y + 5),
               (x - 10, y + 3)]
        p.shape(top + bot, TEETH, MOUTH_DK, lw=1.0, smooth=False)
        p.curve([(x - 9, y + 2), (x - 5, y + 1), (x - 1, y + 2.4), (x + 3, y + 1),
                 (x + 8, y + 1.6)], (180, 160, 164), 0.7)
    elif kind == "sniff":
        # 훌쩍: lips pressed into a quivering frown
        p.taper([(x - 7, y + 3), (x - 3, y - 0.5), (x + 1, y + 0.6), (x + 4, y - 0.5),
                 (x + 7, y + 3)], 0.5, 0.5, MOUTH_DK, wmid=1.6)
        p.taper([(x - 2.5, y + 4.5), (x, y + 5.3), (x + 2.5, y + 4.5)], 0.2, 0.2, SKIN_LN,
                wmid=0.8)


def blush(p, amount, lines=False, dx=0.0):
    if amount <= 0:
        return
    cr = p.cr
    for cx in (124 + dx * 0.7, 176 + dx * 0.9):
        g = cairo.RadialGradient(cx, 179, 0, cx, 179, 13)
        g.add_color_stop_rgba(0, *rgb(BLUSH, min(1.0, amount)))
        g.add_color_stop_rgba(0.55, *rgb(BLUSH, min(1.0, amount) * 0.7))
        g.add_color_stop_rgba(1, *rgb(BLUSH, 0))
        cr.save()
        cr.translate(cx, 179)
        cr.scale(1.0, 0.55)
        cr.arc(0, 0, 14, 0, 2 * math.pi)
        cr.restore()
        cr.set_source(g)
        cr.fill()
        if lines:
            for u in (-6, -1, 4):
                p.taper([(cx + u + 2, 174), (cx + u - 1, 183)], 1.2, 0.4, (214, 86, 100))


def nose(p, red=False):
    if red:
        p.ellipse(150, 176, 5, 3.2, BLUSH, alpha=0.9)
    p.taper([(149, 173), (151.5, 176)], 1.3, 0.5, SKIN_LN)


# ---------------------------------------------------------------- marks

def teardrop(p, x, y, s=1.0):
    pts = [(x, y - 6 * s), (x + 3.6 * s, y + 1 * s), (x, y + 4.6 * s), (x - 3.6 * s, y + 1 * s)]
    p.shape(pts, TEAR, TEAR_LN, lw=LW_FINE)
    p.ellipse(x - 1 * s, y + 0.5 * s, 0.9 * s, 1.3 * s, (255, 255, 255))


def sweat(p, x, y, s=1.0):
    pts = [(x, y - 9 * s), (x + 5 * s, y + 2 * s), (x, y + 7 * s), (x - 5 * s, y + 2 * s)]
    p.shape(pts, SWEAT, TEAR_LN, lw=LW)
    p.ellipse(x - 1.6 * s, y + 1.5 * s, 1.3 * s, 2.2 * s, (255, 255, 255))


def anger_mark(p, x, y, r=9):
    for a in (45, 135, 225, 315):
        ra = math.radians(a)
        cx, cy = x + math.cos(ra) * r * 1.2, y + math.sin(ra) * r * 1.2
        arc = [(cx + math.cos(math.radians(a + 180 + d)) * r * 0.7,
                cy + math.sin(math.radians(a + 180 + d)) * r * 0.7) for d in (-60, 0, 60)]
        p.taper(arc, 1.4, 1.4, darker(ANGER, 0.5), wmid=4.2)
        p.taper(arc, 0.6, 0.6, ANGER, wmid=2.6)


def sparkle(p, x, y, r):
    pts = [(x + math.cos(math.radians(-90 + k * 45)) * (r if k % 2 == 0 else r * 0.28),
            y + math.sin(math.radians(-90 + k * 45)) * (r if k % 2 == 0 else r * 0.28))
           for k in range(8)]
    p.shape(pts, SPARK, SPARK_LN, lw=LW_FINE, smooth=False)


def tear_stream(p, side, length=44):
    """A stream of tears from a squeezed eye: it wells up wide under the eye,
    wavers down the cheek and splays outwards, a little different on each
    side."""
    x0 = 150 + side * 19
    k = 1.0 if side < 0 else 0.86
    pts = [(x0, 166), (x0 + side * 4, 178), (x0 + side * 2, 190), (x0 + side * 7, 203),
           (x0 + side * 6 + side * 6 * k, 166 + length * k)]
    out = taper_outline(pts, 8, 2.6, wmid=5.2)
    p.shape(out, TEAR, TEAR_LN, lw=LW_FINE, smooth=False)
    p.curve([(x0 + side * 0.5, 172), (x0 + side * 3, 182), (x0 + side * 1.8, 192)],
            (255, 255, 255), 1.2)


def squiggle(p, x0, y0, side, n=4, color=MARK):
    pts = [(x0 + side * (6 if k % 2 else 0), y0 + k * 7) for k in range(n)]
    p.curve(pts, color, 1.6)


def note(p, x, y, s=1.0):
    p.ellipse(x, y, 5 * s, 3.8 * s, MARK, rot=-20)
    p.curve([(x + 4.2 * s, y - 1 * s), (x + 4.2 * s, y - 20 * s), (x + 11 * s, y - 15 * s)],
            MARK, 1.8 * s, smooth=False)


GLYPHS = [
    # strokes of the runes round the circle, in a box from -1 to 1
    [((0, -1), (0, 1)), ((0, -0.2), (0.8, -0.9)), ((0, 0.4), (0.8, -0.3))],
    [((-0.6, -1), (-0.6, 1)), ((-0.6, -1), (0.6, 0)), ((0.6, 0), (-0.6, 1))],
    [((0, -1), (0, 1)), ((-0.8, -0.4), (0.8, 0.4))],
    [((-0.7, 1), (0, -1)), ((0, -1), (0.7, 1)), ((-0.4, 0.2), (0.4, 0.2))],
    [((-0.6, -1), (0.6, 1)), ((0.6, -1), (-0.6, 1))],
    [((0, -1), (0, 1)), ((0, -1), (0.7, -0.5)), ((0, 0.1), (-0.7, 0.6))],
    [((-0.7, -1), (-0.7, 1)), ((0.7, -1), (0.7, 1)), ((-0.7, 0), (0.7, -0.6))],
]


def magic_circle(p):
    """A circle of light behind her: two rings with a band of runes between
    them and a six-pointed star inside the inner one, drawn in light on a
    line of dark, so it reads over light and dark ground."""
    cx, cy = 150, 196
    sq = 0.96

    def at(r, a):
        return (cx + math.cos(a) * r, cy + math.sin(a) * r * sq)
    # the star: two triangles in the inner ring, and a small ring at its heart
    for turn in (0, math.pi):
        tri = [at(124, math.radians(-90) + turn + k * 2 * math.pi / 3) for k in range(3)]
        p.curve(tri + tri[:1], MAGIC_DK, 3.2, smooth=False)
        p.curve(tri + tri[:1], MAGIC, 1.6, smooth=False)
    p.ring(cx, cy, 62, MAGIC_DK, 3.2, ry=62 * sq)
    p.ring(cx, cy, 62, MAGIC, 1.6, ry=62 * sq)
    for r, w in ((140, 3.4), (124, 2.2)):
        p.ring(cx, cy, r, MAGIC_DK, w + 1.6, ry=r * sq)
        p.ring(cx, cy, r, MAGIC, w, ry=r * sq)
    # the runes, upright along the band, each a few straight strokes
    n = 30
    for k in range(n):
        a = math.radians(k * 360.0 / n + 4)
        gx, gy = at(132, a)
        g = GLYPHS[(k * 5 + k // 3) % len(GLYPHS)]
        ux, uy = -math.sin(a), math.cos(a)       # along the band
        vx, vy = math.cos(a), math.sin(a)        # outwards
        segs = [((gx + ux * x0 * 3.2 - vx * y0 * 4.4, gy + uy * x0 * 3.2 - vy * y0 * 4.4),
                 (gx + ux * x1 * 3.2 - vx * y1 * 4.4, gy + uy * x1 * 3.2 - vy * y1 * 4.4))
                for (x0, y0), (x1, y1) in g]
        for s in segs:
            p.curve(list(s), MAGIC_DK, 2.8, smooth=False)
        for s in segs:
            p.curve(list(s), MAGIC, 1.3, smooth=False)


# ---------------------------------------------------------------- poses
#
# An arm: dict(side, el, wr, hand, ang, flip, cuff, front).  el and wr are
# picture points; the shoulder comes from the rig.  ang is the hand's
# direction (wrist to finger tips) in degrees, default along the forearm.
# front=True draws the arm after the head (a hand before the face).

def arm(side, el, wr, hand="relaxed", ang=None, flip=None, cuff=30, front=False):
    return dict(side=side, el=el, wr=wr, hand=hand, ang=ang,
                flip=(side > 0) if flip is None else flip, cuff=cuff, front=front)


def front(a):
    """The same arm, drawn after the head."""
    return dict(a, front=True)


def draw_arm(p, r, a, staff_line=None):
    """One arm; a grip with staff_line set closes round that staff."""
    sh = r.sh_l if a["side"] < 0 else r.sh_r
    wr, ang, flip, under = a["wr"], a["ang"], a["flip"], None
    if a["hand"] == "grip" and staff_line is not None:
        wr, ang, flip, _ = grip_on(staff_line, a["el"], a["wr"])
        if a.get("thumb_down"):
            flip = not flip
        under = lambda: staff(p, *staff_line)  # noqa: E731
    along = sleeve(p, sh, a["el"], wr, a["cuff"])
    if a["hand"]:
        ang = along if ang is None else ang
        ux, uy = math.cos(math.radians(along)), math.sin(math.radians(along))
        at = wr if under else (wr[0] + ux * 1, wr[1] + uy * 1)
        hand(p, at, ang, a["hand"], flip=flip, staff_under=under)


L_STAFF = arm(-1, (96, 280), (88, 312), "grip", ang=80)
R_DOWN = arm(1, (204, 282), (206, 318), "relaxed", ang=95)
STAFF_L = ((76, 44), (94, 412))

MOODS = {
    "메어드": dict(
        light="both",
        hip=3, lean=-2.0, tilt=4, shrug=2, staff=STAFF_L,
        arms=[L_STAFF, R_DOWN],
        eyes="open", look=(0.5, 0), brows="soft", mouth="smile", blush=0.32),
    "뻘쭘메어드": dict(
        # caught out: scratches her cheek, smile stuck on, eyes slide away
        lean=2.5, tilt=-7, shrug=-3, yaw=-10, staff=STAFF_L,
        arms=[L_STAFF, arm(1, (226, 262), (200, 212), "point", ang=232, cuff=26, front=True)],
        eyes="open", look=(-3.5, -0.5), brows="worried", mouth="lopsided", blush=0.4,
        sweat=[(208, 122, 1.3)]),
    "투덜메어드": dict(
        # grumbling: arms crossed, head turned away, one cheek puffed
        hip=-5, lean=3, tilt=-5, shrug=4, head=(2, 0), yaw=22,
        arms=[arm(-1, (106, 294), (178, 290), "fist", ang=-4, flip=False, cuff=28),
              arm(1, (200, 270), (124, 266), "cheek", ang=186, flip=False, cuff=28)],
        eyes="half", look=(3.5, 1), brows="frown", mouth="pout", puff=7, blush=0.42,
        grumble=True),
    "짜증메어드": dict(
        # annoyed: weight on one leg, fist on the hip, teeth clenched
        hip=7, lean=-3.5, tilt=5, shrug=-4, yaw=-8, staff=STAFF_L,
        arms=[L_STAFF, arm(1, (230, 262), (202, 294), "fist", ang=200)],
        eyes="half", look=(0, 1.5), brows="angry", mouth="grit", anger=(210, 124, 12),
        gloom=True),
    "흑흑메어드": dict(
        light="both",
        # sobbing: head down, one fist at her eye, the staff held close
        lean=1.5, tilt=6, shrug=-2, head=(0, 9), staff=((64, 62), (128, 412)),
        staff_layer="over",
        arms=[arm(-1, (86, 270), (111, 304), "grip", front=True),
              arm(1, (218, 250), (182, 182), "fist", ang=235, cuff=26, front=True)],
        eyes="sad_closed", brows="sad", mouth="wobble", blush=0.55,
        drops=[(119, 172, 0.9), (114, 190, 0.8), (198, 214, 0.7)]),
    "으앙메어드": dict(
        light="sunset",
        # wailing: fists at her sides, head back, tears in streams
        hip=-5, lean=1, tilt=3, shrug=4, head=(0, -3),
        arms=[arm(-1, (92, 278), (96, 310), "fist", ang=84, cuff=28),
              arm(1, (214, 266), (218, 292), "fist", ang=96, cuff=28)],
        eyes="tight", brows="sad", mouth="wail", streams=True, blush=0.6,
        drops=[(92, 148, 1.1), (208, 148, 1.1), (84, 174, 0.8), (216, 176, 0.8)]),
    "마법메어드": dict(
        # using magic: aims the staff, sure of herself
        hip=-5, lean=-4, tilt=3, shrug=3, yaw=10, staff=((262, 166), (24, 447)), staff_front=True,
        glow=True,
        arms=[arm(-1, (102, 284), (134, 304), "grip", ang=-30, flip=True),
              arm(1, (222, 262), (200, 246), "grip", ang=-40, flip=True)],
        eyes="open", look=(2.5, 0), brows="normal", mouth="grin", blush=0.3,
        sparkles=[(270, 140, 9), (252, 194, 6), (286, 184, 5)]),
    "시전메어드1": dict(
        # the silly casting pose: staff overhead, a wiggle and a song
        lean=4, tilt=-9, shrug=6, staff=((24, 130), (286, 104)), staff_layer="over",
        # the staff points a little into the picture, so it looks shorter
        # and its foot stays inside the frame
        foreshorten=0.72,
        arms=[arm(-1, (84, 212), (76, 125), "grip", front=True),
              arm(1, (220, 206), (226, 111), "grip", front=True)],
        eyes="happy", brows="raised", mouth="tongue", blush=0.55, brim=-12,
        sparkles=[(40, 100, 8), (262, 90, 7), (30, 168, 5)], wiggle=True, notes=True),
    "시전메어드2": dict(
        # casting for real: eyes shut, staff high, the circle behind her
        lean=-2, tilt=2, shrug=-5, sway=8, staff=((246, 16), (206, 382)), staff_front=True,
        glow=True,
        arms=[arm(1, (224, 206), (230, 168), "grip", ang=-80, flip=True),
              arm(-1, (84, 256), (60, 246), "open", ang=185, flip=True)],
        eyes="closed", brows="angry", mouth="chant", circle=True,
        sparkles=[(260, 12, 9), (206, 48, 6), (270, 66, 6), (22, 210, 7)]),
    "부끄메어드": dict(
        light="sunset",
        # shy: head down and aside, eyes lowered, fingertips poking together
        hip=3, lean=2, tilt=-5, shrug=3, head=(0, 9), yaw=-22,
        arms=[arm(-1, (102, 292), (122, 296), "point", ang=-16, flip=False),
              arm(1, (198, 292), (178, 296), "point", ang=196, flip=True)],
        eyes="down", look=(-3, 2.5), brows="worried", mouth="shy", blush=1.0,
        blush_lines=True),
    "깜짝메어드": dict(
        # startled: jumps, both hands up, eyes wide
        lean=-1, tilt=3, shrug=5, head=(0, -4), yaw=6,
        arms=[arm(-1, (78, 252), (68, 204), "open", ang=-104, flip=True),
              arm(1, (222, 262), (232, 230), "open", ang=-70)],
        eyes="wide", brows="raised", mouth="o", shock=True, sweat=[(206, 132, 0.9)]),
    "바들메어드": dict(
        # trembling: clutches the staff with both hands, shoulders up
        lean=1, tilt=-3, shrug=1, head=(0, 5), staff=((62, 58), (178, 412)),
        staff_layer="over",
        arms=[arm(-1, (104, 282), (120, 262), "grip", front=True),
              arm(1, (198, 292), (152, 300), "grip", front=True)],
        eyes="teary", look=(0, 1), brows="worried", mouth="shiver", shake=True, blush=0.3,
        sweat=[(208, 132, 1.0), (92, 146, 0.8)]),
    "훌쩍메어드": dict(
        light="sunset",
        # sniffling: eyes wet, nose red, a sleeve under the nose
        hip=3, lean=-1.5, tilt=4, shrug=-2, staff=STAFF_L,
        arms=[L_STAFF, arm(1, (222, 250), (174, 184), "fist", ang=196, cuff=26,
                           front=True)],
        eyes=("teary", "teary"), look=(1, 2.5), brows="sad", mouth="sniff", red_nose=True,
        drops=[(118, 180, 0.8)], blush=0.6),
    "뒤메어드": dict(back=True),
    "뻘쭘뒤메어드": dict(back=True, awkward=True),
}


# ---------------------------------------------------------------- checks

STAFF_LENGTH = 368      # the staff, from the gem to its foot


def check_poses():
    """Faults a pose can bring back without anyone seeing them at once: a
    staff drawn shorter or longer than it is, a hand that grips nothing,
    and a grip whose palm is not on the staff's shaft or is pulled far from
    where the pose puts the wrist.  Returns a list of messages."""
    faults = []
    for mood, m in MOODS.items():
        line = m.get("staff")
        for name in ("staff", "staff_behind"):
            if m.get(name):
                (tx, ty), (bx, by) = m[name]
                n = math.hypot(bx - tx, by - ty)
                want = STAFF_LENGTH * m.get("foreshorten", 1.0)
                if abs(n - want) > 0.04 * want:
                    faults.append("%s: the staff is %d px long, not %d" % (mood, n, want))
                inside = (0 <= bx <= W) or by > H
                if not inside:
                    faults.append("%s: the staff's foot is cut off at the picture's side" % mood)
        for a in m.get("arms", []):
            if a["hand"] != "grip":
                continue
            if not line:
                faults.append("%s: a hand grips no staff" % mood)
                continue
            _, _, _, c = grip_on(line, a["el"], a["wr"])
            (tx, ty), (bx, by) = line
            n = math.hypot(bx - tx, by - ty)
            t = ((c[0] - tx) * (bx - tx) + (c[1] - ty) * (by - ty)) / (n * n)
            if not 40.0 / n < t < 1.0:
                faults.append("%s: a grip at %.0f, %.0f is off the shaft" % ((mood,) + c))
            off = math.hypot(c[0] - a["wr"][0], c[1] - a["wr"][1])
            if off > 12:
                faults.append("%s: the pose puts a gripping hand %.0f px beside the staff"
                              % (mood, off))
            if math.hypot(c[0] - a["el"][0], c[1] - a["el"][1]) < GRIP_X * HAND_K + 12:
                faults.append("%s: a grip too close to its elbow for a forearm" % mood)
    return faults



def _skin_like(px):
    """Whether a pixel is skin or its shade (or a blend of the two)."""
    r, g, b, a = px
    if a < 250:
        return False
    (r0, g0, b0), (r1, g1, b1) = SKIN, SKIN_SH
    best = min(abs(r - (r0 + (r1 - r0) * t)) + abs(g - (g0 + (g1 - g0) * t))
               + abs(b - (b0 + (b1 - b0) * t)) for t in (i / 10.0 for i in range(11)))
    return best <= 18


def check_hands():
    """Each hand shape drawn large, both ways round: inside its thumb (the
    ball at the heel and the two joints, less a pixel at the rim) all but a
    few anti-aliased pixels must be skin.  An unfilled thumb, or one drawn over another
    finger while the palm's line runs through where it should be, fails.
    Returns a list of messages."""
    k = 8.0
    at = (40, 130)
    faults = []
    for kind, form in HANDS.items():
        for flip in (False, True):
            p = Pic(260, 260, ss=1)
            hand(p, at, 0, kind, flip=flip, k=k)
            mask = Pic(260, 260, ss=1)
            cr = mask.cr
            cr.translate(*at)
            cr.scale(k, -k if flip else k)
            joints, w = form["thumb"]
            cr.save()
            cr.translate(joints[0][0] + 1.5, joints[0][1] + 1.8)
            cr.scale(4.4, 3.4)
            cr.arc(0, 0, 1, 0, 2 * math.pi)
            cr.restore()
            cr.fill()
            cr.set_line_cap(cairo.LINE_CAP_ROUND)
            cr.set_line_join(cairo.LINE_JOIN_ROUND)
            _stroke_joints(cr, joints, w)
            # less the fine crease at its base, which is meant to be there
            cr.set_operator(cairo.OPERATOR_CLEAR)
            spline(cr, [(joints[0][0] + 1, joints[0][1] + 4.6),
                        (joints[1][0] - 0.5, joints[1][1] + 3.6),
                        (joints[1][0] + 2.5, joints[1][1] + 2.6)], closed=False)
            cr.set_line_width(1.2)
            cr.stroke()
            inside = mask.big().getchannel("A").filter(ImageFilter.MinFilter(5))
            pix = p.big().load()
            spots = [(x, y) for y in range(260) for x in range(260) if inside.getpixel((x, y)) == 255]
            skin = sum(1 for x, y in spots if _skin_like(pix[x, y]))
            if skin < 0.995 * len(spots):
                faults.append("hand %s%s: only %.1f %% of its thumb is skin"
                              % (kind, " (mirrored)" if flip else "", 100.0 * skin / len(spots)))
    return faults


# ---------------------------------------------------------------- drawing

def draw(mood):
    m = MOODS[mood]
    if m.get("back"):
        return draw_back(m)
    p = Pic(W, H)
    r = Rig(m.get("lean", 0), m.get("tilt", 0), m.get("shrug", 0), m.get("head", (0, 0)))
    if m.get("circle"):
        magic_circle(p)
    if m.get("staff_behind"):
        staff(p, *m["staff_behind"])
    with Frame(p, r.head):
        hair_back(p, m.get("sway", 0))
    if m.get("staff") and not m.get("staff_front") and m.get("staff_layer") is None:
        staff(p, *m["staff"])
    with Frame(p, r.body):
        robe_front(p, r, m.get("hip", 0.0))
    with Frame(p, r.head):
        neck(p)
    line = m.get("staff")
    layer = m.get("staff_layer", "front" if m.get("staff_front") else "side")
    if line and layer == "front":
        staff(p, *line, glow=m.get("glow", False))
    for a in m["arms"]:
        if not a["front"]:
            draw_arm(p, r, a, line)
    with Frame(p, r.body):
        capelet_over_shoulders(p, r, [a["side"] for a in m["arms"] if not a["front"]])
    with Frame(p, r.head):
        draw_head(p, m)
    if line and layer == "over":
        # held close in front of her: over the hair and the brim
        staff(p, *line, glow=m.get("glow", False))
    for a in m["arms"]:
        if a["front"]:
            draw_arm(p, r, a, line)
    marks(p, m, r)
    return p.final(SILHOUETTE, light=LIGHTS.get(m.get("light")))


def rim_light(img, color, strength, d=(9, -5), warm=0.0, shade_left=0.0):
    """Light from one side, on the full-size picture: a soft band of color
    inside the figure's edge wherever the figure ends within d (x, y, in
    full-size pixels) towards the light.  warm tints the rest towards the
    evening sun and shade_left darkens the side away from it; neither
    touches her reserved skin and hair tones, which the palette keeps
    exact."""
    a = img.getchannel("A")
    w, h = img.size
    ahead = a.transform(img.size, Image.AFFINE, (1, 0, d[0], 0, 1, d[1]))
    band = ImageChops.multiply(a, ImageChops.invert(ahead)).filter(ImageFilter.GaussianBlur(2))
    band = ImageChops.multiply(band, a).point(lambda v: int(v * strength))
    out = img.copy()
    if warm or shade_left:
        keep = Image.new("L", img.size, 0)
        rgb_ = img.convert("RGB")
        for c in RESERVED:
            diff = ImageChops.difference(rgb_, Image.new("RGB", img.size, c)).convert("L")
            keep = ImageChops.lighter(keep, diff.point(lambda v: 255 if v == 0 else 0))
        free = ImageChops.multiply(ImageChops.invert(keep), a)
        if warm:
            tint = Image.new("RGBA", img.size, (255, 190, 140, 0))
            tint.putalpha(free.point(lambda v: int(v * warm)))
            out.alpha_composite(tint)
        if shade_left:
            # darker towards the left, away from the low sun on the right
            ramp = Image.linear_gradient("L").rotate(90, expand=True).resize(img.size)
            ramp = ImageChops.invert(ramp).point(lambda v: int(max(0, v - 110) * shade_left))
            dark = Image.new("RGBA", img.size, (60, 40, 90, 0))
            dark.putalpha(ImageChops.multiply(ramp, free))
            out.alpha_composite(dark)
    layer = Image.new("RGBA", img.size, color + (0,))
    layer.putalpha(band)
    out.alpha_composite(layer)
    return out


# Light for the moods shown in the evening: the sun low on the right.  Those
# seen only then get a warm rim from the right and a warmer grade; 메어드
# and 흑흑, seen by day too, a pale rim from above and to the right that
# neither daylight nor the evening contradicts.
LIGHTS = {
    "sunset": lambda img: rim_light(img, (255, 196, 120), 0.8, d=(10, -3), warm=0.12,
                                    shade_left=0.6),
    "both": lambda img: rim_light(img, (255, 236, 206), 0.45, d=(6, -6)),
}


def turned_face(yaw, puff=0.0):
    """The face's outline turned yaw degrees (positive: towards the right of
    the picture): the chin and the far side move with the turn, the far
    cheek flattens and the near one fills out."""
    s = 1 if yaw >= 0 else -1
    dx = abs(yaw) * YAW_PX
    # per point of FACE (mirrored when she turns left): how far it moves
    shift = [0.0, 0.1, 0.35, 0.7, 0.95, 1.0, 1.0, 0.9, 0.45, 0.05, 0.0, 0.2]
    pts = []
    for (x, y), t in zip(FACE if s > 0 else [(300 - x, y) for x, y in FACE], shift):
        x += dx * t
        if x > 150 + dx and 160 < y < 185:
            x -= dx * 0.2     # the far cheek, flattened
        pts.append((x, y))
    if puff:
        # one cheek puffed out (a pout), on the far side
        pts[8] = (pts[8][0] + puff * 0.6, pts[8][1])
        pts[9] = (pts[9][0] + puff * 0.8, pts[9][1] + 3)
    if s < 0:
        pts = [(300 - x, y) for x, y in pts]
    return pts


YAW_PX = 0.35       # how far the features move, px per degree of turn
FAR_EYE = 0.7       # the far eye's width when the head turns 25 degrees


def draw_head(p, m):
    yaw = m.get("yaw", 0.0)
    dx = yaw * YAW_PX
    s = 1 if yaw >= 0 else -1
    pts = turned_face(yaw, m.get("puff", 0))
    p.part(pts, SKIN, SKIN_LN, shade=SKIN_SH, off=(3, 3), lw=LW)
    with p.clip(pts):
        # shadow of the fringe and the hat brim on the forehead
        p.shape([(100, 100), (200, 100), (200, 132), (186, 140), (150 + dx, 134), (114, 142),
                 (100, 134)], SKIN_SH)
    eyes = m["eyes"] if isinstance(m["eyes"], tuple) else (m["eyes"], m["eyes"])
    look = m.get("look", (0, 0))
    narrow = 1 - (1 - FAR_EYE) * min(1.0, abs(yaw) / 25.0)
    for c, side, kind, brows_on in ((EYE_L, -1, eyes[0], True), (EYE_R, 1, eyes[1], True)):
        far = side == s and yaw != 0
        k = narrow if far else 1.0
        cx = c[0] + dx * (1.05 if far else 0.85)

        def squeeze(cr, cx=cx, cy=c[1], k=k):
            cr.translate(cx, cy)
            cr.scale(k, 1)
            cr.translate(-cx, -cy)
        with Frame(p, squeeze):
            eye(p, (cx, c[1]), side, kind, (look[0] / k, look[1]))
    blush(p, m.get("blush", 0), m.get("blush_lines", False), dx)
    with Frame(p, lambda cr: cr.translate(dx * 1.25, 0)):
        nose(p, m.get("red_nose", False))
    mouth(p, m["mouth"], cx=150 + dx * 1.1)
    if m.get("streams"):
        tear_stream(p, -1)
        tear_stream(p, 1)
    front_hair(p, dx * 0.8, -m.get("lean", 0) * 1.5)
    for c, side in ((EYE_L, -1), (EYE_R, 1)):
        far = side == s and yaw != 0
        k = narrow if far else 1.0
        cx = c[0] + dx * (1.05 if far else 0.85)

        def squeeze(cr, cx=cx, cy=c[1], k=k):
            cr.translate(cx, cy)
            cr.scale(k, 1)
            cr.translate(-cx, -cy)
        with Frame(p, squeeze):
            brow(p, (cx, c[1]), side, m["brows"])
    if m.get("gloom"):
        # gloom: the upper face falls into a violet shade under the brim,
        # and short strokes hang in it, heavy at the top and tapering down,
        # of uneven length and spacing
        with p.clip(pts):
            g = cairo.LinearGradient(0, 118, 0, 152)
            g.add_color_stop_rgba(0, *rgb((70, 50, 120), 0.55))
            g.add_color_stop_rgba(1, *rgb((70, 50, 120), 0.0))
            p.cr.set_source(g)
            p.cr.rectangle(90, 110, 120, 44)
            p.cr.fill()
            for x, top, ln in ((124, 123, 13), (133, 121, 19), (143, 124, 12), (153, 122, 17),
                               (162, 125, 13), (171, 122, 16), (179, 124, 10)):
                x += dx
                p.taper([(x, top), (x + 0.4, top + ln * 0.5), (x + 0.9, top + ln)], 2.4, 0.2,
                        (54, 34, 100), alpha=0.9)
    hat(p, brim_tilt=m.get("brim", -4), star_dx=dx)


def marks(p, m, r):
    """The comic marks, each with a 1 px cream rim so it reads on dark
    trunks and hair as well as on the sky."""
    cr = p.cr
    cr.push_group()
    _marks(p, m, r)
    group = cr.pop_group()
    rim_around(p, group)


def rim_around(p, group, color=CREAM, width=1.0):
    """Paint a group of marks with a rim of color round its shapes."""
    cr = p.cr
    cr.save()
    cr.set_source_rgba(*rgb(color))
    for k in range(12):
        a = k * math.pi / 6
        cr.save()
        cr.translate(math.cos(a) * width, math.sin(a) * width)
        cr.mask(group)
        cr.restore()
    cr.set_source(group)
    cr.paint()
    cr.restore()


def _marks(p, m, r):
    ox, oy = r.head_off
    for (x, y, s) in m.get("drops", []):
        teardrop(p, x + ox, y + oy, s)
    for (x, y, s) in m.get("sweat", []):
        sweat(p, x + ox, y + oy, s)
    if m.get("anger"):
        x, y, rad = m["anger"]
        anger_mark(p, x + ox, y + oy, rad)
    for (x, y, rad) in m.get("sparkles", []):
        sparkle(p, x, y, rad)
    if m.get("shake"):
        for side in (-1, 1):
            for y0 in (160, 220, 280):
                squiggle(p, 150 + side * 100, y0, side)
    if m.get("shock"):
        # jolt lines of different lengths, thick where they start
        for a, r0, r1, w in ((200, 118, 136, 4.0), (220, 112, 140, 4.6), (247, 118, 132, 3.4),
                             (293, 116, 138, 4.4), (317, 120, 134, 3.6), (340, 114, 142, 4.8)):
            ra = math.radians(a)
            pts = [(150 + math.cos(ra) * r0, 126 + math.sin(ra) * r0 * 0.84),
                   (150 + math.cos(ra) * r1, 126 + math.sin(ra) * r1 * 0.84)]
            p.taper(pts, w, 1.2, MARK)
    if m.get("grumble"):
        p.curve([(220, 148), (228, 141), (236, 150), (244, 141), (252, 150)], MARK, 2.0)
        p.curve([(224, 162), (232, 155), (240, 164), (248, 155)], MARK, 2.0)
    if m.get("wiggle"):
        for side in (-1, 1):
            squiggle(p, 150 + side * 84, 330, side)
    if m.get("notes"):
        note(p, 264, 190)
        note(p, 40, 246, 0.8)


# ---------------------------------------------------------------- from behind

# The hair from behind in clumps, outside first, for the left of the picture
# (mirrored, a little changed, for the right): each a root on the crown and
# points down to a tip, and a width.  They fall narrower past the neck than
# over the crown and end in a V, the inner ones longest; the two inner
# clumps part at the neck, so the nape shows.
BACK_CLUMPS = [
    ([(108, 126), (99, 158), (104, 196), (96, 240), (98, 278), (106, 306)], 22),
    ([(121, 120), (114, 166), (116, 200), (110, 246), (114, 292), (123, 324)], 22),
    ([(134, 118), (130, 170), (129, 206), (126, 250), (131, 296), (139, 336)], 20),
    ([(146, 120), (141, 162), (133, 196), (137, 262), (147, 346)], 16),
]


def clump(p, pts, w, line=LW, base=HAIR, shade=HAIR_SH):
    """A clump of hair: it swells below the root, narrows where it twists
    (a waist, somewhere past the middle), opens again and ends in a point,
    its axis swinging a little from side to side so its two edges are
    never parallel.  Where and how much it twists comes from where it
    starts, so every clump differs but a render never does.  Returns its
    outline."""
    seed = int(pts[0][0] * 7 + pts[0][1] * 13)
    waist = 0.42 + (seed % 17) / 17.0 * 0.22
    pinch = 0.5 + (seed % 5) * 0.05
    wave = 1.4 + (seed % 7) * 0.35
    phase = (seed % 11) / 11.0 * math.pi * 2
    c = sample_spline(pts, 8)
    n = len(c)
    left, right = [], []
    for i, (x, y) in enumerate(c):
        a, b = c[max(i - 1, 0)], c[min(i + 1, n - 1)]
        ddx, ddy = b[0] - a[0], b[1] - a[1]
        ln = math.hypot(ddx, ddy) or 1.0
        nx, ny = -ddy / ln, ddx / ln
        t = i / (n - 1)
        k = 0.85 + 0.3 * math.sin(math.pi * min(t, 0.7) / 0.7 * 0.5)
        # the twist: a dip in width round the waist
        k *= 1 - (1 - pinch) * math.exp(-((t - waist) / 0.09) ** 2)
        if t > 0.72:
            k *= math.sqrt(max(0.0, (1 - t) / 0.28))
        hw = max(0.3, w * k / 2)
        # the axis sways, more towards the tip
        sway = wave * math.sin(phase + t * math.pi * 2.2) * min(1.0, t * 2.5)
        x, y = x + nx * sway, y + ny * sway
        # one edge leads the other, so the clump looks turned
        lean = 0.14 * hw * math.sin(phase + t * math.pi * 3.1)
        left.append((x + nx * (hw + lean), y + ny * (hw + lean)))
        right.append((x - nx * (hw - lean), y - ny * (hw - lean)))
    out = left + list(reversed(right))
    p.part(out, base, HAIR_LN, shade=shade, off=(3, 2.5), smooth=False, lw=line)
    # the turn at the waist: a short dark stroke slanting across it
    i = int(waist * (n - 1))
    if 1 <= i < n - 1:
        with p.clip(out, smooth=False):
            p.taper([left[i - 1], ((left[i][0] + right[i][0]) / 2, (left[i][1] + right[i][1]) / 2 + 1),
                     right[min(i + 2, n - 1)]], 0.3, 0.2, darker(shade, 0.2), wmid=1.4)
    return out


def back_hair(p, dx=0.0, awkward=False):
    """The back of her head: ears, skull, clumps, two loose strands and one
    ring of shine round the crown."""
    def moved(pts, k=1.0):
        return [(x + dx * k * (1 - (y - 110) / 300.0), y) for x, y in pts]
    skull = [(100, 106), (96, 140), (102, 172), (118, 190), (138, 194), (150, 188),
             (162, 194), (182, 190), (198, 172), (204, 140), (200, 106)]
    if awkward:
        # the near side of the skull turns away behind the cheek
        skull[1:4] = [(112, 140), (118, 172), (128, 192)]
    skull = moved(skull)
    p.part(skull, HAIR, HAIR_LN, shade=HAIR_SH, off=(5, 3), lw=LW)
    outlines = []
    clumps = [(pts, w) for pts, w in BACK_CLUMPS]
    # the right: mirrored, with lengths changed so the V is not exact
    right = []
    for (pts, w), dy in zip(BACK_CLUMPS, (8, -6, 4, -4)):
        right.append(([(300 - x, y + dy * i / (len(pts) - 1)) for i, (x, y) in enumerate(pts)],
                      w))
    order = [clumps[0], right[0], clumps[1], right[1], clumps[2], right[2], clumps[3], right[3]]
    if awkward:
        # half turned: the outer clump on the near side falls behind her
        # shoulder, and the cheek shows where it was
        order = order[1:]
    # the ears stand out from the side of the head; the outer clumps fall
    # over their roots, so they come out from under the hair
    for pts, w in order:
        pts = moved(pts)
        outer = not 112 < pts[0][0] - dx < 188
        outlines.append(clump(p, pts, w, LW if outer else LW_FINE + 0.1))
    if not awkward:
        for side in (-1, 1):
            ex = 150 + side * 52 + dx
            ear = [(ex - side * 3, 134), (ex + side * 6, 133), (ex + side * 11, 143),
                   (ex + side * 10, 158), (ex + side * 5, 170), (ex - side * 3, 168)]
            p.part(ear, SKIN, SKIN_LN, shade=SKIN_SH, off=(side * 2, 2), lw=LW)
            p.taper([(ex + side * 5, 139), (ex + side * 8, 150), (ex + side * 5, 163)],
                    0.3, 0.3, SKIN_SH, wmid=1.8)
            # a lock falls over the ear's root: it comes out from under the hair
            lock(p, [(ex - side * 8, 126), (ex - side * 3, 142), (ex - side * 3, 160),
                     (ex - side * 6, 178)], 8, wmid=7)
    # two strands that break the outline
    if not awkward:
        lock(p, moved([(100, 196), (92, 230), (86, 262), (90, 276)]), 5)
    lock(p, moved([(200, 216), (210, 250), (214, 284), (208, 296)]), 5)
    # strand lines along each clump
    for (pts, w), out in zip(order[4:], outlines[4:]):
        pts = moved(pts)
        with p.clip(out, smooth=False):
            p.taper([(pts[1][0] + 3, pts[1][1]), (pts[2][0] + 3, pts[2][1]),
                     (pts[3][0] + 2, pts[3][1])], 0.3, 0.2, darker(HAIR_SH, 0.15), wmid=1.0)
    # shine round the crown: on each clump a streak of light pointing down
    # the hair from the round of the skull, of its own length, so the
    # band breaks into the jagged shine hair has, not a ring
    cx = 150 + dx

    def crown(x):
        u = max(-1.0, min(1.0, (x - cx) / 52.0))
        return 150 - 26 * math.sqrt(1 - u * u)
    for k, ((pts, w), out) in enumerate(zip(order, outlines)):
        pts = moved(pts)
        c = sample_spline(pts, 8)
        y0 = crown(pts[0][0]) + ((k * 7) % 5 - 2) * 1.6
        near = min(c, key=lambda q: abs(q[1] - y0))
        x0 = near[0] - w * 0.12
        length = 7 + (k * 5) % 12
        with p.clip(out, smooth=False):
            p.taper([(x0 - 0.5, y0 - 4), (x0, y0 + length * 0.4), (x0 + 0.6, y0 + length)],
                    2.0, 0.3, mix(HAIR, HAIR_HI, 0.5), wmid=w * 0.26)
            p.taper([(x0 - 0.4, y0 - 2), (x0, y0 + length * 0.3), (x0 + 0.4, y0 + length * 0.7)],
                    1.4, 0.2, HAIR_HI, wmid=w * 0.16)
            p.taper([(x0 + w * 0.22, y0 - 1), (x0 + w * 0.24, y0 + length * 0.45)],
                    1.2, 0.2, HAIR_HI)


def neck_back(p, dx=0.0):
    pts = [(137 + dx, 180), (163 + dx, 180), (165 + dx * 0.5, 224), (135 + dx * 0.5, 224)]
    p.part(pts, SKIN, SKIN_LN, shade=SKIN_SH, off=(-3, 0), smooth=False, lw=LW)
    p.shape([(135 + dx, 180), (165 + dx, 180), (165 + dx, 198), (150 + dx, 204),
             (135 + dx, 198)], SKIN_SH, smooth=False)


def three_quarter_cheek(p):
    """뻘쭘뒤: she looks back over her shoulder to the left of the picture,
    so her face shows in profile in front of her hair: forehead, brow,
    the bridge and tip of the nose, the lips, the chin and the jaw back to
    below the ear.  The eye is a lash line on the profile's edge, the ear
    sits behind the jaw at the height of the eye and nose."""
    face = [(114, 108), (101, 114), (95, 127), (93.5, 138), (95.5, 147), (93, 155),
            (88.5, 162), (85.6, 166.6), (88.4, 169.6), (92, 171.6), (91, 176.5), (92.6, 180.4),
            (91.4, 184.4), (94.6, 189.6), (93.4, 195.4), (98, 201), (110, 205), (124, 200),
            (132, 184), (135, 150), (130, 114)]
    # the side of her neck below the jaw
    p.part([(110, 198), (134, 194), (141, 221), (119, 223)], SKIN, SKIN_LN, shade=SKIN_SH,
           off=(-3, 0), lw=LW)
    p.part(face, SKIN, SKIN_LN, shade=SKIN_SH, off=(2, 4), lw=LW)
    with p.clip(face):
        g = cairo.RadialGradient(107, 174, 0, 107, 174, 10)
        g.add_color_stop_rgba(0, *rgb(BLUSH, 0.85))
        g.add_color_stop_rgba(1, *rgb(BLUSH, 0))
        p.cr.arc(107, 174, 10, 0, 2 * math.pi)
        p.cr.set_source(g)
        p.cr.fill()
        # the jaw's underside in shade, towards the neck
        p.shape([(96, 199), (112, 200), (126, 194), (136, 196), (136, 212), (96, 212)], SKIN_SH)
        # the eye from the side: a sliver of iris under a heavy upper lash,
        # glancing away along the profile
        p.ellipse(98.6, 151.2, 2.3, 3.9, IRIS_DK)
        p.ellipse(98.2, 152.4, 1.5, 2.4, IRIS)
        p.ellipse(97.7, 149.6, 0.8, 0.9, (255, 255, 255))
    p.taper([(94.6, 147.6), (99, 146.2), (104.6, 148.6)], 1.2, 0.5, EYE_LN, wmid=2.4)
    # the outer lashes flick forward from the profile's edge
    p.taper([(95.2, 147.4), (92.2, 145.6), (90.4, 143.4)], 1.6, 0.3, EYE_LN)
    p.taper([(96.2, 155.8), (99.4, 156.4), (102, 155.6)], 0.3, 0.3, EYE_LN, wmid=0.8)
    # the brow, worried, lifted at its inner end
    p.taper([(94.2, 138.4), (99, 136.2), (106, 137.6)], 1.8, 0.4, HAIR_LN)
    # nostril and the mouth, pressed into an awkward little line
    p.curve([(89.6, 167.8), (91.4, 168.8)], SKIN_LN, 0.8)
    p.taper([(92.4, 180.6), (95.6, 181.2), (98, 180.2)], 0.9, 0.3, MOUTH_DK)
    p.curve([(95, 187), (98, 187.4)], SKIN_SH, 1.0)
    # the fringe falls over her forehead from under the brim, one lock
    # reaching her brow, and a lock in front of her ear
    lock(p, [(118, 112), (108, 120), (100, 130), (96.5, 135)], 10, wmid=8)
    lock(p, [(124, 112), (117, 124), (111, 134)], 8)
    lock(p, [(127, 116), (122, 136), (120, 156), (122, 166)], 6, wmid=5)


def ear_front(p):
    """The near ear in front of the hair, when she half turns: behind the
    jaw, from the eye down to the nose."""
    pts = [(125, 146), (133, 148), (136, 160), (132, 172), (126, 171), (123, 158)]
    p.part(pts, SKIN, SKIN_LN, shade=SKIN_SH, off=(2, 2), lw=LW)
    p.taper([(128, 153), (131, 159), (128, 166)], 0.3, 0.3, SKIN_LN, wmid=1.0)


def draw_back(m):
    awkward = m.get("awkward", False)
    p = Pic(W, H)
    r = Rig(lean=1.5 if awkward else -1.5, tilt=-10 if awkward else 2, shrug=2)
    # she holds the staff in the back view; when she turns to scratch her
    # head she has set it down, so it is not there at all
    line = ((234, 46), (222, 412))
    if not awkward:
        staff(p, *line)
    dx = 14 if awkward else 0
    with Frame(p, r.head):
        neck_back(p, dx * 0.5)
    with Frame(p, r.body):
        robe_back(p)
    # her left arm hangs (left on the picture, seen from behind)
    draw_arm(p, r, arm(-1, (98, 282), (98, 316), "relaxed", ang=95, flip=True))
    if not awkward:
        draw_arm(p, r, arm(1, (206, 280), (220, 306), "grip"), line)
    with Frame(p, r.head):
        if awkward:
            three_quarter_cheek(p)
        back_hair(p, dx, awkward)
        if awkward:
            ear_front(p)
        # the hat from behind: the same hat, mirrored, without its star
        with Frame(p, lambda cr: (cr.translate(300, 0), cr.scale(-1, 1))):
            hat(p, brim_tilt=-4 if not awkward else -8, front=False)
    if awkward:
        # scratching the back of her head
        draw_arm(p, r, arm(1, (232, 246), (204, 186), "cheek", ang=235, cuff=26,
                           flip=False))
        with Frame(p, r.head):
            # her fingers dig in under a lock of hair
            clump(p, [(193, 124), (196, 140), (196, 156), (192, 174)], 12, LW_FINE + 0.1)
        sweat(p, 80, 126, 1.4)
    return p.final(SILHOUETTE)


def robe_back(p):
    robe = [(150, 222), (124, 228), (112, 240), (108, 262), (112, 290), (114, 302),
            (104, 340), (92, 380), (86, 412), (214, 412), (208, 380), (196, 340),
            (186, 302), (188, 290), (192, 262), (188, 240), (176, 228)]
    p.part(robe, ROBE, ROBE_LN, shade=ROBE_SH, light=ROBE_HI, off=(9, 3), lw=LW)
    for x0, x1 in ((128, 118), (150, 150), (172, 182)):
        p.taper([(x0, 316), ((x0 + x1) / 2, 360), (x1, 408)], 0.4, 2.4, ROBE_SH)
    p.part([(112, 293), (188, 293), (189, 306), (111, 306)], BELT, BELT_LN, shade=BELT_SH,
           off=(0, 4), smooth=False, lw=LW)
    for side in (-1, 1):
        p.part([(150, 299), (150 + side * 16, 289), (150 + side * 18, 309)],
               mix(BELT, CREAM, 0.2), BELT_LN, smooth=False, lw=LW)
        p.part(taper_outline([(150 + side * 3, 303), (150 + side * 8, 336)], 6, 4),
               mix(BELT, CREAM, 0.2), BELT_LN, smooth=False, lw=LW)
    p.ellipse(150, 299, 4, 4, BELT, BELT_LN, lw=LW)
    cape = [(150, 218), (126, 222), (108, 234), (97, 250), (92, 268), (102, 275),
            (114, 268), (126, 277), (138, 270), (150, 279), (162, 270), (174, 277),
            (186, 268), (198, 275), (208, 268), (203, 250), (192, 234), (174, 222)]
    p.part(cape, CAPE, ROBE_LN, shade=CAPE_SH, light=ROBE, off=(6, 5), lw=LW)
    with p.clip(cape):
        p.curve([(90, 268), (102, 273), (114, 266), (126, 275), (138, 268), (150, 277),
                 (162, 268), (174, 275), (186, 266), (198, 273), (210, 266)], GOLD, 2.4)
