"""The pictures that are not 메어드, on cairo: the hero seen from behind
(plain narration), the shabby sword, the title emblem and the program icon
(메어드's own hat, drawn by the same code as on her pictures)."""

import math
import random

import cairo

import figure
from figure import (GOLD, GOLD_LN, LW, LW_FINE, SILHOUETTE, SKIN, SKIN_LN, SKIN_SH,
                    staff, sparkle)
from vec import Pic, rgb, sample_spline, spline, taper_outline, darker, lighter

# the hero, seen against the scene's light: every colour is his daylight
# colour in the shadow of his own back (darker, a little cooler), and a rim
# of light runs along the top of his head and shoulders
BACKLIT = (30, 34, 62)


def _back(c, t=0.34):
    return tuple(int(round(a + (b - a) * t)) for a, b in zip(c, BACKLIT))


H_SKIN = _back(SKIN)
H_SKIN_SH = _back(SKIN_SH)
H_SKIN_LN = _back(SKIN_LN, 0.2)
H_HAIR = _back((62, 50, 58), 0.2)
H_HAIR_SH = _back((38, 30, 40), 0.2)
H_HAIR_HI = _back((110, 94, 106), 0.2)
H_HAIR_LN = (18, 12, 20)
COAT = _back((66, 104, 98))
COAT_SH = _back((42, 72, 70))
COAT_HI = _back((104, 146, 134))
COAT_LN = (18, 36, 36)
SCARF = _back((168, 74, 58))
SCARF_SH = _back((118, 46, 40))
SCARF_LN = (60, 20, 18)
STRAP = _back((110, 74, 50))
STRAP_LN = (36, 22, 14)
RIM = (255, 238, 206)

# iron of the sword
IRON = (168, 172, 178)
IRON_SH = (112, 116, 126)
IRON_HI = (226, 230, 236)
IRON_LN = (40, 42, 52)
RUST = (150, 88, 50)
RUST_DK = (104, 56, 34)
CLOTH = (176, 156, 118)
CLOTH_SH = (126, 106, 80)
CLOTH_LN = (64, 50, 36)
# the earth and grass of the clearing (배경2), where the sword is found
EARTH = (168, 142, 98)
EARTH_SH = (128, 104, 70)
EARTH_LN = (84, 66, 44)
GRASS = (126, 170, 76)
GRASS_SH = (90, 134, 58)
GRASS_LN = (52, 84, 36)

RESERVED_HERO = [H_SKIN, H_SKIN_SH, H_SKIN_LN, H_HAIR, H_HAIR_SH, H_HAIR_HI]


# ---------------------------------------------------------------- the hero

