"""The pictures that are not 메어드: the hero seen from behind (plain
narration), the shabby sword, the title emblem and the program icon."""

import math

from PIL import Image

from common import (Canvas, catmull, bezier, ellipse_pts, darker, intersect,
                    soft_ellipse, vgradient)
import meard
from meard import Figure, GOLD, GOLD_LN

# the hero
H_HAIR = (62, 50, 58)
H_HAIR_SH = (38, 30, 40)
H_HAIR_HI = (104, 88, 100)
H_HAIR_LN = (18, 12, 20)
COAT = (66, 104, 98)
COAT_SH = (42, 72, 70)
COAT_HI = (104, 146, 134)
COAT_LN = (18, 36, 36)
SCARF = (168, 74, 58)
SCARF_SH = (118, 46, 40)
SCARF_LN = (60, 20, 18)
SKIN = meard.SKIN
SKIN_SH = meard.SKIN_SH
SKIN_LN = meard.SKIN_LN

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


# ---------------------------------------------------------------- the hero

def hero_back(cx=140):
    """Head and shoulders of the hero from behind, at the foot of the frame,
    so the narration shows what he looks at."""
    f = Figure()
    x = cx
    # shoulders and coat
    coat = [(x - 84, 404), (x - 80, 376), (x - 66, 358), (x - 40, 346), (x, 342),
            (x + 40, 346), (x + 66, 358), (x + 80, 376), (x + 84, 404)]
    f.part(coat, COAT, COAT_LN, shade=COAT_SH, light=COAT_HI, shade_off=(8, 6),
           shade_blur=3, steps=8)
    # seam down the back and a strap across it
    f.line(bezier((x + 2, 372), (x + 3, 390), (x + 2, 404)), 1.4, COAT_SH)
    strap = [(x - 66, 362), (x - 60, 356), (x + 72, 396), (x + 68, 403)]
    f.part(strap, (110, 74, 50), (36, 22, 14), shade=(80, 52, 36), smooth=False, lw=1.2)
    f.part([(x + 20, 376), (x + 30, 379), (x + 28, 389), (x + 18, 386)], GOLD, GOLD_LN,
           smooth=False, lw=1.0)
    # neck
    f.part([(x - 12, 320), (x + 12, 320), (x + 13, 350), (x - 13, 350)], SKIN, SKIN_LN,
           shade=SKIN_SH, smooth=False, lw=1.3)
    # scarf: wound round the neck, two ends hanging down the back
    for (pts, c) in (([(x - 26, 352), (x - 14, 354), (x - 6, 380), (x - 10, 404),
                       (x - 30, 404), (x - 30, 380)], SCARF_SH),
                     ([(x - 16, 352), (x - 2, 354), (x + 4, 376), (x + 2, 396),
                       (x - 16, 398), (x - 20, 374)], SCARF)):
        f.part(pts, c, SCARF_LN, shade=darker(c, 0.25), shade_off=(3, 2), steps=5, lw=1.4)
    for (a, b) in (((x - 18, 386), (x + 2, 384)), ((x - 29, 392), (x - 8, 392))):
        f.line([a, b], 1.6, (226, 196, 150))
    scarf = [(x - 30, 350), (x - 22, 336), (x, 332), (x + 22, 336), (x + 30, 350),
             (x + 20, 362), (x, 364), (x - 20, 362)]
    f.part(scarf, SCARF, SCARF_LN, shade=SCARF_SH, shade_off=(4, 4), steps=6)
    for k in (-14, 2, 16):
        f.line(bezier((x + k - 3, 339), (x + k, 350), (x + k + 2, 362)), 1.0, SCARF_SH)
    # head: tousled hair seen from behind
    hair = [(x, 262), (x + 18, 266), (x + 30, 278), (x + 34, 294), (x + 40, 300),
            (x + 32, 306), (x + 34, 318), (x + 24, 320), (x + 22, 332), (x + 12, 326),
            (x + 4, 336), (x - 6, 326), (x - 16, 334), (x - 20, 322), (x - 32, 322),
            (x - 30, 308), (x - 40, 302), (x - 34, 292), (x - 32, 278), (x - 20, 266)]
    hm = f.part(hair, H_HAIR, H_HAIR_LN, shade=H_HAIR_SH, light=H_HAIR_HI,
                shade_off=(6, 6), shade_blur=2.5, light_off=(-4, -4), light_op=0.6,
                steps=5)
    for (a, b, c) in (((x - 6, 272), (x - 14, 292), (x - 20, 314)),
                      ((x + 6, 270), (x + 10, 292), (x + 16, 316)),
                      ((x - 20, 282), (x - 26, 296), (x - 30, 306))):
        f.line(bezier(a, b, c), 1.1, H_HAIR_SH)
    # a lighter sheen across the crown
    f.fill(intersect(hm, f.blur(f.poly_mask(catmull([(x - 22, 280), (x, 272), (x + 20, 278),
                                                      (x + 18, 286), (x, 281), (x - 20, 288)],
                                                     steps=6)), 1.5)), H_HAIR_HI, 0.7)
    return f.final()


