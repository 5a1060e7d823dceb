#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws the core pictures and the application icon (res/).

    python3 tools/data/make_pictures.py [--out res]

For each core shape a shaded picture of the core and a dimension drawing
labelled with the letters that the dimension entry takes:

    core130  E photo         core131  E drawing       (A B C D H h)
    core132  EI photo        core133  EI drawing      (A B C D H h I)
    core134  ER/ETD photo    core135  ER/ETD drawing  (A B C D H h)
    core136  ring photo      core137  ring drawing    (A B C)
    core138  other: pot core core139  other: U core (second view)

150 x 117 pixels, and 300 x 234 as "@2x" for HiDPI screens; velmora.png
(256 x 256) and velmora-32.png are the icon, velmora-16.png to velmora-128.png
and velmora.svg its other sizes for the desktop's icon theme. Everything is drawn here: a tiny
z-buffered triangle rasteriser for the shaded pictures, a polygon filler for
the drawings, a stroke font for the letters, supersampling for smooth edges,
and a PNG writer on zlib (the raster side in picture_raster.py). Python 3
standard library only; the output is the
same bytes on every run.
"""
import argparse
import math
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
from picture_raster import (  # noqa: E402
    write_png,
    Canvas,
    Mesh,
    render,
    project,
    FERRITE,
    FACE,
    COPPER,
    COPPER_DARK,
)

W1, H1 = 150, 117  # picture size at 1x
SS = 6             # supersampling of the 1x size (the 2x picture gets 3)


def e_half(m, A, B, D, C, H, h, y0=0.0, up=True, round_leg=False):
    """One E half: the back and three legs, legs pointing up (or down)."""
    w = (A - B) / 2
    back = H - h
    if up:
        yb0, yb1, yl0, yl1 = y0, y0 + back, y0 + back, y0 + H
    else:
        yl0, yl1, yb0, yb1 = y0, y0 + h, y0 + h, y0 + H
    m.box(0, A, yb0, yb1, 0, C, top=None if up else FACE)
    m.box(0, w, yl0, yl1, 0, C, top=FACE if up else None)
    m.box(A - w, A, yl0, yl1, 0, C, top=FACE if up else None)
    if round_leg:
        m.tube(A / 2, C / 2, 0, D / 2, yl0, yl1, top=FACE if up else None)
    else:
        m.box(A / 2 - D / 2, A / 2 + D / 2, yl0, yl1, 0, C, top=FACE if up else None)


def photo_e():
    m = Mesh()
    A, B, D, C, H, h = 42, 29.6, 12, 15, 21, 14.8
    e_half(m, A, B, D, C, H, h, 0, up=True)
    e_half(m, A, B, D, C, H, h, H + 6, up=False)
    return m, -32, 24


def photo_ei():
    m = Mesh()
    A, B, D, C, H, h, I = 38, 26, 12, 25, 8.2, 4.4, 3.6
    e_half(m, A, B, D, C, H, h, 0, up=True)
    m.box(0, A, H + 9, H + 9 + I, 0, C, top=None)
    return m, -30, 40


def photo_er():
    m = Mesh()
    A, B, D, C, H, h = 34, 25.6, 11, 11, 17.3, 12.1
    e_half(m, A, B, D, C, H, h, 0, up=True, round_leg=True)
    e_half(m, A, B, D, C, H, h, H + 9, up=False, round_leg=True)
    return m, -30, 28


def photo_ring():
    m = Mesh()
    m.tube(0, 0, 7.4, 12.65, 0, 10, n=96)
    return m, -20, 38


def photo_pot():
    """Other shapes: a pot core pair, slots towards the viewer's side."""
    m = Mesh()
    R, r2, r1, rh, Hh, back = 13.0, 10.8, 5.6, 2.7, 8.0, 2.6
    for y0, up in ((0.0, True), (Hh + 10.0, False)):
        if up:
            yb0, yb1, yl0, yl1 = y0, y0 + back, y0 + back, y0 + Hh
        else:
            yl0, yl1, yb0, yb1 = y0, y0 + Hh - back, y0 + Hh - back, y0 + Hh
        top = FACE if up else None
        m.tube(0, 0, rh, R, yb0, yb1, n=96, top=None if up else FACE)
        m.tube(0, 0, r2, R, yl0, yl1, 20, 160, n=96, top=top)
        m.tube(0, 0, r2, R, yl0, yl1, 200, 340, n=96, top=top)
        m.tube(0, 0, rh, r1, yl0, yl1, n=96, top=top)
    return m, -12, 36