def hero_back(cx=140):
    """Head and shoulders of the hero from behind, at the foot of the frame,
    so the narration shows what he looks at."""
    p = Pic(300, 400)
    x = cx
    p.cr.push_group()
    coat = [(x - 86, 412), (x - 82, 378), (x - 68, 360), (x - 40, 348), (x, 344),
            (x + 40, 348), (x + 66, 358), (x + 82, 376), (x + 88, 412)]
    p.part(coat, COAT, COAT_LN, shade=COAT_SH, light=COAT_HI, off=(8, 5), lw=LW)
    with p.clip(coat):
        p.taper([(x + 2, 370), (x + 3, 390), (x + 2, 410)], 0.4, 1.6, COAT_SH)
        for side in (-1, 1):
            p.taper([(x + side * 52, 356), (x + side * 58, 380), (x + side * 60, 410)], 0.4, 1.6,
                    COAT_SH)
    # the sword's strap: leather bowed over the round of his back, a shade
    # along its lower edge, stitching, and a buckle ring
    sline = [(x - 64, 358), (x - 20, 374), (x + 28, 388), (x + 72, 400)]
    strap = taper_outline(sline, 8, 8, wmid=8.6, steps=8)
    p.part(strap, STRAP, STRAP_LN, shade=darker(STRAP, 0.25), off=(0, 2.4), smooth=False,
           lw=LW)
    with p.clip(strap, smooth=False):
        for side in (-1, 1):
            edge = [(q[0] + side * 0.9, q[1] - side * 2.6) for q in sample_spline(sline, 10)]
            for a_, b_ in zip(edge[1::3], edge[2::3]):
                p.curve([a_, b_], lighter(STRAP, 0.3), 0.5, smooth=False)
    bx, by = x + 24, 386
    p.ellipse(bx, by, 6.2, 5.6, None, GOLD_LN, lw=3.4, rot=18)
    p.ellipse(bx, by, 6.2, 5.6, None, GOLD, lw=1.8, rot=18)
    p.curve([(bx - 6, by - 1), (bx + 6, by + 2)], GOLD_LN, 1.4, smooth=False)
    p.part([(x - 12, 316), (x + 12, 316), (x + 13, 350), (x - 13, 350)], H_SKIN, H_SKIN_LN,
           shade=H_SKIN_SH, off=(4, 0), smooth=False, lw=LW)
    # ears show at the sides of the head
    for side in (-1, 1):
        p.part([(x + side * 30, 296), (x + side * 38, 300), (x + side * 37, 312),
                (x + side * 30, 316)], H_SKIN, H_SKIN_LN, shade=H_SKIN_SH, off=(side * 2, 2), lw=LW)
    # scarf: wound round the neck, two ends hanging down the back, each
    # turning once as it falls, the lower end frayed
    ends = (([(x - 22, 352), (x - 24, 372), (x - 18, 392), (x - 22, 414)], 15, 19, SCARF_SH),
            ([(x - 8, 352), (x - 6, 368), (x - 10, 384), (x - 6, 398)], 14, 12, SCARF))
    for line, w0, w1, c in ends:
        out = taper_outline(line, w0, w1, wmid=w0 * 0.62, steps=8)
        p.part(out, c, SCARF_LN, shade=darker(c, 0.25), off=(3, 2), smooth=False, lw=LW)
        with p.clip(out, smooth=False):
            mid = sample_spline(line, 8)[len(line) * 4]
            p.taper([(mid[0] - w0 * 0.5, mid[1] - 5), (mid[0], mid[1] + 1),
                     (mid[0] + w0 * 0.5, mid[1] + 5)], 0.3, 0.3, darker(c, 0.35), wmid=1.6)
            p.taper([(line[1][0] + 2, line[1][1] - 10), (line[1][0] + 3, line[1][1]),
                     (line[1][0] + 1, line[1][1] + 8)], 0.2, 0.2, lighter(c, 0.18), wmid=1.8)
        tip = line[-1]
        if tip[1] < 405:
            for k in range(-2, 3):
                p.curve([(tip[0] + k * 2.6, tip[1] - 1), (tip[0] + k * 2.8 + 0.6, tip[1] + 4)],
                        SCARF_LN, 0.9)
    for a, b in (((x - 18, 384), (x - 1, 386)), ((x - 30, 398), (x - 14, 396))):
        p.curve([a, (a[0] * 0.5 + b[0] * 0.5, a[1] + 1.2), b], (226, 196, 150), 1.3)
    scarf = [(x - 31, 350), (x - 22, 334), (x, 330), (x + 22, 334), (x + 31, 350),
             (x + 20, 362), (x, 364), (x - 20, 362)]
    p.part(scarf, SCARF, SCARF_LN, shade=SCARF_SH, off=(4, 4), lw=LW)
    # the cloth wound round: folds that curve with the neck
    for k, bend in ((-16, -3), (-2, 0), (14, 3)):
        p.taper([(x + k - 4, 336), (x + k + bend * 0.3, 349), (x + k + bend + 2, 361)], 0.3,
                0.3, SCARF_SH, wmid=1.5)
    p.taper([(x - 26, 344), (x, 340), (x + 26, 344)], 0.3, 0.3, lighter(SCARF, 0.15), wmid=1.2)
    # tousled hair seen from behind: a crown with a whorl, and clumps that
    # turn out from it, swelling and narrowing, curving as they fall, their
    # tips flicking out at the sides and the nape
    crown = [(x, 260), (x + 24, 266), (x + 34, 284), (x + 34, 306), (x + 24, 322),
             (x, 328), (x - 24, 322), (x - 34, 306), (x - 34, 284), (x - 24, 266)]
    p.part(crown, H_HAIR, H_HAIR_LN, shade=H_HAIR_SH, off=(5, 5), lw=LW)
    whorl = (x + 5, 280)

    def to_edge(ang):
        # from the whorl to the crown's outline (an ellipse 34 x 34 round
        # x, 294), then past it: more at the nape, where the hair hangs
        ux, uy = math.cos(math.radians(ang)), math.sin(math.radians(ang))
        lo, hi = 0.0, 120.0
        for _ in range(30):
            mid = (lo + hi) / 2
            px, py = whorl[0] + ux * mid, whorl[1] + uy * mid
            if ((px - x) / 35.0) ** 2 + ((py - 294) / 35.0) ** 2 < 1:
                lo = mid
            else:
                hi = mid
        return lo + 3 + 9 * max(0.0, uy)
    # (angle from the whorl in degrees, width): every way round, the ones
    # pointing up first, so the long ones falling to the nape lie on top
    fan = [(-90, 15), (-60, 15), (-120, 14), (-30, 16), (-150, 15), (0, 16), (180, 16),
           (25, 17), (155, 16), (48, 16), (132, 17), (66, 15), (114, 16), (82, 14), (98, 15)]
    clumps = []
    for k, (ang, w) in enumerate(fan):
        ang += ((k * 7) % 5 - 2) * 3
        # they sweep round the skull as they go: clockwise on the right,
        # against it on the left
        bend = 9 * math.cos(math.radians(ang)) * (1 if math.sin(math.radians(ang)) >= 0 else -1)
        clumps.append((ang, to_edge(ang), w, bend))
    for ang, ln, w, bend in clumps:
        a = math.radians(ang)
        ux, uy = math.cos(a), math.sin(a)
        nx, ny = -uy, ux
        root = (whorl[0] + ux * 3, whorl[1] + uy * 3)
        pts = [root]
        for t in (0.35, 0.7, 1.0):
            # bend sideways, most at the tip, and flick out at the end
            off = bend * t * t
            pts.append((whorl[0] + ux * ln * t + nx * off, whorl[1] + uy * ln * t + ny * off))
        out = taper_outline(pts, w * 0.55, 0.5, wmid=w, steps=8)
        p.part(out, H_HAIR, H_HAIR_LN, shade=H_HAIR_SH, off=(2.5, 2.5), smooth=False, lw=LW)
        with p.clip(out, smooth=False):
            # a strand line down the clump and a little shine near its root
            q = sample_spline(pts, 8)
            p.taper([(q[2][0] + nx * 1.5, q[2][1] + ny * 1.5), (q[10][0], q[10][1]),
                     (q[18][0] - nx, q[18][1] - ny)], 0.2, 0.2, darker(H_HAIR_SH, 0.2), wmid=0.9)
            p.taper([q[3], q[6], q[9]], 0.4, 0.3, H_HAIR_HI, wmid=2.2)
    him = p.cr.pop_group()
    p.cr.set_source(him)
    p.cr.paint()
    rim_light(p, him)
    return p.final(SILHOUETTE)