# ---------------------------------------------------------------- the sword

def sword(f, top=(150, 36), length=300, ang=90.0, blade_w=22, mound=True,
          shabby=True):
    """The hero's sword, point down; 'top' is the pommel."""
    a = math.radians(ang)
    ux, uy = math.cos(a), math.sin(a)
    nx, ny = -uy, ux
    k = length / 300.0

    def T(u, v):
        return (top[0] + ux * u * k + nx * v * k, top[1] + uy * u * k + ny * v * k)

    bw = blade_w / 2
    # blade with a few chips in both edges
    left = [(74, -bw), (110, -bw), (118, -bw + 3), (124, -bw), (190, -bw + 1),
            (196, -bw + 4), (202, -bw + 1), (262, -bw + 3), (300, -1)]
    right = [(300, 1), (250, bw - 2), (232, bw), (226, bw - 4), (220, bw),
             (150, bw), (142, bw - 3), (136, bw), (74, bw)]
    if not shabby:
        left = [(74, -bw), (262, -bw + 3), (300, -1)]
        right = [(300, 1), (262, bw - 3), (74, bw)]
    blade = [T(u, v) for u, v in left + right]
    bm = f.part(blade, IRON, IRON_LN, shade=IRON_SH, light=IRON_HI, smooth=False,
                shade_off=(4 * nx, 4 * ny), light_off=(-3 * nx, -3 * ny), light_op=0.8)
    # fuller down the middle
    f.line([T(84, 0), T(236, 0)], 2.2 * k, IRON_SH)
    f.line([T(84, -2.2), T(236, -2.2)], 0.9 * k, IRON_HI)
    if shabby:
        # rust blotches and a crack
        for (u, v, r) in ((100, 5, 4.5), (128, -4, 3.2), (168, 6, 5), (214, -5, 3.6),
                          (246, 3, 3)):
            cx, cy = T(u, v)
            f.fill(intersect(soft_ellipse(f, cx, cy, r * k, r * 0.7 * k, 0.9), bm), RUST, 0.85)
            f.fill(intersect(soft_ellipse(f, cx + 0.6, cy + 0.6, r * 0.45 * k,
                                          r * 0.3 * k, 0.5), bm), RUST_DK, 0.8)
        f.line([T(178, -3), T(186, -6), T(192, -4), T(198, -8)], 0.9 * k, IRON_LN)
    # crossguard, a little bent
    guard = [T(u, v) for u, v in ((62, -34), (66, -36), (74, -33), (75, 0), (74, 33),
                                  (68, 38), (62, 36), (64, 0))]
    f.part(guard, (120, 110, 104), IRON_LN, shade=(80, 72, 70),
           light=(170, 160, 150), steps=4, lw=1.5)
    if shabby:
        f.fill(intersect(soft_ellipse(f, *T(68, 22), 4 * k, 3 * k, 0.6), f.poly_mask(guard)),
               RUST, 0.8)
    # grip wrapped in worn cloth
    grip = [T(u, v) for u, v in ((14, -7), (62, -8), (62, 8), (14, 7))]
    f.part(grip, CLOTH, CLOTH_LN, shade=CLOTH_SH, smooth=False, lw=1.4,
                shade_off=(3 * nx, 3 * ny))
    for u in range(18, 62, 7):
        f.line([T(u, -7.5), T(u + 5, 7.5)], 1.0 * k, CLOTH_SH)
    if shabby:
        # a frayed strip hanging loose
        strip = [T(40, 7), T(48, 9), T(70, 15), T(98, 19), T(95, 24), T(68, 21), T(46, 15)]
        f.part(strip, CLOTH, CLOTH_LN, shade=CLOTH_SH, lw=1.2, steps=4)
    # pommel
    pm = [T(u, v) for u, v in ((0, -9), (8, -11), (16, -8), (16, 8), (8, 11), (0, 9))]
    f.part(pm, (120, 110, 104), IRON_LN, shade=(80, 72, 70), light=(176, 166, 156), lw=1.5)