def photo_u():
    """Other shapes, second view: a U core pair."""
    m = Mesh()
    A, L, C, leg, gap = 30, 25, 16, 8, 3
    for x0, flip in ((0.0, False), (L + gap, True)):
        # the pair lies on its side: the legs point along x towards each other
        if not flip:
            m.box(x0, x0 + leg, 0, A, 0, C)
            m.box(x0 + leg, x0 + L, 0, leg, 0, C, top=None)
            m.box(x0 + leg, x0 + L, A - leg, A, 0, C)
        else:
            m.box(x0 + L - leg, x0 + L, 0, A, 0, C)
            m.box(x0, x0 + L - leg, 0, leg, 0, C)
            m.box(x0, x0 + L - leg, A - leg, A, 0, C)
    return m, -35, 30


def icon_mesh():
    m = Mesh()
    A, B, D, C, H, h = 42, 29.6, 12, 15, 21, 14.8
    e_half(m, A, B, D, C, H, h, 0, up=True, round_leg=True)
    e_half(m, A, B, D, C, H, h, H, up=False, round_leg=True)
    # the winding on its coil former around the round centre leg
    y0, y1, turns = H - h + 0.8, H + h - 0.8, 9
    for k in range(turns):
        color = COPPER if k % 2 == 0 else COPPER_DARK
        m.tube(A / 2, C / 2, D / 2 + 0.6, B / 2 - 0.8, y0 + (y1 - y0) * k / turns,
               y0 + (y1 - y0) * (k + 1) / turns, n=96, color=color)
    return m, -38, 28


# ---------------------------------------------------------------------------
# Dimension drawings: coordinates in 1x pixels, y down
# ---------------------------------------------------------------------------

INK = (32, 32, 36)
FILL = (206, 211, 219)
FILL_CUT = (180, 187, 198)
DIM = (24, 74, 160)
TEXT = (150, 20, 20)
HIDDEN = (120, 120, 128)

# Stroke font: glyph strokes in a 4 x 6 box, y down, baseline at 6.
GLYPHS = {
    "A": [[(0, 6), (2, 0), (4, 6)], [(0.75, 3.9), (3.25, 3.9)]],
    "B": [[(0, 6), (0, 0), (2.7, 0), (3.5, 0.7), (3.5, 2.2), (2.7, 2.9), (0, 2.9)],
          [(2.7, 2.9), (3.8, 3.7), (3.8, 5.2), (3, 6), (0, 6)]],
    "C": [[(4, 1.1), (3, 0), (1.1, 0), (0, 1.2), (0, 4.8), (1.1, 6), (3, 6), (4, 4.9)]],
    "D": [[(0, 0), (0, 6), (2.3, 6), (4, 4.4), (4, 1.6), (2.3, 0), (0, 0)]],
    "H": [[(0, 0), (0, 6)], [(4, 0), (4, 6)], [(0, 3), (4, 3)]],
    "I": [[(2, 0), (2, 6)], [(0.8, 0), (3.2, 0)], [(0.8, 6), (3.2, 6)]],
    "h": [[(0.2, 0), (0.2, 6)], [(0.2, 3.6), (1.3, 2.6), (2.9, 2.6), (3.8, 3.5), (3.8, 6)]],
}
LETTER_H = 8.0  # letter height in 1x pixels


