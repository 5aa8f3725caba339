"""The golem, drawn on cairo into the backgrounds: asleep as a heap of
stones in the clearing (배경2), risen over the angry sky of 화난골렘, and
fallen to rubble in the evening meadow (엔딩배경).

When it rises it must read as one creature: a body of one great stone with
the head sunk between its shoulders, arms of three stones each that overlap
at dark joints, legs planted in the ground, one shadow under all of it.
Light is the red sky behind it, so every stone gets a warm rim on its upper
edge and its mass darkens towards the ground.
"""

import math
import random

import cairo

import figure
from vec import darker, glow, lighter, mix, poly, rgb, spline

LN = (34, 20, 26)
ST = (126, 112, 110)
ST_SH = (78, 64, 70)
ST_DK = (58, 44, 52)
RIM = (255, 160, 100)
MOSS = (98, 120, 64)
MOSS_SH = (64, 84, 44)
EMBER = (255, 132, 44)
EMBER_HI = (255, 238, 170)
DUST = (222, 190, 170)
DUST_SH = (170, 128, 118)


def stone_pts(rng, cx, cy, rx, ry, rot=0.0, n=6, rough=0.12):
    """The corners of a rough stone: n of them, at uneven angles and
    distances, so no two stones are the same polygon."""
    pts = []
    for k in range(n):
        a = 2 * math.pi * (k + rng.uniform(-0.22, 0.22)) / n + rot
        r = 1 + rng.uniform(-rough, rough)
        pts.append((cx + math.cos(a) * rx * r, cy + math.sin(a) * ry * r))
    return pts


