"""The six backgrounds, 600 x 400, drawn wholly on cairo: the forest
crossroads (배경1), the rocky clearing of the showdown (배경2), the impact
card (꽈당), the golem risen for the duel (화난골렘), the evening meadow of
the ending (엔딩배경) and the closing card (끝).  The golem, asleep, risen
or fallen, and its dust come from golem.py.

Flat shapes with soft shading: every mass is a clean Bezier shape with its
own line, a crisp shade band on the side away from the light and large
surfaces in gradients.  Distance is shown by paler, bluer layers drawn with
thinner lines or none, and soft light is a radial gradient, never a blur.
메어드 stands over the middle (x 144 to 444), so the busy detail goes to the
sides and the middle is left open and even for her and for the eye.
Each is drawn at three times its size and reduced on cairo; Pillow only
writes the file.
"""

import math
import random

import cairo

import brush
import golem
from vec import (Pic, circles, darker, gradient, glow, lettering, lighter, lump, mix, oriented,
                 paint, poly, spline, taper_outline)

W, H = 600, 400


class Rng:
    def __init__(self, seed):
        self._r = random.Random(seed)

    def uniform(self, a, b):
        return a + (b - a) * self._r.random()

    def chance(self, p):
        return self._r.random() < p

    def pick(self, seq):
        return seq[int(self._r.random() * len(seq)) % len(seq)]


def canvas():
    return Pic(W, H)


def vgrad(y0, y1, stops):
    return gradient((0, y0, 0, y1), stops)


def sp(pts, closed=True):
    return lambda cr: spline(cr, pts, closed)


def pl(pts):
    return lambda cr: poly(cr, pts)


def band(p, pts, stops, line=None, lw=1.0):
    """A layer of land across the picture: its top edge smooth through pts,
    its body a vertical gradient down to the foot of the picture."""
    top = min(y for _, y in pts)

    def path(cr):
        spline(cr, pts, closed=False)
        cr.line_to(pts[-1][0], H + 40)
        cr.line_to(pts[0][0], H + 40)
        cr.close_path()
    paint(p, path, vgrad(top, H, stops))
    if line is not None:
        p.stroke(lambda cr: spline(cr, pts, closed=False), line, lw)
    return path


def dabs(p, rng, path, box, base, n, size=(2.0, 6.0), angle=None, jitter=25.0,
         alpha=(0.04, 0.08), stretch=0.45, spread=0.05):
    """Paint texture: n small strokes, each an ellipse of the mass's own
    colour a little lighter or darker (up to spread), laid while clipped to
    the mass (path, a function of the context), inside box (x0, y0, x1,
    y1).  angle is the stroke direction in degrees (None: any); grass gets
    short upright strokes, a road level ones, bark long upright ones,
    stone blotches."""
    cr = p.cr
    cr.save()
    path(cr)
    cr.clip()
    x0, y0, x1, y1 = box
    for _ in range(n):
        x, y = rng.uniform(x0, x1), rng.uniform(y0, y1)
        s = rng.uniform(*size)
        a = rng.uniform(0, 180) if angle is None else angle + rng.uniform(-jitter, jitter)
        t = rng.uniform(-spread, spread)
        c = lighter(base, t) if t > 0 else darker(base, -t)
        p.ellipse(x, y, s, s * stretch, c, rot=a, alpha=rng.uniform(*alpha))
    cr.restore()


def treeline(p, rng, x0, x1, base_y, color, line, lw=0.8, light=0.22, tall=3, low=20, high=60,
             skip=None, rim=None):
    """A far edge of wood broken into clumps of different heights, 20 to 60
    px, with a few tall trees standing out, instead of a row of equal
    bushes.  skip(x) leaves a place open.  rim: the colour of light from
    behind, caught along the top edge of each crown (against a low sun)."""
    x = x0
    clumps = []
    while x < x1:
        w = rng.uniform(30, 80)
        h = rng.uniform(low, high * 0.7)
        clumps.append((x + w / 2, w, h))
        x += w * rng.uniform(0.6, 0.95)
    for k in range(tall):
        i = int(rng.uniform(0, len(clumps)))
        cx, w, h = clumps[i]
        clumps[i] = (cx, w * 0.7, high)
    # the low ones first, so the tall stand in front
    for cx, w, h in sorted(clumps, key=lambda c: c[2]):
        if skip and skip(cx):
            continue
        # a crown of round masses stacked from the ground to its top, the
        # wide ones low, narrowing towards the top
        big = min(w, h) * 0.42
        m = max(4, int((w + h) / 14))
        cs = []
        for k in range(m):
            t = k / (m - 1)
            y = base_y - big * 0.7 - t * max(0.0, h - big * 1.7)
            x = cx + rng.uniform(-1, 1) * max(0.0, w / 2 - big) * (1 - t * 0.6)
            cs.append((x, y, big * rng.uniform(0.7, 1.15) * (1 - t * 0.3)))
        # the crown's edge broken into clusters of leaves: small masses
        # round the rim, more on top
        for x, y, r in list(cs):
            for _ in range(5 if rim is not None else 3):
                a = rng.uniform(-math.pi * 0.95, -math.pi * 0.05)
                cs.append((x + math.cos(a) * r * 0.9, y + math.sin(a) * r * 0.9,
                           r * rng.uniform(0.22, 0.38)))
        if rim is not None:
            # against the light the trunk shows under the crown
            p.fill(pl([(cx - 1.6, base_y + 1), (cx - 1.0, base_y - h * 0.4), (cx + 1.0, base_y - h * 0.4),
                       (cx + 1.8, base_y + 1)]), darker(color, 0.3))
        lump(p, cs, color, shade=darker(color, 0.28), light=lighter(color, light), line=line,
             lw=lw)
        if rim is not None:
            # the crown less itself moved down: a thin crescent on top
            cr = p.cr
            cr.push_group()
            circles(cr, cs)
            cr.set_source_rgba(rim[0] / 255.0, rim[1] / 255.0, rim[2] / 255.0, 0.95)
            cr.fill()
            cr.set_operator(cairo.OPERATOR_DEST_OUT)
            cr.save()
            cr.translate(0.9, 2.4)
            circles(cr, cs)
            cr.restore()
            cr.set_source_rgba(0, 0, 0, 1)
            cr.fill()
            cr.set_operator(cairo.OPERATOR_OVER)
            cr.pop_group_to_source()
            cr.paint()
        dabs(p, rng, lambda cr, cs=cs: circles(cr, cs),
             (cx - w, base_y - h - 20, cx + w, base_y + 10), color, int(w * h / 14),
             size=(1.5, 3.5), alpha=(0.08, 0.14), spread=0.14)