class Drawing:
    def __init__(self, scale):
        self.s = scale  # supersampled pixels per 1x pixel
        self.cv = Canvas(W1 * scale, H1 * scale)

    def _p(self, pts):
        return [(x * self.s, y * self.s) for x, y in pts]

    def poly(self, pts, color):
        self.cv.polygon([self._p(pts)], color)

    def polys(self, contours, color):
        self.cv.polygon([self._p(c) for c in contours], color)

    def line(self, a, b, width, color, caps=False):
        (x0, y0), (x1, y1) = a, b
        dx, dy = x1 - x0, y1 - y0
        ln = math.hypot(dx, dy)
        if ln == 0:
            return
        nx, ny = -dy / ln * width / 2, dx / ln * width / 2
        ex, ey = (dx / ln * width / 2, dy / ln * width / 2) if caps else (0, 0)
        self.poly([(x0 + nx - ex, y0 + ny - ey), (x1 + nx + ex, y1 + ny + ey),
                   (x1 - nx + ex, y1 - ny + ey), (x0 - nx - ex, y0 - ny - ey)], color)

    def dot(self, c, r, color):
        self.poly(circle(c, r, 16), color)

    def polyline(self, pts, width, color):
        for a, b in zip(pts, pts[1:]):
            self.line(a, b, width, color)
        for p in pts:
            self.dot(p, width / 2, color)

    def dashed(self, a, b, width, color, dash=2.4, gap=1.6):
        (x0, y0), (x1, y1) = a, b
        ln = math.hypot(x1 - x0, y1 - y0)
        t = 0.0
        while t < ln:
            t1 = min(ln, t + dash)
            self.line((x0 + (x1 - x0) * t / ln, y0 + (y1 - y0) * t / ln),
                      (x0 + (x1 - x0) * t1 / ln, y0 + (y1 - y0) * t1 / ln), width, color)
            t = t1 + gap

    def outline(self, pts, fill=FILL, width=1.1):
        self.poly(pts, fill)
        self.polyline(pts + [pts[0]], width, INK)

    def arrow(self, tip, direction, color=DIM, length=3.6, width=2.6):
        dx, dy = direction
        ln = math.hypot(dx, dy)
        dx, dy = dx / ln, dy / ln
        bx, by = tip[0] - dx * length, tip[1] - dy * length
        self.poly([tip, (bx - dy * width / 2, by + dx * width / 2),
                   (bx + dy * width / 2, by - dx * width / 2)], DIM)

    def dim(self, a, b, color=DIM):
        """A dimension line from a to b with arrowheads at both ends."""
        self.line(a, b, 0.7, color)
        self.arrow(a, (a[0] - b[0], a[1] - b[1]))
        self.arrow(b, (b[0] - a[0], b[1] - a[1]))

    def ext(self, a, b):
        self.line(a, b, 0.5, HIDDEN)

    def text(self, ch, cx, cy, height=LETTER_H, color=TEXT):
        """One letter centred on (cx, cy)."""
        k = height / 6.0
        x0, y0 = cx - 2 * k, cy - 3 * k
        for stroke in GLYPHS[ch]:
            self.polyline([(x0 + x * k, y0 + y * k) for x, y in stroke], 1.15, color)

    def rows(self, factor):
        return self.cv.rows(factor)


def circle(c, r, n=72):
    return [(c[0] + r * math.cos(2 * math.pi * k / n), c[1] + r * math.sin(2 * math.pi * k / n))
            for k in range(n)]


def e_outline(x0, yb, s, A, B, D, H, h):
    """Front view of an E half with its legs up: the polygon in 1x pixels."""
    w = (A - B) / 2
    X = lambda x: x0 + x * s  # noqa: E731
    Y = lambda y: yb - y * s  # noqa: E731
    pts = [(0, 0), (A, 0), (A, H), (A - w, H), (A - w, H - h), (A / 2 + D / 2, H - h),
           (A / 2 + D / 2, H), (A / 2 - D / 2, H), (A / 2 - D / 2, H - h), (w, H - h), (w, H), (0, H)]
    return [(X(x), Y(y)) for x, y in pts], X, Y


def front_dims(d, X, Y, A, B, D, H, h, top, show_d=True):
    """B and D above the legs (top: y of the highest outline), h in the left
    window, H at the right."""
    w = (A - B) / 2
    # D above the centre leg, label above its line
    if show_d:
        yD = top - 5
        d.ext((X(A / 2 - D / 2), Y(H) - 1), (X(A / 2 - D / 2), yD - 2))
        d.ext((X(A / 2 + D / 2), Y(H) - 1), (X(A / 2 + D / 2), yD - 2))
        d.dim((X(A / 2 - D / 2), yD), (X(A / 2 + D / 2), yD))
        d.text("D", X(A / 2), yD - 6.5)
    # B between the inner faces of the outer legs, label under its line
    yB = top - 17
    d.ext((X(w), Y(H) - 1), (X(w), yB - 2))
    d.ext((X(A - w), Y(H) - 1), (X(A - w), yB - 2))
    d.dim((X(w), yB), (X(A - w), yB))
    d.text("B", (X(w) + X(A / 2 - D / 2)) / 2, yB + 6.5)
    # h: the window height, inside the left window
    xh = X(w) + 3.2
    d.dim((xh, Y(H - h)), (xh, Y(H)))
    d.text("h", xh + 4.6, (Y(H - h) + Y(H)) / 2 + 0.5)
    # H at the right
    xH = X(A) + 6
    d.ext((X(A) + 1, Y(0)), (xH + 2, Y(0)))
    d.ext((X(A) + 1, Y(H)), (xH + 2, Y(H)))
    d.dim((xH, Y(0)), (xH, Y(H)))
    d.text("H", xH + 5.5, (Y(0) + Y(H)) / 2)