def sword_picture():
    f = Figure()
    # mound of earth the blade is stuck in
    f.part([(68, 404), (84, 372), (118, 356), (150, 352), (186, 358), (218, 374),
            (234, 404)], (122, 92, 62), (52, 36, 24), shade=(92, 66, 44),
           light=(156, 124, 86), shade_off=(5, 6), steps=8)
    sword(f, top=(150, 24), length=362, blade_w=24)
    # the earth closes over the point: a lip in front of the blade
    f.part([(112, 404), (120, 372), (136, 366), (150, 372), (166, 366), (182, 372),
            (190, 404)], (132, 100, 68), (52, 36, 24), shade=(96, 70, 46), steps=6)
    # grass tufts
    for (gx, gy, s) in ((84, 392, 1.0), (206, 390, 1.1), (124, 398, 0.8), (176, 400, 0.9)):
        blades = [((gx - 8 * s, gy + 8), (gx - 10 * s, gy - 8 * s), (gx - 4 * s, gy + 8)),
                  ((gx - 4 * s, gy + 8), (gx + 1 * s, gy - 16 * s), (gx + 3 * s, gy + 8)),
                  ((gx + 2 * s, gy + 8), (gx + 10 * s, gy - 10 * s), (gx + 8 * s, gy + 8))]
        for b in blades:
            f.part(list(b), (96, 150, 72), (34, 66, 30), shade=(64, 112, 52),
                   smooth=False, lw=1.2)
    return f.final()


# ---------------------------------------------------------------- title