def foliage(p, rng, cx, cy, r, base, n=8, line=None, lw=1.0, light=0.2, spread=1.0,
            marks=0, texture=True):
    """A clump of leaves: overlapping round masses with a shade band below
    and right, lit tops, and a few leaf marks."""
    cs = []
    for _ in range(n):
        a = rng.uniform(0, 2 * math.pi)
        d = rng.uniform(0.1, 0.62) * r * spread
        cs.append((cx + math.cos(a) * d * 1.25, cy + math.sin(a) * d * 0.8,
                   rng.uniform(0.38, 0.6) * r * rng.uniform(0.6, 1.4)))
    big = min(rr for _, _, rr in cs) * 0.99
    if texture and r > 24:
        # a leafy edge: small clusters of leaves round each mass, of
        # different sizes, so the outline is ragged, not a row of arcs
        masses = list(cs)
        for x, y, rr in masses:
            for _ in range(int(rr / 5)):
                a = rng.uniform(0, 2 * math.pi)
                d = rr * rng.uniform(0.84, 0.98)
                lx, ly = x + math.cos(a) * d, y + math.sin(a) * d
                # only on the outline: not where another mass covers it
                if any(math.hypot(lx - ox, ly - oy) < orr * 0.95 for ox, oy, orr in masses
                       if (ox, oy, orr) != (x, y, rr)):
                    continue
                cs.append((lx, ly, rr * rng.uniform(0.12, 0.24)))
    lump(p, cs, base, shade=darker(base, 0.3), light=lighter(base, light), line=line, lw=lw,
         light_from=big)
    if texture:
        # leaves: small strokes of lighter and darker green, and a core of
        # shade low in the clump
        cr = p.cr
        cr.save()
        circles(cr, cs)
        cr.clip()
        glow(p, cx + r * 0.25, cy + r * 0.35, r * 0.8, r * 0.55, darker(base, 0.45), 0.35)
        cr.restore()
        dabs(p, rng, lambda cr: circles(cr, cs), (cx - r * 1.6, cy - r * 1.2, cx + r * 1.6,
                                                  cy + r * 1.2),
             base, int(r * r * 0.5), size=(1.5, 4.0), alpha=(0.12, 0.28), spread=0.22)
        # clusters of leaves: little fans of pointed strokes, light where
        # the mass faces the sun (upper left), dark where it turns away,
        # so the crown reads as leaves and not as round lumps
        cr = p.cr
        cr.save()
        circles(cr, cs)
        cr.clip()
        for _ in range(int(r * r / 45) + 2):
            mx, my, mr = cs[int(rng.uniform(0, len(cs))) % len(cs)]
            a = rng.uniform(0, 2 * math.pi)
            d = rng.uniform(0.2, 0.95) * mr
            x, y = mx + math.cos(a) * d, my + math.sin(a) * d
            lit = (math.cos(a) + math.sin(a)) < -0.3
            dark = (math.cos(a) + math.sin(a)) > 0.5
            c = lighter(base, 0.28) if lit else (darker(base, 0.3) if dark else lighter(base, 0.08))
            spread_a = rng.uniform(0, 2 * math.pi)
            for k in range(int(rng.uniform(4, 8))):
                la = spread_a + (k - 3) * 0.45 + rng.uniform(-0.15, 0.15)
                ln = rng.uniform(2.6, 5.2) * min(1.5, max(0.7, r / 40))
                p.taper([(x, y), (x + math.cos(la) * ln * 0.5, y + math.sin(la) * ln * 0.5),
                         (x + math.cos(la) * ln, y + math.sin(la) * ln)], 0.3, 0.2, c,
                        wmid=ln * 0.45, alpha=0.75)
        cr.restore()
    if marks:
        cr = p.cr
        cr.save()
        circles(cr, cs)
        cr.clip()
        for _ in range(marks):
            a = rng.uniform(0, 2 * math.pi)
            d = rng.uniform(0, 0.7) * r
            x, y = cx + math.cos(a) * d * 1.2, cy + math.sin(a) * d * 0.8
            s = rng.uniform(2.5, 5.0)
            p.taper([(x - s, y + s * 0.3), (x, y - s * 0.1), (x + s * 0.6, y + s * 0.1)],
                    0.2, 0.2, darker(base, 0.4), wmid=1.1, alpha=0.6)
        cr.restore()
    return cs


def trunk(p, rng, x, base_y, top_y, w, color, lean=0.0, roots=True, line=None, bark=True):
    """A tree trunk lit from the left: a light band on its left edge, a
    crisp shade band on its right, bark lines and a flare of roots."""
    tw = w * 0.72
    pts = [(x - tw / 2 + lean, top_y), (x + tw / 2 + lean, top_y),
           (x + w / 2, base_y - w * 0.6)]
    if roots:
        pts += [(x + w * 0.62, base_y - w * 0.2), (x + w * 0.95, base_y + 2),
                (x + w * 0.3, base_y - 1), (x, base_y + 1), (x - w * 0.35, base_y - 1),
                (x - w * 0.95, base_y + 2), (x - w * 0.62, base_y - w * 0.2)]
    else:
        pts += [(x + w / 2, base_y), (x - w / 2, base_y)]
    pts += [(x - w / 2, base_y - w * 0.6)]
    p.part(pts, color, line, shade=darker(color, 0.3), light=lighter(color, 0.22),
           off=(w * 0.34, 0), light_off=(w * 0.14, 0), smooth=False, lw=1.2)
    dabs(p, rng, pl(pts), (x - w, top_y, x + w, base_y + 4), color, int(w * (base_y - top_y) / 10),
         size=(3.0, 9.0), angle=90, jitter=6, alpha=(0.1, 0.22), stretch=0.18, spread=0.2)
    if bark:
        with p.clip(pts, smooth=False):
            for _ in range(int(w / 4)):
                y0 = rng.uniform(top_y, base_y - w * 0.5)
                f = (y0 - top_y) / max(1.0, base_y - top_y)
                bx = x + rng.uniform(-w * 0.36, w * 0.36) + lean * (1 - f)
                ln = rng.uniform(18, 50)
                p.taper([(bx, y0), (bx + rng.uniform(-1.5, 1.5), y0 + ln / 2), (bx, y0 + ln)],
                        0.2, 0.2, darker(color, 0.45), wmid=rng.uniform(1.0, 1.8), alpha=0.8)
    return pts


def scatter(rng, n, x0, x1, y0, y1):
    """n places in clumps, not sprinkled evenly: clumps of three to twelve
    round random centres, wider and deeper near the viewer.  Yields (x, y,
    clump number)."""
    k = 0
    made = 0
    while made < n:
        cx, cy = rng.uniform(x0, x1), rng.uniform(y0, y1)
        depth = (cy - y0) / max(1.0, y1 - y0)
        m = 3 + int(rng.uniform(0, 10))
        for _ in range(m):
            if made >= n:
                break
            x = cx + (rng.uniform(-1, 1) + rng.uniform(-1, 1)) * (5 + 22 * depth)
            y = cy + (rng.uniform(-1, 1) + rng.uniform(-1, 1)) * (1.5 + 7 * depth)
            made += 1
            if x0 <= x <= x1 and y0 <= y <= y1:
                yield x, y, k
        k += 1


def tuft(p, x, y, h, color, rng, line=None):
    """Three blades of grass in a fan, each a tapered Bezier stroke."""
    for k in (-1, 0, 1):
        ang = math.radians(-90 + k * 24 + rng.uniform(-8, 8))
        tip = (x + math.cos(ang) * h, y + math.sin(ang) * h)
        mid = (x + math.cos(ang) * h * 0.5 + k * 0.8, y + math.sin(ang) * h * 0.5)
        p.taper([(x + k * 0.8, y), mid, tip], 2.2, 0.1, color)


def flower(p, x, y, s, color):
    for k in range(5):
        a = 2 * math.pi * k / 5 + 0.3
        p.ellipse(x + math.cos(a) * 1.7 * s, y + math.sin(a) * 1.25 * s, 1.35 * s, 1.1 * s,
                  color, rot=math.degrees(a))
    p.ellipse(x + 0.35 * s, y + 0.5 * s, 2.2 * s, 1.0 * s, darker(color, 0.25), alpha=0.35)
    p.ellipse(x, y, 0.9 * s, 0.8 * s, (255, 214, 90))


def in_path(p, path, x, y):
    cr = p.cr
    path(cr)
    inside = cr.in_fill(x, y)
    cr.new_path()
    return inside