def bottom_dim(d, xa, xb, yfrom, y, letter):
    d.ext((xa, yfrom + 1), (xa, y + 2))
    d.ext((xb, yfrom + 1), (xb, y + 2))
    d.dim((xa, y), (xb, y))
    d.text(letter, (xa + xb) / 2, y + 6.5)


def drawing_e(scale):
    d = Drawing(scale)
    A, B, D, C, H, h = 25, 17.5, 7.5, 7.5, 12.8, 8.7
    s, x0, yb = 3.2, 8, 86
    pts, X, Y = e_outline(x0, yb, s, A, B, D, H, h)
    d.outline(pts)
    front_dims(d, X, Y, A, B, D, H, h, Y(H))
    bottom_dim(d, X(0), X(A), yb, yb + 8, "A")
    # side view: C across the depth, the window floor hidden
    xs = X(A) + 24
    side = [(xs, Y(0)), (xs + C * s, Y(0)), (xs + C * s, Y(H)), (xs, Y(H))]
    d.outline(side)
    d.dashed((xs + 0.6, Y(H - h)), (xs + C * s - 0.6, Y(H - h)), 0.6, HIDDEN)
    bottom_dim(d, xs, xs + C * s, yb, yb + 8, "C")
    return d


def drawing_ei(scale):
    d = Drawing(scale)
    A, B, D, C, H, h, I = 25, 17.5, 7.5, 7.5, 10.5, 7.2, 3.0
    s, x0, yb = 2.9, 12, 91
    pts, X, Y = e_outline(x0, yb, s, A, B, D, H, h)
    d.outline(pts)
    # the I piece, lifted off the legs
    gap = 22
    yi1 = Y(H) - gap
    yi0 = yi1 - I * s
    d.outline([(X(0), yi1), (X(A), yi1), (X(A), yi0), (X(0), yi0)], FILL_CUT)
    front_dims(d, X, Y, A, B, D, H, h, Y(H))
    # I at the right of the piece, arrows from outside (the piece is thin)
    xI = X(A) + 6
    d.ext((X(A) + 1, yi0), (xI + 2, yi0))
    d.ext((X(A) + 1, yi1), (xI + 2, yi1))
    d.line((xI, yi0 - 6), (xI, yi1 + 6), 0.7, DIM)
    d.arrow((xI, yi0), (0, 1))
    d.arrow((xI, yi1), (0, -1))
    d.text("I", xI + 5, (yi0 + yi1) / 2)
    bottom_dim(d, X(0), X(A), yb, yb + 8, "A")
    xs = X(A) + 24
    d.outline([(xs, Y(0)), (xs + C * s, Y(0)), (xs + C * s, Y(H)), (xs, Y(H))])
    d.dashed((xs + 0.6, Y(H - h)), (xs + C * s - 0.6, Y(H - h)), 0.6, HIDDEN)
    d.outline([(xs, yi1), (xs + C * s, yi1), (xs + C * s, yi0), (xs, yi0)], FILL_CUT)
    bottom_dim(d, xs, xs + C * s, yb, yb + 8, "C")
    return d


def drawing_er(scale):
    d = Drawing(scale)
    A, B, D, C, H, h = 28.5, 21.8, 9.9, 11.4, 14.0, 9.7
    s, x0, yb = 2.3, 36, 57
    pts, X, Y = e_outline(x0, yb, s, A, B, D, H, h)
    d.outline(pts)
    # the round centre leg: its axis
    d.dashed((X(A / 2), Y(H) + 1.5), (X(A / 2), Y(0) - 1.5), 0.5, HIDDEN, dash=3.5, gap=1.2)
    front_dims(d, X, Y, A, B, D, H, h, Y(H))
    # plan view of the leg tips below: C across, the round leg as a circle
    w = (A - B) / 2
    p0 = yb + 8
    p1 = p0 + C * s
    d.outline([(X(0), p0), (X(A), p0), (X(A), p1), (X(0), p1)], FILL_CUT)
    d.poly([(X(w), p0 + 0.55), (X(A - w), p0 + 0.55), (X(A - w), p1 - 0.55), (X(w), p1 - 0.55)], FILL)
    d.line((X(w), p0), (X(w), p1), 1.1, INK)
    d.line((X(A - w), p0), (X(A - w), p1), 1.1, INK)
    cx, cy = X(A / 2), (p0 + p1) / 2
    d.poly(circle((cx, cy), D / 2 * s), FILL_CUT)
    d.polyline(circle((cx, cy), D / 2 * s) + [circle((cx, cy), D / 2 * s)[0]], 1.1, INK)
    d.dashed((cx - D / 2 * s - 2.5, cy), (cx + D / 2 * s + 2.5, cy), 0.5, HIDDEN, dash=3.5, gap=1.2)
    d.dashed((cx, p0 - 2), (cx, p1 + 2), 0.5, HIDDEN, dash=3.5, gap=1.2)
    # C at the right of the plan view
    xC = X(A) + 6
    d.ext((X(A) + 1, p0), (xC + 2, p0))
    d.ext((X(A) + 1, p1), (xC + 2, p1))
    d.dim((xC, p0), (xC, p1))
    d.text("C", xC + 5.5, (p0 + p1) / 2)
    bottom_dim(d, X(0), X(A), p1, p1 + 8, "A")
    return d