def stone(p, rng, cx, cy, rx, ry, rot=0.0, moss=False, base=ST, lw=2.2, rim=RIM,
          shade=ST_SH, light_ang=-100.0):
    """A weathered rock: an outline of many uneven corners, worn round, so
    no stone is a clean polygon; light falls softly across it from
    light_ang (degrees on screen), with one broad lit plane on top, a
    grain of darker and lighter specks, a darkening towards the ground and
    a warm rim on the edge towards the light.  Moss grows over its top in
    a ragged mat with tongues running down; a crack wanders in from an
    edge.  Returns its outline."""
    n = 8 if rx < 16 else (9 if rx < 40 else 11)
    pts = stone_pts(rng, cx, cy, rx, ry, rot, n, rough=0.13)
    cr = p.cr

    def outline(c_):
        spline(c_, pts, tension=0.55)
    cr.save()
    outline(cr)
    cr.clip()
    la = math.radians(light_ang)
    lx, ly = math.cos(la), math.sin(la)
    top = lighter(base, 0.22)
    # soft light: from the lit side of the stone down into its shade
    g = cairo.LinearGradient(cx + lx * rx, cy + ly * ry, cx - lx * rx, cy - ly * ry)
    g.add_color_stop_rgba(0, *rgb(top))
    g.add_color_stop_rgba(0.4, *rgb(mix(base, shade, 0.15)))
    g.add_color_stop_rgba(1, *rgb(mix(base, shade, 0.95)))
    cr.set_source(g)
    cr.paint()
    # the broad plane on top that catches the light, its lower edge soft
    plane = []
    for k, (x, y) in enumerate(pts):
        d = (x - cx) * lx / rx + (y - cy) * ly / ry
        if d > -0.15:
            plane.append((x, y))
    if len(plane) >= 3:
        inner = [(cx + lx * rx * 0.1, cy + ly * ry * 0.1)]
        p.fill(lambda c_: spline(c_, plane + inner, tension=0.5), mix(base, top, 0.6), 0.55)
        p.curve([plane[0], inner[0], plane[-1]], mix(base, shade, 0.5), 0.5 + lw * 0.12,
                alpha=0.45)
    # grain: specks of lighter and darker stone
    for _ in range(int(rx * ry / 40) + 4):
        x = cx + rng.uniform(-1, 1) * rx
        y = cy + rng.uniform(-1, 1) * ry
        sz = rng.uniform(0.5, 1.4) * max(1.0, rx / 40)
        c = lighter(base, 0.14) if rng.uniform(0, 1) < 0.5 else darker(base, 0.18)
        p.ellipse(x, y, sz, sz * 0.45, c, rot=rng.uniform(0, 180), alpha=0.3)
    # its mass darkens towards the ground
    g = cairo.LinearGradient(cx, cy - ry, cx, cy + ry)
    g.add_color_stop_rgba(0, *rgb(shade, 0.0))
    g.add_color_stop_rgba(0.5, *rgb(shade, 0.0))
    g.add_color_stop_rgba(1, *rgb(shade, 0.55))
    cr.set_source(g)
    cr.paint()
    # warm rim light along the top edge
    cr.save()
    cr.translate(0, ry * 0.1)
    outline(cr)
    cr.restore()
    cr.rectangle(-100, -100, 800, 600)
    cr.set_fill_rule(cairo.FILL_RULE_EVEN_ODD)
    cr.set_source_rgba(*rgb(rim, 0.85))
    cr.fill()
    cr.set_fill_rule(cairo.FILL_RULE_WINDING)
    if moss:
        # a ragged mat: small round tufts along the top edge, tongues of
        # moss running down the stone from it
        tufts = []
        for k in range(int(rx / 2) + 8):
            u = rng.uniform(-0.8, 0.8) * rng.uniform(0.6, 1.0)
            edge_y = cy - ry * math.sqrt(max(0.0, 1 - min(1.0, abs(u)) ** 2)) * 0.95
            r = rng.uniform(0.06, 0.12) * rx
            tufts.append((cx + u * rx * 0.9, edge_y + r * rng.uniform(0.2, 1.4), r))
        for _ in range(1 + int(rx / 45)):
            u = rng.uniform(-0.7, 0.7)
            y0 = cy - ry * 0.75
            ln = rng.uniform(0.15, 0.35) * ry
            for t in range(5):
                tufts.append((cx + u * rx + rng.uniform(-1, 1), y0 + ln * t / 4,
                              rx * 0.05 * (1 - t / 6.0)))
        circ = lambda c_: [(c_.new_sub_path(), c_.arc(x, y, r, 0, 2 * math.pi))  # noqa: E731
                           for x, y, r in tufts]
        p.fill(circ, mix(MOSS_SH, shade, 0.3))
        p.fill(lambda c_: [(c_.new_sub_path(), c_.arc(x - r * 0.2, y - r * 0.3, r * 0.85, 0,
                                                      2 * math.pi)) for x, y, r in tufts],
               mix(MOSS, base, 0.25))
        for x, y, r in tufts[::2]:
            p.ellipse(x - r * 0.35, y - r * 0.45, r * 0.35, r * 0.25, lighter(MOSS, 0.25),
                      alpha=0.8)
    # a crack wandering in from an edge, with a short branch
    if rx > 14:
        i = int(rng.uniform(0, n))
        a, b = pts[i], pts[(i + 1) % n]
        t = rng.uniform(0.3, 0.7)
        x, y = a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t
        d = math.atan2(cy - y, cx - x)
        step = math.hypot(rx, ry) * rng.uniform(0.09, 0.13)
        crack = [(x, y)]
        for _ in range(4):
            d += rng.uniform(-0.6, 0.6)
            x, y = x + math.cos(d) * step, y + math.sin(d) * step
            crack.append((x, y))
        p.taper(crack, max(1.0, lw * 0.75), 0.2, ST_DK)
        j = 2
        e = d + rng.uniform(0.6, 1.0) * (1 if rng.uniform(0, 1) < 0.5 else -1)
        bx, by = crack[j]
        p.taper([(bx, by), (bx + math.cos(e) * step * 0.8, by + math.sin(e) * step * 0.8),
                 (bx + math.cos(e + 0.3) * step * 1.5, by + math.sin(e + 0.3) * step * 1.5)],
                max(0.6, lw * 0.4), 0.15, ST_DK)
        # its lit lip, on the side towards the light
        p.taper([(q[0] - lx * 0.9, q[1] - ly * 0.9) for q in crack[:3]], 0.6, 0.2,
                lighter(base, 0.3), alpha=0.7)
    cr.restore()
    # the outline: as heavy as the other lines of the picture, no more,
    # in a dark of the stone's own shade
    p.stroke(outline, mix(LN, shade, 0.35), lw * 0.62 if lw > 1.5 else lw, ink=True)
    return pts