def beams(p, rays, color, alpha):
    """Shafts of light: each a wedge fading as it falls."""
    for (x0, w0, x1, w1, y1) in rays:
        paint(p, pl([(x0 - w0, -10), (x0 + w0, -10), (x1 + w1, y1), (x1 - w1, y1)]),
              vgrad(-10, y1, [(0, color, alpha), (0.6, color, alpha * 0.5), (1, color, 0)]))


def sun_beams(p, sun, rays, length, color, alpha):
    """Shafts of light fanning out from the sun: each a wedge (direction in
    degrees, half width in radians) fading with distance."""
    sx, sy = sun
    for ang, w in rays:
        a = math.radians(ang)
        pts = [(sx + math.cos(a - w * 0.3) * 30, sy + math.sin(a - w * 0.3) * 30),
               (sx + math.cos(a - w) * length, sy + math.sin(a - w) * length),
               (sx + math.cos(a + w) * length, sy + math.sin(a + w) * length),
               (sx + math.cos(a + w * 0.3) * 30, sy + math.sin(a + w * 0.3) * 30)]
        paint(p, pl(pts), gradient((sx, sy, 20, sx, sy, length),
                                   [(0, color, alpha), (0.5, color, alpha * 0.5),
                                    (1, color, 0)]))


def sparkle_star(p, x, y, r, color, line=None):
    pts = [(x, y - r), (x + r * 0.22, y - r * 0.22), (x + r, y), (x + r * 0.22, y + r * 0.22),
           (x, y + r), (x - r * 0.22, y + r * 0.22), (x - r, y), (x - r * 0.22, y - r * 0.22)]
    if line is not None:
        p.stroke(pl(pts), line, 1.4)
    p.fill(pl(pts), color)


# ================================================================ 배경1

FOREST_LINE = (40, 72, 40)
WOOD = (150, 102, 62)       # the staff's wood, for the signpost
WOOD_SH = (104, 66, 40)
WOOD_HI = (190, 146, 96)
WOOD_LN = (56, 32, 20)
SAND = (222, 198, 150)
SAND_SH = (184, 150, 104)
SAND_LN = (132, 100, 64)
GRASS_COLS = [(84, 140, 60), (104, 160, 70), (70, 120, 52), (126, 176, 84)]


def forest_crossroads():
    """A crossroads in a sunlit forest: the road comes towards the viewer
    out of a bright opening, side roads bend away left and right, and a
    signpost stands at the right-hand corner.  Trees frame the sides; the
    road and the grass in the middle are left calm."""
    rng = Rng(11)
    p = canvas()
    # light through the far trees
    paint(p, None, vgrad(0, 230, [(0, (236, 242, 208)), (0.5, (214, 230, 182)),
                                  (1, (178, 208, 148))]))
    # far forest: pale, blue-green, no lines
    far_trunk = (156, 180, 152)
    for _ in range(24):
        x = rng.uniform(-10, 610)
        if 250 < x < 350:
            continue
        w = rng.uniform(5, 10)
        y = rng.uniform(204, 212)
        paint(p, pl([(x - w * 0.35, -10), (x + w * 0.35, -10), (x + w / 2, y), (x - w / 2, y)]),
              far_trunk)
    for _ in range(20):
        x = rng.uniform(-20, 620)
        cs = []
        for _ in range(6):
            cs.append((x + rng.uniform(-40, 40), rng.uniform(10, 120), rng.uniform(22, 40)))
        lump(p, cs, (150, 182, 136), shade=(136, 168, 128), off=(0.18, 0.22))
    # the bright opening at the end of the straight road
    glow(p, 300, 176, 110, 70, (255, 252, 224), 0.9, core=0.15)
    paint(p, None, vgrad(0, 215, [(0, (230, 240, 214), 0.0), (0.7, (230, 240, 214), 0.3),
                                  (1, (236, 242, 220), 0.5)]))
    # middle forest: trunks with a thin line, away from the road's end
    for _ in range(14):
        x = rng.uniform(-20, 620)
        if 236 < x < 364:
            continue
        trunk(p, rng, x, rng.uniform(214, 224), -10, rng.uniform(12, 18), (122, 112, 96),
              line=(84, 76, 66), roots=False)
    for _ in range(16):
        x, y, r = rng.uniform(-30, 630), rng.uniform(-14, 60), rng.uniform(48, 74)
        if 250 < x < 350 and y > 10:
            continue    # the light comes through here
        foliage(p, rng, x, y, r, (98, 146, 88), n=8, line=(70, 110, 66), lw=0.8)
    # ground
    ground = [(-40, 210), (120, 203), (300, 199), (480, 203), (640, 210)]
    land = band(p, ground, [(0, (128, 168, 86)), (0.4, (112, 162, 74)),
                            (0.75, (98, 150, 66)), (1, (80, 130, 56))])
    dabs(p, rng, land, (-10, 198, 610, 404), (106, 156, 70), 4200, size=(1.5, 4.5), angle=90,
         jitter=12, alpha=(0.14, 0.26), stretch=0.3, spread=0.16)
    # shade of the canopy on the ground, sun patches between
    for (x, y, rx, ry) in ((80, 300, 140, 46), (530, 318, 130, 42), (300, 396, 240, 34)):
        glow(p, x, y, rx, ry, (36, 78, 40), 0.3, core=0.3)
    # the roads, one shape: straight ahead, and off to the left and right
    main = oriented([(166, 420), (244, 306), (282, 232), (294, 200), (306, 200), (318, 232),
                     (356, 306), (434, 420)])
    side_l = oriented([(300, 254), (200, 251), (112, 241), (40, 225), (-30, 212), (-30, 203),
                       (40, 211), (122, 223), (212, 227), (300, 228)])
    side_r = oriented([(600 - x, y) for (x, y) in side_l])

    def roads(cr):
        for part in (main, side_l, side_r):
            spline(cr, part)
    p.stroke(roads, SAND_LN, 2.4)
    cr = p.cr
    cr.save()
    roads(cr)
    cr.clip()
    # the verges' shade falls on the upper left edge of the road
    paint(p, None, SAND_SH)
    cr.save()
    cr.translate(3, 3.5)
    paint(p, roads, vgrad(196, 400, [(0, (234, 216, 172)), (0.35, SAND), (1, (206, 172, 118))]))
    cr.restore()
    dabs(p, rng, roads, (-30, 196, 630, 420), SAND, 2600, size=(2.0, 6.0), angle=0, jitter=8,
         alpha=(0.12, 0.22), stretch=0.3, spread=0.1)
    # wheel ruts and the worn middle, converging on the opening
    for side in (-1, 1):
        p.taper([(300 + side * 58, 412), (300 + side * 24, 300), (300 + side * 5, 206)],
                7.0, 0.6, SAND_SH, alpha=0.55)
    p.taper([(300, 412), (300, 300), (300, 206)], 14, 1.0, (240, 226, 190), alpha=0.5)
    for side in (-1, 1):
        p.taper([(300 + side * 260, 218), (300 + side * 150, 233), (300 + side * 40, 240)],
                1.0, 5.0, (240, 226, 190), alpha=0.45)
    # pebbles
    for _ in range(70):
        x, y = rng.uniform(160, 440), rng.uniform(206, 400)
        if not in_path(p, roads, x, y):
            continue
        s = 0.5 + (y - 200) / 150
        p.ellipse(x + 0.5 * s, y + 0.6 * s, 1.6 * s, 1.0 * s, SAND_SH, alpha=0.8)
        p.ellipse(x, y, 1.5 * s, 0.95 * s, lighter(SAND, 0.35))
    cr.restore()
    # the road's end melts into the light of the opening
    glow(p, 300, 202, 34, 16, (246, 244, 212), 0.9, core=0.2)
    # grass along the verges, taller near the viewer
    for x, y, _ in scatter(rng, 560, -5, 605, 206, 404):
        if in_path(p, roads, x, y):
            continue
        if 150 < x < 450 and y > 260 and rng.chance(0.6):
            continue    # calmer in the middle
        depth = (y - 200) / 200
        tuft(p, x, y, (3 + 11 * depth) * rng.uniform(0.7, 1.2), rng.pick(GRASS_COLS), rng)
    colours = [(255, 255, 255), (250, 222, 112), (232, 164, 222), (176, 204, 255)]
    for x, y, k in scatter(rng, 44, 8, 600, 262, 392):
        if 170 < x < 430 or in_path(p, roads, x, y):
            continue
        flower(p, x, y, 0.55 + (y - 260) / 160, colours[k % 4])
    # bushes at the corners of the crossing
    for (x, y, r) in ((190, 214, 22), (412, 216, 22), (146, 210, 18), (458, 210, 18)):
        foliage(p, rng, x, y - r * 0.4, r, (84, 138, 70), n=7, line=FOREST_LINE, lw=0.9)
    # near trees framing the picture, their shadows on the grass
    for (x, y, rx) in ((40, 334, 70), (118, 264, 34), (566, 340, 72), (518, 266, 30)):
        glow(p, x + rx * 0.45, y + 3, rx, rx * 0.17, (30, 62, 32), 0.55, core=0.4)
    trunk(p, rng, 118, 262, -10, 26, (108, 86, 68), lean=-4, line=(52, 38, 30))
    trunk(p, rng, 518, 264, -10, 24, (108, 86, 68), lean=5, line=(52, 38, 30))
    signpost(p)
    # the nearest trunks and leaves: darker and cooler, they frame the picture
    trunk(p, rng, 28, 332, -10, 56, (76, 60, 56), lean=6, line=(36, 24, 24))
    trunk(p, rng, 574, 338, -10, 58, (76, 60, 56), lean=-8, line=(36, 24, 24))
    # near canopy across the top and down the sides
    near = (48, 94, 62)
    for (x, y, r) in ((-10, 14, 92), (72, -22, 82), (164, -44, 70), (250, -56, 60),
                      (352, -56, 60), (442, -44, 70), (534, -22, 82), (616, 14, 92),
                      (-24, 128, 60), (626, 136, 60)):
        foliage(p, rng, x, y, r, near, n=10, line=FOREST_LINE, lw=1.1, light=0.18, marks=4)
    # sunbeams through the gap in the leaves
    beams(p, [(150, 12, 286, 36, 330), (232, 9, 404, 28, 300), (66, 9, 176, 26, 280)],
          (255, 250, 210), 0.26)
    # leaves in the near corners
    for (x, y, r) in ((-8, 392, 52), (610, 388, 54), (44, 414, 34), (560, 414, 36)):
        foliage(p, rng, x, y, r, (50, 100, 58), n=8, line=FOREST_LINE, lw=1.1)
    return brush.painterly(p.flat(), 101, flow=lambda x, y: 90 if y > 250 else 0, spread=0.05)


