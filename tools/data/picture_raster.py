# SPDX-License-Identifier: GPL-3.0-or-later
"""The raster side of make_pictures.py: a PNG writer on zlib, a supersampled
canvas with a polygon filler and a z-buffered triangle rasteriser, and the
meshes, camera and flat Lambert shading of the shaded core pictures. Python 3
standard library only; the output is the same bytes on every run.
"""
import math
import struct
import zlib

# PNG
# ---------------------------------------------------------------------------


def write_png(path, width, height, rows, alpha=False):
    """rows: list of bytearrays, 3 (RGB) or 4 (RGBA) bytes per pixel."""
    raw = b"".join(b"\x00" + bytes(r) for r in rows)
    ctype = 6 if alpha else 2

    def chunk(tag, data):
        return (struct.pack(">I", len(data)) + tag + data +
                struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF))

    png = (b"\x89PNG\r\n\x1a\n" +
           chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, ctype, 0, 0, 0)) +
           chunk(b"IDAT", zlib.compress(raw, 9)) +
           chunk(b"IEND", b""))
    with open(path, "wb") as f:
        f.write(png)


# ---------------------------------------------------------------------------
# Canvas: supersampled RGB + coverage, with a z-buffer for the 3D pictures
# ---------------------------------------------------------------------------


class Canvas:
    def __init__(self, width, height, background=(255, 255, 255)):
        self.w, self.h = width, height
        n = width * height
        self.r = [background[0]] * n
        self.g = [background[1]] * n
        self.b = [background[2]] * n
        self.a = [0] * n          # 1 where something was drawn (icon alpha)
        self.z = [-1e30] * n

    # -- 3D ------------------------------------------------------------------
    def triangle(self, p0, p1, p2, color):
        """Fills a triangle of screen points (x, y, z), keeping the nearest
        (largest z) colour in every pixel."""
        pts = sorted((p0, p1, p2), key=lambda p: p[1])
        (x0, y0, z0), (x1, y1, z1), (x2, y2, z2) = pts
        if y2 - y0 < 1e-9:
            return
        cr, cg, cb = color
        w = self.w
        jstart = max(0, math.ceil(y0 - 0.5))
        jend = min(self.h - 1, math.floor(y2 - 0.5))
        for j in range(jstart, jend + 1):
            yc = j + 0.5
            t = (yc - y0) / (y2 - y0)
            xa, za = x0 + (x2 - x0) * t, z0 + (z2 - z0) * t
            if yc < y1:
                if y1 - y0 < 1e-12:
                    continue
                u = (yc - y0) / (y1 - y0)
                xb, zb = x0 + (x1 - x0) * u, z0 + (z1 - z0) * u
            else:
                if y2 - y1 < 1e-12:
                    continue
                u = (yc - y1) / (y2 - y1)
                xb, zb = x1 + (x2 - x1) * u, z1 + (z2 - z1) * u
            if xa > xb:
                xa, xb, za, zb = xb, xa, zb, za
            istart = max(0, math.ceil(xa - 0.5))
            iend = min(w - 1, math.floor(xb - 0.5))
            if iend < istart:
                continue
            dz = (zb - za) / (xb - xa) if xb - xa > 1e-12 else 0.0
            base = j * w
            zr, rr, gr, br, ar = self.z, self.r, self.g, self.b, self.a
            for i in range(istart, iend + 1):
                z = za + (i + 0.5 - xa) * dz
                k = base + i
                if z > zr[k]:
                    zr[k] = z
                    rr[k] = cr
                    gr[k] = cg
                    br[k] = cb
                    ar[k] = 1

    # -- 2D ------------------------------------------------------------------
    def polygon(self, contours, color):
        """Even-odd fill of one or more closed contours of (x, y) points."""
        edges = []
        for c in contours:
            for k in range(len(c)):
                (xa, ya), (xb, yb) = c[k], c[(k + 1) % len(c)]
                if ya != yb:
                    edges.append((xa, ya, xb, yb))
        if not edges:
            return
        ymin = min(min(e[1], e[3]) for e in edges)
        ymax = max(max(e[1], e[3]) for e in edges)
        cr, cg, cb = color
        w = self.w
        for j in range(max(0, math.ceil(ymin - 0.5)), min(self.h - 1, math.floor(ymax - 0.5)) + 1):
            yc = j + 0.5
            xs = []
            for xa, ya, xb, yb in edges:
                if (ya <= yc < yb) or (yb <= yc < ya):
                    xs.append(xa + (xb - xa) * (yc - ya) / (yb - ya))
            xs.sort()
            base = j * w
            for k in range(0, len(xs) - 1, 2):
                for i in range(max(0, math.ceil(xs[k] - 0.5)), min(w - 1, math.floor(xs[k + 1] - 0.5)) + 1):
                    self.r[base + i] = cr
                    self.g[base + i] = cg
                    self.b[base + i] = cb
                    self.a[base + i] = 1

    def rows(self, factor, alpha=False):
        """Box-filtered rows at 1/factor of the canvas size."""
        out = []
        ow, oh = self.w // factor, self.h // factor
        n = factor * factor
        for oy in range(oh):
            row = bytearray()
            for ox in range(ow):
                sr = sg = sb = sa = 0
                for dy in range(factor):
                    base = (oy * factor + dy) * self.w + ox * factor
                    for dx in range(factor):
                        k = base + dx
                        if alpha:
                            if self.a[k]:
                                sr += self.r[k]
                                sg += self.g[k]
                                sb += self.b[k]
                                sa += 1
                        else:
                            sr += self.r[k]
                            sg += self.g[k]
                            sb += self.b[k]
                if alpha:
                    if sa:
                        row += bytes((round(sr / sa), round(sg / sa), round(sb / sa), round(255 * sa / n)))
                    else:
                        row += b"\x00\x00\x00\x00"
                else:
                    row += bytes((round(sr / n), round(sg / n), round(sb / n)))
            out.append(row)
        return out