def joint(p, a, b, w):
    """The joint of a limb: a chain of small stones between its big ones."""
    rng = _Rng(int(a[0] * 7 + a[1] * 13 + b[0] * 17 + b[1]))
    n = 3
    for k in range(n):
        t = (k + 0.5) / n
        x, y = a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t
        r = w * rng.uniform(0.48, 0.6)
        stone(p, rng, x, y, r, r * 0.85, rng.uniform(0, 3), base=ST_SH, shade=ST_DK,
              lw=max(1.1, w * 0.06))


def dust(p, x, y, r, light=DUST, shade=DUST_SH, line=LN):
    """A dust cloud with volume: puffs with a shaded underside and a line.
    No two clouds have the same puffs: their number, sizes and places come
    from where the cloud is."""
    rng = _Rng(int(x * 11 + y * 5 + r * 3))
    n = 3 + int(rng.uniform(0, 4))
    puffs = []
    for k in range(n):
        a = 2 * math.pi * k / n + rng.uniform(-0.4, 0.4)
        d = rng.uniform(0.2, 0.6) * r
        puffs.append((x + math.cos(a) * d * 1.2, y + math.sin(a) * d * 0.6 - r * 0.05,
                      r * rng.uniform(0.38, 0.72)))
    puffs.sort(key=lambda c: -c[2])
    cr = p.cr
    for px, py, pr in puffs:
        cr.new_sub_path()
        cr.arc(px, py, pr + 1.6, 0, 2 * math.pi)
    cr.set_source_rgba(*rgb(line))
    cr.fill()
    for px, py, pr in puffs:
        cr.new_sub_path()
        cr.arc(px, py, pr, 0, 2 * math.pi)
    cr.set_source_rgba(*rgb(shade))
    cr.fill()
    cr.save()
    for px, py, pr in puffs:
        cr.new_sub_path()
        cr.arc(px, py, pr, 0, 2 * math.pi)
    cr.clip()
    for px, py, pr in puffs:
        cr.new_sub_path()
        cr.arc(px - pr * 0.18, py - pr * 0.22, pr * 0.86, 0, 2 * math.pi)
    cr.set_source_rgba(*rgb(light))
    cr.fill()
    cr.restore()
    for px, py, pr in puffs[:2]:
        p.ellipse(px - pr * 0.35, py - pr * 0.4, pr * 0.25, pr * 0.16, lighter(light, 0.5))


class _Rng:
    def __init__(self, seed):
        self._r = random.Random(seed)

    def uniform(self, a, b):
        return a + (b - a) * self._r.random()


# daylight: the same stones, lit from above by the sky
DAY = dict(rim=(236, 240, 236), shade=(112, 110, 104), lw=1.15)
DAY_ST = (168, 164, 152)
DAY_LN = (60, 58, 52)