def drawing_ring(scale):
    d = Drawing(scale)
    A, B, C = 25.3, 14.8, 10.0
    s = 2.0
    cx, cy = 36, 50
    ro, ri = A / 2 * s, B / 2 * s
    d.polys([circle((cx, cy), ro, 120), circle((cx, cy), ri, 120)], FILL)
    for r in (ro, ri):
        c = circle((cx, cy), r, 120)
        d.polyline(c + [c[0]], 1.1, INK)
    # B across the hole
    d.dim((cx - ri, cy), (cx + ri, cy))
    d.text("B", cx, cy - 6)
    # A under the plan view
    bottom_dim(d, cx - ro, cx + ro, cy, cy + ro + 8, "A")
    # side view with the hole hidden, C at the right
    xs, ys = 78, cy - C * s / 2
    d.outline([(xs, ys), (xs + A * s, ys), (xs + A * s, ys + C * s), (xs, ys + C * s)])
    for x in (xs + (A - B) / 2 * s, xs + (A + B) / 2 * s):
        d.dashed((x, ys + 0.6), (x, ys + C * s - 0.6), 0.6, HIDDEN, dash=1.8, gap=1.2)
    xC = xs + A * s + 6
    d.ext((xs + A * s + 1, ys), (xC + 2, ys))
    d.ext((xs + A * s + 1, ys + C * s), (xC + 2, ys + C * s))
    d.dim((xC, ys), (xC, ys + C * s))
    d.text("C", xC + 5.5, cy)
    return d


# ---------------------------------------------------------------------------