def signpost(p):
    """The signpost at the corner: a post and three pointing boards, in the
    wood of 메어드's staff."""
    glow(p, 486, 262, 22, 4.5, (30, 62, 32), 0.5, core=0.4)
    post = [(475, 144), (483, 144), (485, 262), (473, 262)]
    p.part(post, WOOD, WOOD_LN, shade=WOOD_SH, light=WOOD_HI, off=(3, 0), light_off=(1.5, 0),
           smooth=False, lw=1.2)
    p.ellipse(479, 144, 4, 1.6, WOOD_HI, WOOD_LN, lw=1.0)
    for (y, d, length) in ((160, 1, 40), (178, -1, 38), (196, 1, 32)):
        x0 = 479 - d * 8
        x1 = 479 + d * length
        board = [(x0, y - 6.5), (x1, y - 6.5), (x1 + d * 8, y), (x1, y + 6.5), (x0, y + 6.5)]
        p.part(board, WOOD_HI, WOOD_LN, shade=WOOD, light=lighter(WOOD_HI, 0.25),
               off=(0, 3), light_off=(0, 1.2), smooth=False, lw=1.2)
        # carved marks, not words: the hero cannot read the way anyway
        for k in range(3):
            xx = 479 + d * (6 + k * 9)
            p.curve([(xx, y - 1.5), (xx + d * 5, y - 0.5)], WOOD_SH, 1.0, smooth=False)
        p.ellipse(479, y, 1.3, 1.3, WOOD_LN)    # the nail
    for k in range(4):    # grass round its foot
        x = 468 + k * 6
        p.taper([(x, 263), (x + 1, 256), (x + 2 - k, 250)], 2.0, 0.1, GRASS_COLS[k % 4])


# ================================================================ 엔딩배경

