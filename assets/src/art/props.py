"""The pictures that are not 메어드, on cairo: the hero seen from behind
(plain narration), the shabby sword, the title emblem and the program icon
(메어드's own hat, drawn by the same code as on her pictures)."""

import math

import cairo

import figure
from figure import (GOLD, GOLD_LN, LW, LW_FINE, SILHOUETTE, SKIN, SKIN_LN, SKIN_SH,
                    staff, sparkle)
from vec import Pic, rgb, spline, taper_outline, darker, lighter

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
    strap = [(x - 66, 362), (x - 60, 355), (x + 74, 396), (x + 70, 404)]
    p.part(strap, STRAP, STRAP_LN, shade=darker(STRAP, 0.25), off=(0, 3), smooth=False, lw=LW)
    p.part([(x + 20, 375), (x + 30, 378), (x + 28, 389), (x + 18, 386)], GOLD, GOLD_LN,
           smooth=False, lw=LW_FINE)
    p.part([(x - 12, 316), (x + 12, 316), (x + 13, 350), (x - 13, 350)], H_SKIN, H_SKIN_LN,
           shade=H_SKIN_SH, off=(4, 0), smooth=False, lw=LW)
    # ears show at the sides of the head
    for side in (-1, 1):
        p.part([(x + side * 30, 296), (x + side * 38, 300), (x + side * 37, 312),
                (x + side * 30, 316)], H_SKIN, H_SKIN_LN, shade=H_SKIN_SH, off=(side * 2, 2), lw=LW)
    # scarf: wound round the neck, two ends hanging down the back
    for pts, c in (([(x - 26, 352), (x - 14, 354), (x - 6, 380), (x - 10, 412), (x - 30, 412),
                     (x - 30, 380)], SCARF_SH),
                   ([(x - 16, 352), (x - 2, 354), (x + 4, 376), (x + 2, 396), (x - 16, 398),
                     (x - 20, 374)], SCARF)):
        p.part(pts, c, SCARF_LN, shade=darker(c, 0.25), off=(3, 2), lw=LW)
    for a, b in (((x - 18, 386), (x + 2, 384)), ((x - 29, 394), (x - 8, 394))):
        p.curve([a, b], (226, 196, 150), 1.6, smooth=False)
    scarf = [(x - 31, 350), (x - 22, 334), (x, 330), (x + 22, 334), (x + 31, 350),
             (x + 20, 362), (x, 364), (x - 20, 362)]
    p.part(scarf, SCARF, SCARF_LN, shade=SCARF_SH, off=(4, 4), lw=LW)
    for k in (-14, 2, 16):
        p.taper([(x + k - 3, 338), (x + k, 350), (x + k + 2, 362)], 0.3, 0.3, SCARF_SH,
                wmid=1.4)
    # tousled hair seen from behind: a crown and tapered locks over it
    crown = [(x, 260), (x + 24, 266), (x + 34, 284), (x + 34, 306), (x + 24, 322),
             (x, 328), (x - 24, 322), (x - 34, 306), (x - 34, 284), (x - 24, 266)]
    p.part(crown, H_HAIR, H_HAIR_LN, shade=H_HAIR_SH, off=(5, 5), lw=LW)
    # locks fall from the crown in two layers: long ones at the nape under
    # shorter ones from the top of the head, of different widths, breaking
    # the outline at the sides and the nape
    locks = [((x - 28, 288), (x - 32, 306), (x - 34, 318), (x - 30, 328), 12),
             ((x - 12, 292), (x - 13, 312), (x - 15, 330), (x - 18, 342), 13),
             ((x + 4, 292), (x + 4, 314), (x + 3, 332), (x + 1, 346), 13),
             ((x + 18, 290), (x + 21, 308), (x + 23, 322), (x + 21, 334), 12),
             ((x + 30, 284), (x + 34, 298), (x + 36, 310), (x + 34, 318), 10),
             ((x - 18, 274), (x - 30, 286), (x - 37, 296), (x - 41, 308), 17),
             ((x - 4, 270), (x - 10, 286), (x - 16, 300), (x - 21, 318), 16),
             ((x + 10, 270), (x + 12, 286), (x + 12, 302), (x + 9, 322), 15),
             ((x + 20, 274), (x + 30, 286), (x + 37, 296), (x + 41, 306), 15)]
    for root, a, b, tip, w in locks:
        out = taper_outline([root, a, b, tip], w, 0.6, wmid=w * 0.9, steps=8)
        p.part(out, H_HAIR, H_HAIR_LN, shade=H_HAIR_SH, off=(2.5, 2.5), smooth=False, lw=LW)
        with p.clip(out, smooth=False):
            p.taper([(root[0] - 1, root[1] + 3), (a[0] - 1, a[1] - 1), (b[0] - 1, b[1] - 1)],
                    0.4, 0.3, H_HAIR_HI, wmid=1.6)
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
            # rust in ragged patches, thicker near the guard where the rain
            # sat, each with a stain running down towards the point
            for (u, v, r, run) in ((92, 6, 6.5, 26), (104, -6, 4.0, 14), (150, 4, 5.5, 30),
                                   (200, -5, 4.2, 18), (240, 6, 3.0, 12)):
                patch = []
                for j in range(9):
                    a2 = 2 * math.pi * j / 9
                    rr = r * (0.7 + 0.3 * ((j * 37 + int(u)) % 5) / 4.0)
                    patch.append(T(u + math.cos(a2) * rr * 1.4, v + math.sin(a2) * rr))
                p.shape(patch, RUST, alpha=0.85)
                p.shape([T(u + 2, v - r * 0.4), T(u + run, v - r * 0.15), T(u + run + 4, v),
                         T(u + run, v + r * 0.15), T(u + 2, v + r * 0.4)], RUST, alpha=0.45)
                p.ellipse(*T(u + 0.6, v + 0.8), r * 0.55 * k, r * 0.4 * k, RUST_DK, rot=ang,
                          alpha=0.8)
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