# ---------------------------------------------------------------------------
# 3D scenes: meshes of triangles with normals, an orthographic camera, flat
# Lambert shading
# ---------------------------------------------------------------------------

FERRITE = (0.36, 0.37, 0.40)
FACE = (0.50, 0.51, 0.54)     # ground mating faces shine a little more
COPPER = (0.80, 0.45, 0.20)
COPPER_DARK = (0.68, 0.36, 0.15)


class Mesh:
    def __init__(self):
        self.tris = []  # (v0, v1, v2, normal, material colour)

    def quad(self, a, b, c, d, normal, color):
        self.tris.append((a, b, c, normal, color))
        self.tris.append((a, c, d, normal, color))

    def box(self, x0, x1, y0, y1, z0, z1, color=FERRITE, top=None):
        q = self.quad
        q((x0, y0, z1), (x1, y0, z1), (x1, y1, z1), (x0, y1, z1), (0, 0, 1), color)
        q((x1, y0, z0), (x0, y0, z0), (x0, y1, z0), (x1, y1, z0), (0, 0, -1), color)
        q((x1, y0, z1), (x1, y0, z0), (x1, y1, z0), (x1, y1, z1), (1, 0, 0), color)
        q((x0, y0, z0), (x0, y0, z1), (x0, y1, z1), (x0, y1, z0), (-1, 0, 0), color)
        q((x0, y1, z1), (x1, y1, z1), (x1, y1, z0), (x0, y1, z0), (0, 1, 0), top or color)
        q((x0, y0, z0), (x1, y0, z0), (x1, y0, z1), (x0, y0, z1), (0, -1, 0), color)

    def tube(self, cx, cz, r_in, r_out, y0, y1, a0=0.0, a1=360.0, n=64, color=FERRITE, top=None):
        """A cylinder (r_in 0), a ring or a ring segment around the y axis
        through (cx, cz), from angle a0 to a1 in degrees."""
        full = abs(a1 - a0) >= 360.0
        steps = max(2, int(n * abs(a1 - a0) / 360.0))
        angs = [math.radians(a0 + (a1 - a0) * k / steps) for k in range(steps + 1)]
        q = self.quad
        for k in range(steps):
            t0, t1 = angs[k], angs[k + 1]
            tm = (t0 + t1) / 2
            c0, s0, c1, s1 = math.cos(t0), math.sin(t0), math.cos(t1), math.sin(t1)
            o0 = (cx + r_out * c0, cz + r_out * s0)
            o1 = (cx + r_out * c1, cz + r_out * s1)
            i0 = (cx + r_in * c0, cz + r_in * s0)
            i1 = (cx + r_in * c1, cz + r_in * s1)
            q((o0[0], y0, o0[1]), (o1[0], y0, o1[1]), (o1[0], y1, o1[1]), (o0[0], y1, o0[1]),
              (math.cos(tm), 0, math.sin(tm)), color)
            if r_in > 0:
                q((i1[0], y0, i1[1]), (i0[0], y0, i0[1]), (i0[0], y1, i0[1]), (i1[0], y1, i1[1]),
                  (-math.cos(tm), 0, -math.sin(tm)), color)
            q((i0[0], y1, i0[1]), (o0[0], y1, o0[1]), (o1[0], y1, o1[1]), (i1[0], y1, i1[1]),
              (0, 1, 0), top or color)
            q((i1[0], y0, i1[1]), (o1[0], y0, o1[1]), (o0[0], y0, o0[1]), (i0[0], y0, i0[1]),
              (0, -1, 0), color)
        if not full:
            for t, sgn in ((angs[0], -1), (angs[-1], 1)):
                c, s = math.cos(t), math.sin(t)
                nrm = (-s * sgn, 0, c * sgn)
                pi = (cx + r_in * c, cz + r_in * s)
                po = (cx + r_out * c, cz + r_out * s)
                q((pi[0], y0, pi[1]), (po[0], y0, po[1]), (po[0], y1, po[1]), (pi[0], y1, pi[1]), nrm, color)