def ending():
    """Evening after the fight: the sun low over the hills, the golem only
    rubble with flowers in the gaps, and far off the village that is home."""
    rng = Rng(55)
    p = canvas()
    paint(p, None, vgrad(0, 250, [(0, (90, 100, 180)), (0.28, (170, 136, 190)),
                                  (0.5, (246, 168, 152)), (0.7, (255, 212, 152)),
                                  (1, (255, 224, 168))]))
    sun = (476, 200)
    glow(p, sun[0], sun[1], 190, 130, (255, 236, 186), 0.75, core=0.05)
    glow(p, sun[0], sun[1], 64, 64, (255, 246, 214), 0.9, core=0.3)
    p.ellipse(sun[0], sun[1], 25, 25, (255, 250, 228))
    # clouds lit from below by the low sun
    for (x, y, r) in ((104, 70, 40), (204, 46, 28), (376, 92, 32), (566, 58, 36), (40, 146, 24)):
        cs = heap(x, y, r, int(x * 17 + y), flat=0.3)
        lump(p, cs, (232, 156, 174), shade=(255, 216, 172), light=(200, 140, 178),
             off=(0.0, -0.3), light_off=(0.1, 0.55), light_alpha=0.5,
             line=(196, 118, 146), lw=0.8)
    # far hills, pale with distance, and the village on them
    hills = [(-40, 214), (80, 180), (170, 192), (280, 198), (400, 208), (520, 202), (640, 212)]
    band(p, hills, [(0, (196, 150, 172)), (1, (176, 140, 160))])
    village(p)
    paint(p, None, vgrad(150, 230, [(0, (255, 220, 190), 0.0), (1, (255, 220, 190), 0.25)]))
    # nearer hills with a line of trees
    band(p, [(-40, 236), (120, 218), (260, 230), (420, 224), (560, 234), (640, 228)],
         [(0, (158, 152, 112)), (1, (140, 140, 100))], line=(120, 108, 86), lw=0.8)
    # trees against the low sun: dark and cool, lit only along their tops
    treeline(p, rng, 296, 630, 238, (98, 90, 72), (70, 60, 56), tall=2, low=12, high=40,
             light=0.0, rim=(255, 204, 132))
    # the meadow in the evening light
    meadow = band(p, [(-40, 250), (160, 242), (340, 248), (500, 242), (640, 248)],
                  [(0, (206, 194, 104)), (0.4, (184, 180, 92)), (0.7, (156, 160, 80)),
                   (1, (124, 134, 66))], line=(140, 130, 70), lw=0.9)
    dabs(p, rng, meadow, (-10, 240, 610, 404), (176, 172, 88), 4000, size=(1.5, 4.5), angle=90,
         jitter=12, alpha=(0.14, 0.26), stretch=0.3, spread=0.16)
    # the low sun throws long shadows towards the viewer's left; the far
    # side of the meadow is in warm light, the near left in the evening blue
    paint(p, meadow, gradient((600, 250, 0, 400), [(0, (255, 214, 140), 0.28),
                                                  (0.55, (255, 214, 140), 0.0),
                                                  (1, (70, 60, 110), 0.3)]))
    glow(p, 476, 268, 240, 34, (255, 232, 160), 0.55, core=0.2)
    glow(p, 100, 386, 220, 40, (90, 96, 60), 0.35, core=0.3)
    for x, y, _ in scatter(rng, 420, -5, 605, 248, 404):
        if 150 < x < 450 and y > 280 and rng.chance(0.55):
            continue
        depth = (y - 244) / 160
        tuft(p, x, y, (3 + 10 * depth) * rng.uniform(0.7, 1.2),
             rng.pick([(150, 160, 70), (176, 180, 86), (128, 140, 60), (200, 190, 96)]), rng)
    colours = [(255, 255, 255), (255, 220, 120), (250, 170, 200), (200, 180, 255)]
    for x, y, k in scatter(rng, 70, 0, 600, 270, 396):
        if 180 < x < 420 and rng.chance(0.6):
            continue
        flower(p, x, y, 0.55 + (y - 270) / 170, colours[k % 4])
    # the golem is rubble now, with flowers in the gaps
    glow(p, 92, 362, 100, 14, (70, 60, 36), 0.5, core=0.4)
    golem.rubble(p)
    for x in (8, 30, 58, 84, 112, 140, 166, 178):
        flower(p, x + rng.uniform(-4, 4), rng.uniform(374, 382), 1.0,
               rng.pick([(255, 255, 255), (255, 200, 220)]))
    for (x, y) in ((10, 380), (54, 376), (106, 380), (140, 372), (174, 356)):
        tuft(p, x, y, 8, (150, 160, 70), rng)     # grass grown round the stones
    # sun rays, and petals on the wind
    sun_beams(p, sun, [(-168, 0.05), (-150, 0.04), (160, 0.045), (176, 0.035), (-10, 0.04)],
              560, (255, 240, 200), 0.16)
    for _ in range(26):
        x, y = rng.uniform(0, 600), rng.uniform(40, 380)
        if 150 < x < 450 and y < 270:
            continue
        p.ellipse(x, y, 2.7, 1.4, (255, 216, 228), (214, 140, 160), lw=0.5,
                  rot=rng.uniform(0, 180))
    return brush.painterly(p.flat(), 505, flow=lambda x, y: 0 if y < 250 else 8, spread=0.05)


def village(p):
    """A few houses on the far hill with warm windows, a steeple and one
    chimney smoking; pale with distance."""
    for (x, y, w, h) in ((20, 190, 16, 10), (46, 184, 22, 14), (72, 180, 18, 16),
                         (96, 186, 24, 12), (122, 188, 16, 12)):
        p.part([(x, y), (x + w, y), (x + w, y + h), (x, y + h)], (240, 212, 184), (150, 104, 110),
               shade=(210, 170, 160), off=(w * 0.45, 0), smooth=False, lw=0.6)
        p.part([(x - 3, y + 1), (x + w / 2, y - h * 0.7), (x + w + 3, y + 1)], (186, 96, 84),
               (120, 60, 66), shade=(150, 74, 72), off=(w * 0.3, 0), smooth=False, lw=0.6)
        glow(p, x + w * 0.3, y + h * 0.55, 4, 4, (255, 230, 150), 0.6)
        p.ellipse(x + w * 0.3, y + h * 0.55, 1.5, 1.7, (255, 234, 150))
    p.part([(80, 168), (84, 168), (84, 180), (80, 180)], (150, 96, 88), (110, 66, 70),
           smooth=False, lw=0.5)
    for k in range(5):
        lump(p, [(84 + k * 5, 162 - k * 7, 2.8 + k)], (252, 238, 236),
             shade=(226, 200, 214), off=(-0.2, -0.3))
    p.part([(150, 198), (154, 168), (158, 198)], (150, 136, 140), (110, 90, 100), smooth=False,
           lw=0.5)
    p.part([(146, 196), (162, 196), (162, 204), (146, 204)], (232, 206, 182), (150, 104, 110),
           shade=(206, 170, 160), off=(7, 0), smooth=False, lw=0.5)


# ================================================================ 끝

NIGHT_HILL = (58, 44, 88)
NIGHT_LINE = (20, 14, 36)


def the_end():
    """The closing card: a night sky turning to dawn over dark hills, and
    the word 끝 in the upper middle, above where the hero stands looking up."""
    rng = Rng(66)
    p = canvas()
    paint(p, None, vgrad(0, 330, [(0, (14, 16, 46)), (0.38, (40, 38, 98)),
                                  (0.66, (112, 78, 142)), (0.84, (226, 144, 128)),
                                  (1, (252, 194, 142))]))
    glow(p, 300, 330, 420, 120, (255, 200, 150), 0.5, core=0.1)
    # stars, fading towards the dawn
    for _ in range(180):
        x, y = rng.uniform(0, 600), rng.uniform(0, 270)
        r = rng.uniform(0.4, 1.1) if rng.chance(0.9) else rng.uniform(1.2, 1.9)
        if 200 < x < 400 and 60 < y < 200 and r > 1.0:
            continue    # nothing bright right behind the word
        p.ellipse(x, y, r, r, (255, 250, 232), alpha=max(0.25, 1 - y / 290))
    for (x, y, r) in ((84, 58, 7), (530, 160, 6), (170, 204, 5), (420, 36, 5), (36, 170, 4)):
        glow(p, x, y, r * 2.4, r * 2.4, (255, 246, 210), 0.35)
        sparkle_star(p, x, y, r, (255, 250, 222))
    # crescent moon with its halo
    glow(p, 510, 70, 48, 48, (255, 240, 200), 0.35, core=0.2)
    cr = p.cr
    cr.save()
    cr.arc(520, 62, 20, 0, 2 * math.pi)
    cr.rectangle(-10, -10, W + 20, H + 20)
    cr.set_fill_rule(1)     # even-odd: everything but the dark disc
    cr.clip()
    p.ellipse(510, 70, 22, 22, (255, 244, 206))
    p.ellipse(505, 76, 22 * 0.8, 22 * 0.8, (240, 220, 170), alpha=0.5)
    cr.restore()
    # the word: a soft glow, a dark line and a warm face, and a thin ornament
    glow(p, 300, 118, 120, 74, (255, 222, 170), 0.4, core=0.1)
    lettering(p, "끝", 301.5, 121.5, 96, [(0, NIGHT_LINE, 0.55), (1, NIGHT_LINE, 0.55)],
              None, 0)
    lettering(p, "끝", 300, 118, 96, [(0, (255, 255, 250)), (0.55, (255, 244, 220)),
                                      (1, (255, 212, 150))], NIGHT_LINE, 4.0)
    gold = (255, 224, 166)
    for side in (-1, 1):
        p.taper([(300 + side * 22, 186), (300 + side * 70, 185), (300 + side * 112, 186)],
                2.0, 0.4, gold)
        p.ellipse(300 + side * 118, 186, 2.3, 2.3, gold)
    p.part([(300, 177), (307, 186), (300, 195), (293, 186)], gold, NIGHT_LINE,
           shade=(214, 164, 110), off=(2, 2), smooth=False, lw=1.0)
    # hills and trees against the dawn, each ridge lit along its top
    far = [(-40, 312), (100, 288), (220, 302), (360, 294), (480, 282), (640, 302)]
    band(p, far, [(0, (86, 62, 112)), (1, (62, 46, 92))], line=(150, 100, 140), lw=1.2)
    for (x, y, h) in ((40, 303, 42), (70, 298, 30), (540, 290, 48), (580, 294, 34),
                      (502, 290, 26), (14, 304, 24)):
        pine(p, x, y, h)
    near = [(-40, 344), (140, 324), (300, 336), (460, 322), (640, 338)]
    band(p, near, [(0, (44, 34, 70)), (1, (30, 22, 50))], line=(120, 82, 120), lw=1.2)
    # fireflies over the dark ground
    for _ in range(20):
        x, y = rng.uniform(10, 590), rng.uniform(310, 392)
        glow(p, x, y, 6, 6, (255, 240, 150), 0.55, core=0.1)
        p.ellipse(x, y, 1.1, 1.1, (255, 252, 210))
    return p.flat()