def resting(p, cx, base_y, k):
    """The golem asleep in the clearing (배경2), drawn onto the picture p:
    the same body of stones as when it rises, sunk into a heap; one arm laid
    down, the head on its shoulder with two closed slits."""
    r = _Rng(22)

    def S(x, y):
        return (cx + x * k, base_y + y * k)

    def R(x, y, rx, ry, rot=0.0, moss=True, base=DAY_ST):
        q = S(x, y)
        return stone(p, r, q[0], q[1], rx * k, ry * k, rot, moss=moss, base=base, **DAY)
    sx, sy = S(10, 4)
    glow(p, sx, sy, 136 * k, 18 * k, (40, 52, 30), 0.5, core=0.55)
    joint(p, S(-40, -60), S(-92, -30), 24 * k)
    R(-50, -40, 50, 38)                     # the laid-down arm
    R(-98, -28, 32, 26, 0.1)                # its fist
    R(52, -48, 60, 48, 0.2)                 # haunch
    R(0, -92, 84, 62, 0.3)                  # the back, the body of the risen golem
    R(40, -128, 28, 22, -0.3)               # shoulder
    hx, hy = S(-54, -150)
    R(-54, -150, 40, 34, 0.8, base=(176, 172, 160))  # the head
    for dx in (-13, 9):
        p.taper([(hx + (dx - 6) * k, hy + 3 * k), (hx + dx * k, hy + 4.5 * k),
                 (hx + (dx + 6) * k, hy + 3.5 * k)], 1.0, 1.0, DAY_LN, wmid=2.6 * k)
    p.taper([(hx - 24 * k, hy - 6 * k), (hx, hy - 10 * k), (hx + 20 * k, hy - 6 * k)], 0.5, 0.5,
            DAY_LN, wmid=2.0 * k)
    R(-92, -14, 26, 16, 0.0, moss=False, base=(176, 160, 140))   # stray stones
    R(96, -14, 28, 18, 0.4, moss=False)
    R(14, -12, 40, 20, 0.1, moss=False)


def rubble(p):
    """What is left of the golem after the fight (엔딩배경), drawn onto the
    picture p: its stones fallen apart, warm in the evening light."""
    r = _Rng(66)
    warm = dict(rim=(255, 226, 190), shade=(120, 104, 96), lw=1.6)
    for (x, y, rx, ry) in ((40, 338, 34, 24), (96, 326, 40, 30), (150, 344, 30, 20),
                           (70, 360, 28, 18), (124, 362, 24, 14), (20, 366, 20, 14)):
        stone(p, r, x, y, rx, ry, 0.2, moss=rx > 28, base=(178, 160, 140), **warm)