def rim_light(p, group, width=1.5):
    """A rim of light along the top edges of what group covers: where it is
    opaque but would not be if moved down (and a little to each side)."""
    cr = p.cr
    cr.push_group()
    cr.set_source_rgba(*rgb(RIM))
    cr.mask(group)
    cr.set_operator(cairo.OPERATOR_DEST_OUT)
    cr.set_source_rgba(0, 0, 0, 1)
    cr.save()
    cr.translate(0, width)
    cr.mask(group)
    cr.restore()
    rim = cr.pop_group()
    cr.set_operator(cairo.OPERATOR_OVER)
    cr.set_source(rim)
    cr.paint_with_alpha(0.9)


# ---------------------------------------------------------------- the sword

def sword(p, top=(150, 36), length=300, ang=90.0, blade_w=22, shabby=True):
    """The hero's sword, point down; 'top' is the pommel."""
    a = math.radians(ang)
    ux, uy = math.cos(a), math.sin(a)
    nx, ny = -uy, ux
    k = length / 300.0

    def T(u, v):
        return (top[0] + ux * u * k + nx * v * k, top[1] + uy * u * k + ny * v * k)

    bw = blade_w / 2
    left = [(74, -bw), (110, -bw), (118, -bw + 3), (124, -bw), (190, -bw + 1),
            (196, -bw + 4), (202, -bw + 1), (262, -bw + 3), (300, -1)]
    right = [(300, 1), (250, bw - 2), (232, bw), (226, bw - 4), (220, bw),
             (150, bw), (142, bw - 3), (136, bw), (74, bw)]
    if not shabby:
        left = [(74, -bw), (262, -bw + 3), (300, -1)]
        right = [(300, 1), (262, bw - 3), (74, bw)]
    blade = [T(u, v) for u, v in left + right]
    p.part(blade, IRON, IRON_LN, shade=IRON_SH, light=IRON_HI, off=(4 * nx, 4 * ny),
           light_off=(-2.5 * nx, -2.5 * ny), smooth=False, lw=LW)
    # the bevels: a lit strip along one edge, a dark one along the other,
    # and the fuller down the middle
    with p.clip(blade, smooth=False):
        p.curve([T(78, -bw + 2.2), T(270, -bw + 4.4)], IRON_HI, 1.6 * k, smooth=False)
        p.curve([T(78, bw - 2.4), T(262, bw - 4.2)], IRON_SH, 2.0 * k, smooth=False)
    p.curve([T(84, 0), T(236, 0)], IRON_SH, 2.4 * k, smooth=False)
    p.curve([T(84, -2.4), T(236, -2.4)], IRON_HI, 1.0 * k, smooth=False)
    if shabby:
        with p.clip(blade, smooth=False):
            # rust grown in pits: each patch a cloud of specks of three rust
            # tones, thick at its heart and thinning out, eating in from
            # the nearer edge; below it thin streaks where the rain ran
            # towards the point, fading as they go
            rng = random.Random(9)
            for (u, v, r, run) in ((92, 6, 6.5, 26), (104, -6, 4.0, 14), (150, 4, 5.5, 30),
                                   (200, -5, 4.2, 18), (240, 6, 3.0, 12), (122, 8, 3.2, 10)):
                edge_v = bw if v > 0 else -bw
                for _ in range(int(r * r * 5)):
                    d = rng.random() ** 1.6
                    a2 = rng.uniform(0, 2 * math.pi)
                    su = u + math.cos(a2) * d * r * 2.0
                    sv = v + math.sin(a2) * d * r * 1.3 + (edge_v - v) * 0.25 * (1 - d)
                    c = (RUST, RUST_DK, (178, 112, 62))[rng.randrange(3)]
                    sz = rng.uniform(0.4, 1.3) * k * (1.2 - d * 0.6)
                    p.ellipse(*T(su, sv), sz, sz * rng.uniform(0.5, 1.0), c,
                              rot=rng.uniform(0, 180), alpha=0.9 - d * 0.5)
                for j in range(2 + int(r / 3)):
                    sv = v + rng.uniform(-0.6, 0.6) * r * 0.7
                    ln = run * rng.uniform(0.5, 1.0)
                    p.taper([T(u + r * 0.6, sv), T(u + r + ln * 0.5, sv + rng.uniform(-0.6, 0.6)),
                             T(u + r + ln, sv + rng.uniform(-1, 1))], 1.0 * k, 0.1,
                            RUST, alpha=0.5)
        p.taper([T(178, -3), T(186, -6), T(192, -4), T(198, -8)], 0.9, 0.3, IRON_LN)
    guard = [T(u, v) for u, v in ((62, -34), (66, -36), (74, -33), (75, 0), (74, 33),
                                  (68, 38), (62, 36), (64, 0))]
    p.part(guard, (120, 110, 104), IRON_LN, shade=(80, 72, 70), light=(170, 160, 150),
           off=(2, 2), light_off=(1, 1), lw=LW)
    grip = [T(u, v) for u, v in ((14, -7), (62, -8), (62, 8), (14, 7))]
    p.part(grip, CLOTH, CLOTH_LN, shade=CLOTH_SH, off=(3 * nx, 3 * ny), smooth=False, lw=LW)
    with p.clip(grip, smooth=False):
        for u in range(18, 62, 7):
            p.curve([T(u, -8), T(u + 5, 8)], CLOTH_SH, 1.1 * k, smooth=False)
    if shabby:
        strip = [T(40, 7), T(48, 9), T(70, 15), T(98, 19), T(95, 24), T(68, 21), T(46, 15)]
        p.part(strip, CLOTH, CLOTH_LN, shade=CLOTH_SH, off=(1.5, 1.5), lw=LW_FINE)
    pm = [T(u, v) for u, v in ((0, -9), (8, -11), (16, -8), (16, 8), (8, 11), (0, 9))]
    p.part(pm, (120, 110, 104), IRON_LN, shade=(80, 72, 70), light=(176, 166, 156),
           off=(2, 2), light_off=(1, 1), lw=LW)