def pine(p, x, y, h):
    """A fir in silhouette: three tiers, their tips caught by the dawn."""
    for k in range(3):
        top = y - h + k * h * 0.28
        w = h * (0.2 + 0.1 * k)
        tier = [(x, top), (x + w * 0.5, top + h * 0.2), (x + w, top + h * 0.42),
                (x, top + h * 0.36), (x - w, top + h * 0.42), (x - w * 0.5, top + h * 0.2)]
        p.part(tier, (40, 30, 64), NIGHT_LINE, light=(110, 76, 118), light_off=(0, 1.2),
               smooth=False, lw=0.9)
    p.curve([(x, y - h * 0.1), (x, y)], NIGHT_LINE, 2.0, smooth=False)


# ================================================================ 배경2

SKY_LINE = (150, 178, 212)
STONE = (150, 146, 138)
STONE_LN = (66, 62, 58)
MOSS = (104, 140, 70)
MOSS_LN = (58, 84, 40)
MEADOW_COLS = [(104, 150, 66), (126, 170, 76), (90, 134, 58), (150, 184, 92)]


def boulder(p, rng, cx, cy, rx, ry, color, line=STONE_LN, lw=1.1, moss=False, crack=True):
    """A boulder lit from the upper left: a rounded Bezier shape with a light
    band on its upper left edge, a crisp shade band on its lower right, an
    optional cap of moss, a crack, and its shadow on the grass."""
    glow(p, cx + rx * 0.25, cy + ry * 0.75, rx * 1.15, ry * 0.32, (40, 60, 30), 0.45, core=0.4)
    pts = []
    for k in range(9):
        a = 2 * math.pi * k / 9
        r = rng.uniform(0.84, 1.06)
        pts.append((cx + math.cos(a) * rx * r, cy + math.sin(a) * ry * r))
    p.part(pts, color, None, shade=darker(color, 0.32), light=lighter(color, 0.3),
           off=(rx * 0.32, ry * 0.42), light_off=(rx * 0.16, ry * 0.24))
    if rx > 12:
        dabs(p, rng, sp(pts), (cx - rx, cy - ry, cx + rx, cy + ry), color, int(rx * ry * 0.5),
             size=(1.5, 4.0), alpha=(0.12, 0.24), stretch=0.7, spread=0.18)
    with p.clip(pts):
        if moss:
            cap = [(cx - rx * 1.2, cy - ry * 1.3), (cx + rx * 1.2, cy - ry * 1.3),
                   (cx + rx * 0.7, cy - ry * 0.5), (cx + rx * 0.25, cy - ry * 0.62),
                   (cx - rx * 0.15, cy - ry * 0.4), (cx - rx * 0.6, cy - ry * 0.55),
                   (cx - rx * 1.2, cy - ry * 0.3)]
            p.part(cap, MOSS, None, light=lighter(MOSS, 0.25), light_off=(rx * 0.1, ry * 0.16))
            p.curve(cap[2:], MOSS_LN, 0.9)
        if crack and rx > 14:
            x0 = cx + rng.uniform(-rx * 0.3, rx * 0.3)
            p.taper([(x0, cy - ry * 0.45), (x0 + rx * 0.12, cy - ry * 0.05),
                     (x0 - rx * 0.05, cy + ry * 0.3)], 0.3, 0.2, darker(color, 0.55),
                    wmid=1.4)
    p.stroke(sp(pts), line, lw)


def heap(x, y, r, seed, flat=0.35):
    """The round masses of a cloud: five to seven of different sizes, the
    biggest a little left of the middle, their feet near one level."""
    rng = Rng(seed)
    n = 5 + int(rng.uniform(0, 3))
    cs = []
    for k in range(n):
        u = (k + 0.5) / n * 2 - 1
        s = (0.85 - 0.45 * abs(u + 0.2)) * rng.uniform(0.75, 1.2)
        cs.append((x + u * r * 1.1, y + r * flat - s * r * 0.55, s * r * 0.75))
    return cs


def cloud(p, x, y, r, base=(255, 255, 255), shade=(212, 226, 242), line=SKY_LINE, lw=0.8,
          seed=0):
    """A fair-weather cloud: a heap of round masses of different sizes, the
    biggest a little left of the middle, its underside flat, shaded on the
    side away from the sun, with soft streaks of texture."""
    rng = Rng(int(x * 31 + y * 7 + r) + seed)
    cs = heap(x, y, r, int(x * 31 + y * 7 + r) + seed)
    bottom = y + r * 0.42
    cr = p.cr
    cr.save()
    cr.rectangle(x - r * 3, y - r * 3, r * 6, bottom - (y - r * 3))
    cr.clip()
    lump(p, cs, base, shade=shade, light=None, line=line, lw=lw, off=(0.14, 0.3))
    dabs(p, rng, lambda c: circles(c, cs), (x - r * 2, y - r * 1.5, x + r * 2, bottom),
         shade, int(r * r * 0.25), size=(2.0, 5.0), angle=0, jitter=10, alpha=(0.1, 0.2),
         stretch=0.35, spread=0.05)
    cr.restore()
    if line is not None:
        p.curve([(cs[0][0] - cs[0][2] * 0.6, bottom), (cs[-1][0] + cs[-1][2] * 0.6, bottom)],
                line, lw, smooth=False)