def golem(p, seed=44):
    """The golem risen, drawn onto the picture p (the duel, 화난골렘)."""
    r = _Rng(seed)
    cr = p.cr
    # one shadow under the whole creature
    cr.save()
    cr.translate(334, 352)
    cr.scale(230, 30)
    cr.arc(0, 0, 1, 0, 2 * math.pi)
    cr.restore()
    cr.set_source_rgba(0.12, 0.05, 0.08, 0.55)
    cr.fill()
    # legs, planted
    for lx, rot in ((276, 0.2), (392, -0.2)):
        joint(p, (lx, 270), (lx + (lx - 334) * 0.1, 320), 34)
        stone(p, r, lx + (lx - 334) * 0.12, 318, 42, 42, rot)
    # the left arm hangs, its fist on the ground
    joint(p, (236, 176), (196, 250), 24)
    joint(p, (196, 250), (176, 308), 22)
    stone(p, r, 204, 240, 34, 44, 0.5)
    stone(p, r, 176, 316, 46, 36, 0.1, moss=True)
    for k in range(3):
        x0 = 152 + k * 15
        p.curve([(x0, 326), (x0 + 3, 334), (x0 + 9, 336)], LN, 2.0)
    # the body: one great stone, the shoulders part of it
    stone(p, r, 334, 214, 118, 92, 0.1, moss=True, lw=2.6)
    # the shoulder stones overlap the body
    stone(p, r, 238, 168, 44, 36, 0.4, moss=True)
    stone(p, r, 430, 160, 46, 38, -0.3, moss=True)
    # the raised right arm and its fist
    joint(p, (440, 150), (486, 98), 26)
    joint(p, (486, 98), (516, 56), 24)
    stone(p, r, 484, 104, 32, 40, 0.9)
    stone(p, r, 522, 50, 50, 42, 0.3, moss=True)
    for k in range(3):
        x0 = 500 + k * 16
        p.curve([(x0, 62), (x0 + 3, 70), (x0 + 9, 72)], LN, 2.0)
    # the head, sunk between the shoulders
    stone(p, r, 334, 110, 54, 42, 0.6, moss=True, base=lighter(ST, 0.04))
    # glowing cracks through body and head, with a soft ember glow
    cracks = [[(290, 168), (304, 200), (294, 232), (316, 262), (308, 298)],
              [(372, 162), (360, 196), (384, 226), (370, 262)],
              [(318, 84), (326, 98), (320, 112)], [(252, 234), (278, 244)]]
    for c in cracks:
        p.curve(c, EMBER, 7, alpha=0.35)
        p.curve(c, EMBER, 3.2)
        p.curve(c, EMBER_HI, 1.3)
    # burning eyes under a heavy brow, and a jagged mouth
    glow = cairo.RadialGradient(334, 112, 4, 334, 112, 48)
    glow.add_color_stop_rgba(0, 1.0, 0.4, 0.12, 0.7)
    glow.add_color_stop_rgba(1, 1.0, 0.3, 0.1, 0.0)
    cr.save()
    cr.translate(334, 112)
    cr.scale(1.0, 0.4)
    cr.arc(0, 0, 48, 0, 2 * math.pi)
    cr.restore()
    cr.set_source(glow)
    cr.fill()
    # deep sockets under a brow of stone, the eyes burning slits in them
    for side in (-1, 1):
        ex = 334 + side * 19
        p.shape([(ex - side * 15, 102), (ex + side * 14, 106), (ex + side * 11, 120),
                 (ex - side * 12, 118)], (44, 22, 26), smooth=False)
        p.shape([(ex - side * 12, 110), (ex + side * 12, 109), (ex + side * 9, 116),
                 (ex - side * 9, 116)], (255, 96, 34), LN, lw=1.0, smooth=False)
        p.shape([(ex - side * 8, 112), (ex + side * 8, 111.5), (ex + side * 5, 114),
                 (ex - side * 6, 114.2)], EMBER_HI, smooth=False)
    # the brow: a ledge of the head's own stone, lit on top, its shadow
    # falling into the sockets; it dips in the middle, frowning
    brow = [(282, 100), (296, 88), (320, 92), (334, 100), (348, 92), (372, 87), (386, 99),
            (374, 106), (350, 104), (334, 110), (318, 104), (294, 107)]
    p.shape(brow, ST_SH, LN, lw=1.6, smooth=False)
    p.shape([(286, 99), (297, 90), (320, 94), (334, 102), (348, 94), (371, 89), (382, 98),
             (360, 97), (334, 104), (308, 98)], ST, smooth=False)
    p.curve([(297, 90), (320, 94), (334, 101), (348, 94), (371, 89)], RIM, 1.4, smooth=False)
    # the mouth: a crack across the stone, glowing from inside
    mouth = [(308, 136), (316, 132), (324, 134.5), (331, 131), (339, 134), (346, 131.5),
             (354, 134), (360, 133), (355, 139), (345, 141.5), (336, 140), (326, 142),
             (315, 140)]
    p.shape(mouth, (52, 20, 22), LN, lw=1.0, smooth=False)
    p.shape([(318, 135), (326, 134), (334, 133.5), (344, 134), (350, 135), (344, 138),
             (334, 137), (322, 138)], (255, 110, 40), alpha=0.9)
    p.curve([(322, 136), (334, 135.4), (346, 136)], EMBER_HI, 1.0)
    figure.anger_mark(p, 404, 58, 11)
    # steam of rage, and the dust it raises
    for (x, y, rr) in ((268, 60, 15), (250, 42, 11), (404, 118, 11)):
        dust(p, x, y, rr * 1.6)
    for (x, y, rr) in ((190, 360, 40), (478, 358, 44), (100, 372, 30), (566, 366, 30)):
        dust(p, x, y, rr)
    # flying chips
    for (x, y, s) in ((140, 220, 6), (120, 170, 4), (552, 170, 5), (570, 230, 6),
                      (250, 320, 4), (440, 300, 5)):
        stone(p, r, x, y, s, s * 0.8, 0.0, lw=1.2)