def title_picture():
    f = Figure()
    cx, cy = 150, 168
    # ring of the emblem
    f.line(ellipse_pts(cx, cy, 112, 112, steps=160) + ellipse_pts(cx, cy, 112, 112,
                                                                  steps=160)[:2],
           9.5, GOLD_LN)
    f.line(ellipse_pts(cx, cy, 112, 112, steps=160) + ellipse_pts(cx, cy, 112, 112,
                                                                  steps=160)[:2],
           6.5, GOLD)
    for k in range(16):
        a = math.radians(k * 22.5)
        px, py = cx + math.cos(a) * 112, cy + math.sin(a) * 112
        if k % 4 == 0:
            pts = [(px + math.cos(a) * 12, py + math.sin(a) * 12),
                   (px + math.cos(a + 1.57) * 6, py + math.sin(a + 1.57) * 6),
                   (px - math.cos(a) * 8, py - math.sin(a) * 8),
                   (px - math.cos(a + 1.57) * 6, py - math.sin(a + 1.57) * 6)]
            f.part(pts, (255, 230, 130), GOLD_LN, shade=GOLD, smooth=False, lw=1.4)
        else:
            f.ellipse(px, py, 3.2, 3.2, GOLD_LN)
            f.ellipse(px, py, 2.0, 2.0, (255, 236, 150))
    # inner disc: a dusk sky seen through the emblem
    disc = f.ellipse_mask(cx, cy, 106, 106)
    sky = vgradient(f.img.size, None, None, stops=[(0.0, (40, 36, 96)), (0.30, (86, 70, 150)),
                                                    (0.45, (214, 140, 150)),
                                                    (0.55, (255, 206, 150)), (1.0, (255, 206, 150))])
    f.fill_image(disc, sky)
    for (sx, sy, r) in ((96, 104, 1.6), (124, 84, 1.2), (192, 96, 1.8), (210, 124, 1.1),
                        (168, 76, 1.3), (80, 140, 1.0)):
        f.ellipse(sx, sy, r, r, (255, 250, 220))
    # hills inside the disc
    hill = f.poly_mask(catmull([(30, 230), (80, 196), (130, 210), (180, 188), (240, 204),
                                (280, 230), (280, 300), (30, 300)], steps=8))
    f.fill(intersect(hill, disc), (74, 92, 110))
    hill2 = f.poly_mask(catmull([(30, 250), (100, 220), (160, 236), (220, 214), (280, 244),
                                 (280, 300), (30, 300)], steps=8))
    f.fill(intersect(hill2, disc), (44, 62, 80))
    f.line(ellipse_pts(cx, cy, 106, 106, steps=160) + ellipse_pts(cx, cy, 106, 106,
                                                                  steps=160)[:2],
           1.6, GOLD_LN)
    # crossed staff and sword
    meard.staff(f, (70, 72), (224, 296))
    sword(f, top=(232, 60), length=250, ang=130, blade_w=22, shabby=False)
    # banner
    f.part([(16, 196), (46, 196), (46, 238), (16, 238), (26, 217)], (70, 40, 96),
           (24, 14, 36), smooth=False, lw=1.6)
    f.part([(284, 196), (254, 196), (254, 238), (284, 238), (274, 217)], (70, 40, 96),
           (24, 14, 36), smooth=False, lw=1.6)
    f.part([(40, 182), (260, 182), (260, 230), (40, 230)], (104, 58, 136),
                (30, 16, 44), shade=(76, 40, 104), light=(140, 96, 170), smooth=False,
                lw=1.8, shade_off=(0, 6))
    f.line([(44, 187), (256, 187)], 1.2, GOLD)
    f.line([(44, 225), (256, 225)], 1.2, GOLD)
    # title lettering: dark outline, then a warm gradient face
    outline = f.text_mask((150, 203), "바르멘", 50, stroke=3.2)
    f.fill(outline, (34, 16, 40))
    face = f.text_mask((150, 203), "바르멘", 50)
    grad = vgradient(f.img.size, None, None, stops=[(0.0, (255, 255, 255)),
                                                     (0.46, (255, 250, 226)),
                                                     (0.52, (255, 226, 140)),
                                                     (0.58, (240, 180, 80)),
                                                     (1.0, (240, 180, 80))])
    f.fill_image(face, grad)
    # sparkles
    for (sx, sy, r) in ((52, 76, 9), (252, 290, 8), (268, 70, 6), (40, 292, 6)):
        meard.sparkle(f, sx, sy, r)
    return f.final()


# ---------------------------------------------------------------- icon

def icon(size):
    """메어드's hat with its star: reads even at 16 pixels."""
    c = Canvas(64, 64, 8)
    cone = catmull([(14, 46), (22, 30), (30, 16), (40, 8), (54, 4), (46, 12), (44, 26),
                    (48, 46)], steps=8)
    c.poly(cone, meard.ROBE_LN)
    inner = catmull([(17, 45), (24, 30), (31, 18), (40, 11), (49, 7), (43, 14), (41, 27),
                     (45, 45)], steps=8)
    c.poly(inner, meard.CAPE)
    c.fill(intersect(c.poly_mask(inner), c.poly_mask([(33, 0), (64, 0), (64, 64), (38, 64)])),
           meard.CAPE_SH)
    c.poly([(15, 38), (47, 38), (48, 46), (14, 46)], GOLD)
    c.ellipse(32, 48, 30, 8, meard.ROBE_LN)
    c.ellipse(32, 47.5, 27.5, 5.8, meard.ROBE)
    c.fill(intersect(c.ellipse_mask(32, 47.5, 27.5, 5.8), c.ellipse_mask(32, 51, 30, 4)),
           meard.CAPE_SH)
    star = []
    for k in range(10):
        a = math.radians(-90 + k * 36)
        r = 10 if k % 2 == 0 else 4.4
        star.append((32 + math.cos(a) * r, 28 + math.sin(a) * r))
    c.poly([(32 + (x - 32) * 1.25, 28 + (y - 28) * 1.25) for x, y in star], GOLD_LN)
    c.poly(star, (255, 226, 110))
    if size > c.w:
        # the menu and task-bar sizes above 64 px come from the drawing at its
        # working resolution, never from an enlarged 64 px picture
        return c.img.resize((size, size), Image.LANCZOS)
    im = c.final()
    return im.resize((size, size), Image.LANCZOS)