def clearing():
    """Outside the forest at last: an open, rocky clearing under a wide sky,
    the forest they came out of along its far edge, and on the right the
    heap of rocks that is the golem asleep.  The sword is not painted here:
    it is a picture of its own (내검), pulled out of the ground in the story.
    메어드 stands in the middle, so the grass there is short and even."""
    rng = Rng(22)
    p = canvas()
    paint(p, None, vgrad(0, 215, [(0, (112, 170, 230)), (0.45, (168, 208, 240)),
                                  (1, (226, 240, 246))]))
    glow(p, 30, -30, 260, 170, (255, 252, 236), 0.55, core=0.1)    # the sun, out of frame
    for (x, y, r) in ((92, 52, 40), (160, 42, 28), (470, 66, 44), (540, 78, 30)):
        cloud(p, x, y, r)
    cloud(p, 296, 112, 20, shade=(220, 232, 244), line=None)        # a small one far off
    # far mountains: pale and blue with distance, no lines
    peaks = [(-40, 190), (60, 140), (130, 156), (210, 120), (300, 150), (380, 126),
             (470, 148), (560, 118), (640, 160)]
    far = band(p, peaks, [(0, (156, 182, 212)), (1, (170, 196, 220))])
    cr = p.cr
    cr.save()
    far(cr)
    cr.clip()
    for (x, y), (nx, ny) in zip(peaks[1:-1], peaks[2:]):
        if y < ny:
            # the slope down to the right of each peak, away from the sun
            paint(p, pl([(x, y), (nx, ny), (nx + 10, 215), (x + 26, 215), (x + 8, y + 30)]),
                  (142, 168, 200), 0.8)
            p.curve([(x, y), (x + 6, y + 16), (x + 4, y + 34)], (186, 206, 226), 1.0,
                    alpha=0.6)
    cr.restore()
    band(p, [(-40, 196), (90, 168), (200, 178), (330, 160), (450, 176), (560, 156), (640, 180)],
         [(0, (134, 166, 184)), (1, (150, 180, 196))])
    paint(p, None, vgrad(140, 210, [(0, (226, 240, 246), 0.0), (1, (226, 240, 246), 0.45)]))
    # the forest they came out of, along the far edge of the clearing: a
    # further row first, paler and bluer, then the near one, hazed at its
    # foot where the air between thickens
    treeline(p, Rng(23), -30, 630, 206, (128, 160, 152), None, tall=0, low=8, high=26,
             light=0.12)
    paint(p, None, vgrad(150, 210, [(0, (214, 232, 240), 0.0), (1, (214, 232, 240), 0.4)]))
    treeline(p, rng, -30, 630, 214, (84, 130, 90), (60, 100, 70), tall=3, low=16, high=58)
    paint(p, None, vgrad(176, 214, [(0, (206, 226, 236), 0.0), (1, (206, 226, 236), 0.32)]))
    # the clearing
    ground = [(-40, 214), (150, 208), (320, 212), (470, 206), (640, 214)]
    land = band(p, ground, [(0, (156, 182, 100)), (0.3, (148, 178, 92)), (0.75, (128, 164, 80)),
                            (1, (108, 146, 66))], line=(100, 136, 70), lw=0.9)
    dabs(p, rng, land, (-10, 204, 610, 404), (140, 172, 88), 4200, size=(1.5, 4.5), angle=90,
         jitter=12, alpha=(0.14, 0.26), stretch=0.3, spread=0.16)
    # worn, dry patches and bare earth where the golem has lain and turned
    for (x, y, rx, ry, c, a) in ((300, 300, 170, 46, (196, 178, 120), 0.55),
                                 (460, 322, 120, 30, (176, 150, 104), 0.6),
                                 (120, 334, 80, 22, (176, 150, 104), 0.5),
                                 (260, 246, 120, 14, (184, 180, 120), 0.5)):
        glow(p, x, y, rx, ry, c, a, core=0.35)
    # the light from the upper left lies on the far grass
    glow(p, 130, 232, 260, 30, (236, 240, 170), 0.35, core=0.2)
    # pebbles, fewer where she stands
    for _ in range(110):
        x, y = rng.uniform(20, 580), rng.uniform(232, 392)
        if 160 < x < 440 and rng.chance(0.55):
            continue
        s = 0.45 + (y - 220) / 170
        p.ellipse(x + 0.5 * s, y + 0.6 * s, 1.6 * s, 1.0 * s, (110, 120, 80), alpha=0.7)
        p.ellipse(x, y, 1.5 * s, 0.95 * s, (190, 184, 168))
    for _ in range(10):
        x, y = rng.uniform(20, 580), rng.uniform(236, 380)
        if 380 < x < 600 and y < 340:
            continue    # the heap's place
        s = 0.4 + (y - 230) / 150
        boulder(p, rng, x, y, 8 * s, 5 * s, STONE, lw=0.8, crack=False)
    for x, y, _ in scatter(rng, 460, -5, 605, 212, 404):
        if 150 < x < 450 and y > 250 and rng.chance(0.55):
            continue    # calmer in the middle
        depth = (y - 208) / 196
        tuft(p, x, y, (3 + 9 * depth) * rng.uniform(0.7, 1.2), rng.pick(MEADOW_COLS), rng)
    # the shadows of the clouds overhead lie across the field in broad soft
    # masses, and the near ground darkens, so the field has depth
    for (x, y, rx, ry, a) in ((150, 272, 190, 30, 0.26), (470, 246, 150, 16, 0.2),
                              (330, 360, 260, 34, 0.16)):
        glow(p, x, y, rx, ry, (52, 84, 76), a, core=0.35)
    paint(p, land, vgrad(320, 404, [(0, (44, 66, 44), 0.0), (1, (44, 66, 44), 0.42)]))
    # the heap of rocks: the golem asleep, grass grown in its gaps
    golem.resting(p, 500, 330, 0.95)
    for _ in range(40):
        x, y = rng.uniform(386, 614), rng.uniform(322, 334)
        tuft(p, x, y, rng.uniform(4, 9), rng.pick(MEADOW_COLS[:2]), rng)
    for _ in range(14):
        flower(p, rng.uniform(10, 140), rng.uniform(300, 390), 0.9,
               rng.pick([(255, 255, 255), (250, 220, 110)]))
    for _ in range(12):
        flower(p, rng.uniform(420, 590), rng.uniform(350, 392), 1.0,
               rng.pick([(255, 255, 255), (230, 170, 230)]))
    # rocks in the near corners
    # rocks in the near corners, darker and cooler to frame the picture
    near = mix(darker(STONE, 0.22), (90, 100, 130), 0.12)
    boulder(p, rng, 18, 396, 44, 24, near, moss=True)
    boulder(p, rng, 586, 398, 40, 22, near, moss=True)
    return brush.painterly(p.flat(), 202, flow=lambda x, y: 0 if y < 214 else 6, spread=0.05)


# ================================================================ 꽈당