def sword_picture():
    """내검: the shabby sword stuck in a mound of earth, as the hero first
    sees it."""
    p = Pic(300, 400)
    p.part([(66, 412), (84, 372), (118, 356), (150, 352), (186, 358), (218, 374), (236, 412)],
           EARTH, EARTH_LN, shade=EARTH_SH, light=lighter(EARTH, 0.25), off=(5, 6),
           light_off=(2, 2), lw=LW_FINE + 0.2)
    sword(p, top=(150, 24), length=362, blade_w=24)
    p.part([(112, 412), (120, 372), (136, 366), (150, 372), (166, 366), (182, 372),
            (190, 412)], lighter(EARTH, 0.06), EARTH_LN, shade=EARTH_SH, off=(3, 4), lw=LW)
    for (gx, gy, s) in ((84, 392, 1.0), (206, 390, 1.1), (124, 398, 0.8), (176, 400, 0.9)):
        for (bx, tx, ty, w) in ((-8, -12, -10, 5), (-3, 1, -18, 6), (3, 11, -11, 5)):
            blade = taper_outline([(gx + bx * s, gy + 8), (gx + (bx + tx) / 2 * s,
                                                           gy + ty * s * 0.4),
                                   (gx + tx * s, gy + ty * s)], w * s, 0.5)
            p.part(blade, GRASS, GRASS_LN, shade=GRASS_SH, off=(1.5, 0), smooth=False,
                   lw=LW_FINE)
    return p.final(SILHOUETTE)