def save_photo(out, name, scene):
    mesh, yaw, pitch = scene
    cv = render(mesh, W1 * SS, H1 * SS, yaw, pitch, 0.07)
    write_png(os.path.join(out, name + ".png"), W1, H1, cv.rows(SS))
    write_png(os.path.join(out, name + "@2x.png"), 2 * W1, 2 * H1, cv.rows(SS // 2))


def save_drawing(out, name, make):
    d = make(SS)
    write_png(os.path.join(out, name + ".png"), W1, H1, d.rows(SS))
    write_png(os.path.join(out, name + "@2x.png"), 2 * W1, 2 * H1, d.rows(SS // 2))


ICON_SIZES = (16, 24, 48, 64, 128)  # besides 32 and 256: the desktop theme's sizes


def save_icon(out):
    mesh, yaw, pitch = icon_mesh()
    cv = render(mesh, 768, 768, yaw, pitch, 0.04, background=(0, 0, 0))
    write_png(os.path.join(out, "velmora.png"), 256, 256, cv.rows(3, alpha=True), alpha=True)
    write_png(os.path.join(out, "velmora-32.png"), 32, 32, cv.rows(24, alpha=True), alpha=True)
    for size in ICON_SIZES:
        write_png(os.path.join(out, "velmora-%d.png" % size), size, size, cv.rows(768 // size, alpha=True),
                  alpha=True)
    write_icon_svg(os.path.join(out, "velmora.svg"), mesh, yaw, pitch)


SVG_PIECE = 16.0  # longest edge of a painted piece, in pixels: small pieces sort right by depth


def subdivide(pts, longest):
    """A quad cut into a grid of pieces whose edges are at most about longest
    long; small quads stay whole."""
    edge = max(math.dist(pts[i][:2], pts[(i + 1) % len(pts)][:2]) for i in range(len(pts)))
    if edge <= 2 * longest or len(pts) != 4:
        return [pts]
    n = math.ceil(edge / longest)

    def lerp(p, q, t):
        return tuple(a + (b - a) * t for a, b in zip(p, q))

    pieces = []
    if len(pts) == 4:
        a, b, c, d = pts

        def at(u, v):
            return lerp(lerp(a, b, u), lerp(d, c, u), v)
        for i in range(n):
            for j in range(n):
                u0, u1, v0, v1 = i / n, (i + 1) / n, j / n, (j + 1) / n
                pieces.append([at(u0, v0), at(u1, v0), at(u1, v1), at(u0, v1)])
        return pieces
    return [pts]  # a lone triangle stays whole: the meshes here are made of quads


def without_contact_faces(mesh):
    """The mesh less the faces where two parts touch (the mating faces of the
    core halves): two quads with the same corners, facing each other."""
    def key(n):
        (a, b, c, _, _), (_, _, d, _, _) = mesh.tris[n], mesh.tris[n + 1]
        return frozenset((a, b, c, d))
    count = {}
    for n in range(0, len(mesh.tris) - 1, 2):
        count[key(n)] = count.get(key(n), 0) + 1
    out = Mesh()
    for n in range(0, len(mesh.tris) - 1, 2):
        if count[key(n)] == 1:
            out.tris += mesh.tris[n:n + 2]
    return out


def write_icon_svg(path, mesh, yaw, pitch, size=256):
    """The icon as vector graphics: the shaded faces of the mesh, each quad
    one polygon (large ones cut into pieces), painted from the back to the
    front. Every polygon gets a thin outline of its own colour so that no
    seam shows between them."""
    captured = project(without_contact_faces(mesh), size, size, yaw, pitch, 0.04)
    shaded = []
    # Quads come as consecutive triangles (a, b, c), (a, c, d) of one colour.
    k = 0
    while k < len(captured):
        (a, b, c), col = captured[k]
        pts = [a, b, c]
        if k + 1 < len(captured):
            (a2, c2, d), col2 = captured[k + 1]
            if a2 == a and c2 == c and col2 == col:
                pts = [a, b, c, d]
                k += 1
        k += 1
        for piece in subdivide(pts, SVG_PIECE):
            shaded.append((sum(p[2] for p in piece) / len(piece), piece, col))
    shaded.sort(key=lambda t: t[0])
    lines = ['<?xml version="1.0" encoding="UTF-8"?>',
             '<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">'
             % (size, size, size, size),
             '<g stroke-width="0.6" stroke-linejoin="round">']
    for _, pts, col in shaded:
        hexcol = "#%02x%02x%02x" % col
        coords = " ".join("%.1f,%.1f" % (p[0], p[1]) for p in pts)
        lines.append('<polygon points="%s" fill="%s" stroke="%s"/>' % (coords, hexcol, hexcol))
    lines += ["</g>", "</svg>", ""]
    with open(path, "w", encoding="ascii", newline="\n") as f:
        f.write("\n".join(lines))


PICTURES = [
    ("core130", "photo", photo_e),
    ("core131", "drawing", drawing_e),
    ("core132", "photo", photo_ei),
    ("core133", "drawing", drawing_ei),
    ("core134", "photo", photo_er),
    ("core135", "drawing", drawing_er),
    ("core136", "photo", photo_ring),
    ("core137", "drawing", drawing_ring),
    ("core138", "photo", photo_pot),
    ("core139", "photo", photo_u),
]


def write_qrc(out):
    names = []
    for name, _, _ in PICTURES:
        names += [name + ".png", name + "@2x.png"]
    names += ["velmora.png", "velmora-32.png"]
    lines = ["<!DOCTYPE RCC>", '<RCC version="1.0">', '<qresource prefix="/">']
    lines += ['    <file alias="%s">%s</file>' % (n, n) for n in names]
    lines += ["</qresource>", "</RCC>", ""]
    with open(os.path.join(out, "velmora.qrc"), "w", encoding="ascii", newline="\n") as f:
        f.write("\n".join(lines))


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--out", default=os.path.join(HERE, "..", "..", "res"), help="output folder")
    ap.add_argument("--only", help="draw only this picture (e.g. core131, icon)")
    args = ap.parse_args()
    os.makedirs(args.out, exist_ok=True)
    for name, kind, make in PICTURES:
        if args.only and args.only != name:
            continue
        if kind == "photo":
            save_photo(args.out, name, make())
        else:
            save_drawing(args.out, name, make)
        print(name)
    if not args.only or args.only == "icon":
        save_icon(args.out)
        print("icon")
    if not args.only:
        write_qrc(args.out)


if __name__ == "__main__":
    main()