def render(mesh, width, height, yaw, pitch, margin, background=(255, 255, 255)):
    """The mesh seen from yaw (degrees around y) and pitch (degrees down),
    scaled to fit the canvas with a margin (fraction of the size)."""
    cv = Canvas(width, height, background)
    for pts, col in project(mesh, width, height, yaw, pitch, margin):
        cv.triangle(*pts, col)
    return cv


def project(mesh, width, height, yaw, pitch, margin):
    """The shaded triangles facing the viewer, in screen points (x, y, z),
    each with its colour, in the order of the mesh."""
    cy, sy = math.cos(math.radians(yaw)), math.sin(math.radians(yaw))
    cp, sp = math.cos(math.radians(pitch)), math.sin(math.radians(pitch))

    def rot(v):
        x, y, z = v
        x, z = x * cy + z * sy, -x * sy + z * cy       # around y
        y, z = y * cp - z * sp, y * sp + z * cp        # tilt: look down
        return x, y, z

    light = (-0.45, 0.75, 0.55)
    ln = math.sqrt(sum(c * c for c in light))
    light = tuple(c / ln for c in light)
    half = (light[0], light[1], light[2] + 1.0)
    hn = math.sqrt(sum(c * c for c in half))
    half = tuple(c / hn for c in half)

    tris = []
    for a, b, c, nrm, color in mesh.tris:
        ra, rb, rc, rn = rot(a), rot(b), rot(c), rot(nrm)
        if rn[2] <= 1e-6:
            continue  # faces turned away from the viewer
        diff = max(0.0, sum(p * q for p, q in zip(rn, light)))
        gloss = max(0.0, sum(p * q for p, q in zip(rn, half))) ** 24
        shade = 0.38 + 0.62 * diff
        col = tuple(min(255, round(255 * (ch * shade * 1.25 + 0.28 * gloss))) for ch in color)
        tris.append((ra, rb, rc, col))

    xs = [p[0] for t in tris for p in t[:3]]
    ys = [p[1] for t in tris for p in t[:3]]
    sx = width * (1 - 2 * margin) / (max(xs) - min(xs))
    sy_ = height * (1 - 2 * margin) / (max(ys) - min(ys))
    s = min(sx, sy_)
    ox = width / 2 - s * (max(xs) + min(xs)) / 2
    oy = height / 2 + s * (max(ys) + min(ys)) / 2

    return [([(ox + s * p[0], oy - s * p[1], p[2]) for p in (a, b, c)], col) for a, b, c, col in tris]