# ---------------------------------------------------------------- title

def title_picture():
    p = Pic(300, 400)
    cr = p.cr
    cx, cy = 150, 168
    p.ring(cx, cy, 112, GOLD_LN, 10)
    p.ring(cx, cy, 112, GOLD, 6.5)
    p.ring(cx, cy, 114, lighter(GOLD, 0.4), 1.2)
    for k in range(16):
        a = math.radians(k * 22.5)
        px, py = cx + math.cos(a) * 112, cy + math.sin(a) * 112
        if k % 4 == 0:
            pts = [(px + math.cos(a) * 12, py + math.sin(a) * 12),
                   (px + math.cos(a + 1.57) * 6, py + math.sin(a + 1.57) * 6),
                   (px - math.cos(a) * 8, py - math.sin(a) * 8),
                   (px - math.cos(a + 1.57) * 6, py - math.sin(a + 1.57) * 6)]
            p.part(pts, (255, 230, 130), GOLD_LN, shade=GOLD, off=(2, 2), smooth=False, lw=LW)
        else:
            p.ellipse(px, py, 2.6, 2.6, (255, 236, 150), GOLD_LN, lw=1.2)
    # inner disc: a dusk sky seen through the emblem, hills below
    cr.save()
    cr.arc(cx, cy, 106, 0, 2 * math.pi)
    cr.clip()
    g = cairo.LinearGradient(0, cy - 106, 0, cy + 106)
    for t, c in ((0.0, (40, 36, 96)), (0.30, (86, 70, 150)), (0.45, (214, 140, 150)),
                 (0.55, (255, 206, 150)), (1.0, (255, 206, 150))):
        g.add_color_stop_rgba(t, *rgb(c))
    cr.set_source(g)
    cr.paint()
    for (sx, sy, r) in ((96, 104, 1.6), (124, 84, 1.2), (192, 96, 1.8), (210, 124, 1.1),
                        (168, 76, 1.3), (80, 140, 1.0)):
        p.ellipse(sx, sy, r, r, (255, 250, 220))
    p.shape([(30, 230), (80, 196), (130, 210), (180, 188), (240, 204), (280, 230), (280, 300),
             (30, 300)], (74, 92, 110))
    p.shape([(30, 250), (100, 220), (160, 236), (220, 214), (280, 244), (280, 300),
             (30, 300)], (44, 62, 80))
    cr.restore()
    p.ring(cx, cy, 106, GOLD_LN, 1.8)
    # crossed staff and sword
    staff(p, (70, 72), (224, 296))
    sword(p, top=(232, 60), length=250, ang=130, blade_w=22, shabby=False)
    # banner
    for side in (-1, 1):
        x0 = 150 + side * 134
        p.part([(x0, 196), (x0 - side * 30, 196), (x0 - side * 30, 238), (x0, 238),
                (x0 - side * 10, 217)], (70, 40, 96), (24, 14, 36), smooth=False, lw=1.6)
    p.part([(40, 182), (260, 182), (260, 230), (40, 230)], (104, 58, 136), (30, 16, 44),
           shade=(76, 40, 104), light=(140, 96, 170), off=(0, 6), light_off=(0, 2),
           smooth=False, lw=1.8)
    p.curve([(44, 187), (256, 187)], GOLD, 1.2, smooth=False)
    p.curve([(44, 225), (256, 225)], GOLD, 1.2, smooth=False)
    # title lettering: a dark outline and a warm gradient face
    cr.select_font_face("NanumGothic", cairo.FONT_SLANT_NORMAL, cairo.FONT_WEIGHT_BOLD)
    cr.set_font_size(50)
    ext = cr.text_extents("바르멘")
    tx = 150 - ext.width / 2 - ext.x_bearing
    ty = 206 - ext.height / 2 - ext.y_bearing
    cr.move_to(tx, ty)
    cr.text_path("바르멘")
    cr.set_source_rgba(*rgb((34, 16, 40)))
    cr.set_line_width(6.4)
    cr.stroke_preserve()
    g = cairo.LinearGradient(0, ty + ext.y_bearing, 0, ty + ext.y_bearing + ext.height)
    for t, c in ((0.0, (255, 255, 255)), (0.46, (255, 250, 226)), (0.52, (255, 226, 140)),
                 (1.0, (240, 180, 80))):
        g.add_color_stop_rgba(t, *rgb(c))
    cr.set_source(g)
    cr.fill()
    for (sx, sy, r) in ((52, 76, 9), (252, 290, 8), (268, 70, 6), (40, 292, 6)):
        sparkle(p, sx, sy, r)
    return p.final(SILHOUETTE)