def thud():
    """An impact card without lettering: focus lines rush in from the edges
    to a white flash, while the middle stays pale and still.  The same card
    serves a fall, a crash and the fade of the epilogue's quiet lines."""
    rng = Rng(33)
    p = canvas()
    cr = p.cr
    # the flash: white in the middle, warm towards the edges
    cr.save()
    cr.translate(300, 200)
    cr.scale(1.0, 0.68)
    paint(p, None, gradient((0, 0, 0, 0, 0, 420),
                            [(0, (255, 253, 242)), (0.3, (255, 248, 226)),
                             (0.62, (252, 228, 178)), (1, (236, 190, 124))]))
    cr.restore()
    # focus lines: long wedges from beyond the edges, each ending in a point
    # on a ring round the flash; a few pale ones between the dark
    n = 150
    for i in range(n):
        a = 2 * math.pi * (i + rng.uniform(-0.3, 0.3)) / n
        r_in = rng.uniform(1.15, 1.6)
        w = rng.uniform(0.006, 0.02)
        inner = (300 + math.cos(a) * 190 * r_in, 200 + math.sin(a) * 130 * r_in)
        outer1 = (300 + math.cos(a - w) * 700, 200 + math.sin(a - w) * 500)
        outer2 = (300 + math.cos(a + w) * 700, 200 + math.sin(a + w) * 500)
        p.fill(pl([inner, outer1, outer2]), (150, 90, 50), rng.uniform(0.35, 0.7))
    for i in range(40):
        a = 2 * math.pi * (i + 0.5 + rng.uniform(-0.2, 0.2)) / 40
        r_in = rng.uniform(1.0, 1.3)
        w = rng.uniform(0.01, 0.02)
        inner = (300 + math.cos(a) * 190 * r_in, 200 + math.sin(a) * 130 * r_in)
        outer1 = (300 + math.cos(a - w) * 700, 200 + math.sin(a - w) * 500)
        outer2 = (300 + math.cos(a + w) * 700, 200 + math.sin(a + w) * 500)
        p.fill(pl([inner, outer1, outer2]), (255, 250, 232), 0.5)
    # a few glints where the lines give way to the light
    for (x, y, r) in ((96, 96, 6), (512, 84, 5), (548, 246, 4), (62, 268, 4)):
        sparkle_star(p, x, y, r, (255, 252, 236), line=(190, 130, 80))
    # the shock of it: a pale ring spreading over the ground
    p.stroke(lambda c: (c.save(), c.translate(300, 404), c.scale(1.0, 0.16),
                        c.arc(0, 0, 250, math.pi * 1.04, math.pi * 1.96), c.restore()),
             (255, 250, 236), 3.2, alpha=0.6, ink=True)
    # grit and pebbles thrown up and out from where it struck, each with a
    # streak back towards the ground; none over the middle, where the
    # figures stand
    hit = (300, 430)
    for _ in range(26):
        side = -1 if rng.chance(0.5) else 1
        x = 300 + side * rng.uniform(150, 290)
        y = rng.uniform(150, 370)
        dx, dy = x - hit[0], y - hit[1]
        d = math.hypot(dx, dy)
        ux, uy = dx / d, dy / d
        size = rng.uniform(1.6, 4.4) * (0.6 + (y - 150) / 440)
        trail = size * rng.uniform(4, 8)
        p.taper([(x - ux * trail, y - uy * trail), (x - ux * trail * 0.5, y - uy * trail * 0.5),
                 (x - ux * size * 0.6, y - uy * size * 0.6)], 0.2, size * 1.1, (255, 244, 222),
                alpha=0.55)
        pts = [(x + math.cos(a) * size * rng.uniform(0.7, 1.2),
                y + math.sin(a) * size * rng.uniform(0.6, 1.0))
               for a in [k * 2 * math.pi / 6 + rng.uniform(-0.3, 0.3) for k in range(6)]]
        p.part(pts, (150, 124, 104), (84, 62, 52), shade=(112, 88, 76),
               off=(size * 0.3, size * 0.3), lw=0.8)
    # dust clouds at the bottom, with the same volume as the golem's
    for (x, y, r) in ((40, 380, 46), (110, 396, 36), (560, 378, 48), (490, 398, 34),
                      (300, 414, 40)):
        golem.dust(p, x, y, r, light=(240, 230, 216), shade=(200, 182, 166),
                   line=(120, 96, 80))
    return brush.painterly(p.flat(), 404, density=0.5, flow=lambda x, y: 0, spread=0.04)


# ================================================================ 화난골렘

def ground_crack(p, rng, x0, y0, x1, y1):
    """A jagged crack in the ground, widest where it starts, with the far
    lip of the crack caught by the red light and one short branch."""
    n = 6
    pts = [(x0, y0)]
    for k in range(1, n):
        t = k / n
        pts.append((x0 + (x1 - x0) * t + rng.uniform(-5, 5),
                    y0 + (y1 - y0) * t + rng.uniform(-4, 4)))
    pts.append((x1, y1))
    outline = [(x, y - 0.2) for x, y in pts]
    p.fill(pl(taper_outline(outline, 4.0, 0.3, steps=2)), (236, 130, 80), 0.55)
    p.fill(pl(taper_outline(pts, 3.4, 0.2, steps=2)), (34, 16, 22))
    k = rng.pick([2, 3])
    bx, by = pts[k]
    p.fill(pl(taper_outline([(bx, by), (bx + (x1 - x0) * 0.12 + rng.uniform(-6, 6),
                                        by + rng.uniform(8, 14))], 2.0, 0.2, steps=2)),
           (34, 16, 22))


def angry_golem():
    """The golem risen and furious: one creature of stone with burning eyes
    and glowing cracks, a fist raised, under a red sky torn by storm clouds,
    the ground cracking round its feet."""
    rng = Rng(77)
    p = canvas()
    paint(p, None, vgrad(0, 400, [(0, (58, 20, 44)), (0.35, (150, 40, 44)),
                                  (0.62, (236, 110, 56)), (0.75, (250, 170, 90)),
                                  (1, (250, 170, 90))]))
    # the rage radiating from behind it
    glow(p, 330, 150, 300, 220, (255, 170, 96), 0.35, core=0.1)
    for i in range(36):
        a = 2 * math.pi * i / 36 + 0.04
        w = 0.03
        p.fill(pl([(330, 150), (330 + math.cos(a - w) * 700, 150 + math.sin(a - w) * 700),
                   (330 + math.cos(a + w) * 700, 150 + math.sin(a + w) * 700)]),
               (255, 200, 120), 0.12)
    # storm clouds, lit on top by the fire behind them
    for (x, y, r) in ((60, 40, 60), (170, 20, 50), (520, 30, 64), (420, 10, 40),
                      (600, 90, 50), (0, 120, 40)):
        cs = heap(x, y, r * 1.1, int(x * 13 + y), flat=0.5)
        lump(p, cs, (84, 34, 52), shade=(50, 22, 40), light=(124, 50, 62), line=(30, 10, 24),
             lw=1.0, off=(0.0, 0.25), light_off=(0.1, 0.5), light_alpha=0.6)
        dabs(p, rng, lambda cr, cs=cs: circles(cr, cs), (x - r * 2.2, y - r * 1.5, x + r * 2.2,
                                                         y + r * 1.2),
             (84, 34, 52), int(r * r * 0.3), size=(2.0, 5.0), angle=0, jitter=15,
             alpha=(0.12, 0.24), stretch=0.4, spread=0.25)
    # dark hills, their ridge caught by the red light
    band(p, [(-40, 250), (100, 226), (220, 236), (380, 224), (520, 236), (640, 226)],
         [(0, (92, 44, 60)), (1, (76, 40, 56))], line=(176, 78, 66), lw=0.9)
    # the ground it stamps on
    band(p, [(-40, 262), (200, 256), (420, 260), (640, 254)],
         [(0, (120, 76, 56)), (0.3, (110, 70, 54)), (0.7, (92, 60, 48)), (1, (64, 40, 36))],
         line=(176, 98, 70), lw=1.1)
    glow(p, 330, 334, 230, 42, (40, 20, 24), 0.55, core=0.3)
    # cracks in the ground from its feet, stones kicked loose at the sides
    for (x0, y0, x1, y1) in ((236, 344, 96, 366), (250, 356, 200, 400), (428, 346, 566, 360),
                             (414, 358, 470, 400), (206, 314, 60, 292), (468, 318, 596, 286),
                             (330, 362, 344, 400)):
        ground_crack(p, rng, x0, y0, x1, y1)
    for _ in range(24):
        x, y = rng.uniform(0, 600), rng.uniform(272, 396)
        if 150 < x < 520:
            continue
        s = 0.5 + (y - 260) / 120
        p.ellipse(x + 0.6 * s, y + 0.7 * s, 2.6 * s, 1.5 * s, (44, 24, 28), alpha=0.7)
        p.ellipse(x, y, 2.4 * s, 1.4 * s, (150, 110, 96), (60, 34, 36), lw=0.6)
    golem.golem(p)
    return brush.painterly(p.flat(), 303, density=0.6, flow=lambda x, y: 0, spread=0.045)