# ---------------------------------------------------------------- icon

def icon(size):
    """메어드's hat, drawn at each size from the same vector hat as on her
    pictures (star and all), with lines thickened and the star grown for
    small sizes so both still read at 16 pixels.

    The hat is dark indigo, so on a dark panel its own dark line would
    vanish: a cream rim runs round the whole hat outside that line, with a
    fine dark edge of its own from 48 px up.  On light ground the dark line
    carries the shape, on dark ground the rim does."""
    ss = 8 if size <= 64 else 4
    p = Pic(size, size, ss=ss)
    cr = p.cr
    # below 48 px the picture's lines would vanish: widen them
    thick = max(1.0, 48.0 / size) if size < 48 else 1.0
    lw = LW * thick * 1.6
    rim = max(1.0, size / 40.0)             # final pixels outside the hat's line
    edge = size / 160.0 if size >= 48 else 0.0
    # the hat spans x 52..248 and y 8..122 in her picture; fit it, its
    # line, the rim and a pixel of margin into the square
    k = (size - 2.0 - 2 * (rim + edge)) / (196.0 + lw)
    cr.translate(size / 2.0, size / 2.0)
    cr.scale(k, k)
    cr.translate(-150, -65)
    cone, brim = figure.hat_outline()

    def outline(width, colour):
        for pts in (cone, brim):
            spline(cr, pts)
            cr.set_source_rgba(*rgb(colour))
            cr.set_line_width(width)
            cr.stroke()
    if edge:
        outline(lw + 2 * (rim + edge) / k, figure.ROBE_LN)
    outline(lw + 2 * rim / k, figure.CREAM)
    figure.hat(p, lw=lw, star=9.5 + 14 * (1 - min(size, 128) / 128.0))
    return p.final()
