# SPDX-License-Identifier: GPL-3.0-or-later
"""Powder materials and powder toroids for the shipped data (make_share.py).

REFERENCE_DIR/powder/ holds materials.tsv (maker's roll-off, loss and
temperature fits) and cores.tsv (catalogue cores with their MAS shapes and
nominal dimensions). From them:

- one material file per Magnetics material: mu = the initial permeability,
  Bmax = the saturation flux density given, a loss table from the maker's
  formula Pv = a B^b f^c on LOSS_FREQUENCIES x LOSS_FLUX, Bmmax = the largest
  flux column, and after the file's last line a section "[Powder]" read line
  by line (older programs never look there): the roll-off fit, the AL
  tolerance, the temperature coefficients of mu_i and the table cells
  outside the fit's range;
- every toroid shape as a ring "R A/B/C" with Ae, le by IEC 60205 from its
  dimensions, marked "sold = powder"; the E shapes the database already
  holds are marked "sold = ferrite powder".
Python 3 standard library only.
"""
import csv
import json
import math
import os
import re

import keyed
import loss_tables

SECTION = "Powder"
# The grid of the loss table written from the maker's formula (kHz, mT):
# the range a powder choke of a switched-mode supply works in.
LOSS_FREQUENCIES = (25, 50, 100, 200, 300, 500)
LOSS_FLUX = (25, 50, 100, 200, 300)
# The maker's loss charts that the fits follow end at about 10 W/cm3 and at
# half the saturation flux density; a cell beyond either is flagged as the
# formula carried past its data (the generator's reading of the charts).
CHART_LOSS_LIMIT = 10000.0  # mW/cm3
CHART_FLUX_SHARE = 0.5
# Powder cores are sold with AL within +-8 % (Magnetics catalogue).
AL_TOLERANCE = 0.08
# The families shipped: the iron-powder mixes have no catalogue cores.
FAMILIES = ("Kool Mµ", "Kool Mµ MAX", "XFlux", "High Flux", "Edge", "MPP")
# A ring's usable share of its hole, as for the ferrite rings.
RING_HOLE_SHARE = 0.7


def read_tsv(path):
    with open(path, encoding="utf-8", newline="") as f:
        return list(csv.DictReader(f, delimiter="\t"))


def num(value):
    """A number as the file shows it: 10 significant digits, no trailing zeros."""
    s = "%.10g" % float(value)
    return s


def loss_mw_cm3(m, f_khz, b_mt):
    """Pv = a B^b f^c (W/m3, B in T, f in Hz), in mW/cm3."""
    a, b, c = (float(m[k]) for k in ("loss_a", "loss_b", "loss_c"))
    return a * (b_mt / 1000.0) ** b * (f_khz * 1000.0) ** c / 1000.0


def outside_fit(m, f_khz, b_mt):
    return loss_mw_cm3(m, f_khz, b_mt) > CHART_LOSS_LIMIT or \
        b_mt / 1000.0 > CHART_FLUX_SHARE * float(m["Bsat_T"])


def powder_section(m, outside):
    """The lines of "[Powder]". No key or value holds a text the program's
    whole-text lookups search a material file for (FORBIDDEN)."""
    lines = ["[%s]" % SECTION,
             "biasMethod = " + m["bias_method"],
             "biasA = " + num(m["bias_a"]), "biasB = " + num(m["bias_b"]), "biasC = " + num(m["bias_c"]),
             "alTolerance = " + num(AL_TOLERANCE),
             "saturationField = " + num(m["Bsat_H_A_per_m"]),
             "saturationTemperature = " + num(m["Bsat_temperature_C"]),
             "lossFit = " + "%s %s %s" % (num(m["loss_a"]), num(m["loss_b"]), num(m["loss_c"])),
             "temperatureTables = none"]
    coeffs = json.loads(m["temp_coefficients"]) if m["temp_coefficients"].strip() else {}
    if coeffs:
        lines.append("permeabilityTemperature = " + " ".join(num(coeffs.get(k, 0)) for k in "abcde"))
    else:
        lines.append("permeabilityTemperature = none")
    lines.append("outsideFit = " + " ".join("%d/%d" % fb for fb in outside))
    return lines + [""]


def material_file(m):
    flux = [str(b) for b in LOSS_FLUX]
    freqs = [str(f) for f in LOSS_FREQUENCIES]
    lines = ["[Flux density]"] + ["B%d = %s" % (i + 1, b) for i, b in enumerate(flux)]
    lines += ["", "[Frequencies]"] + ["F%d = %s" % (i + 1, f) for i, f in enumerate(freqs)]
    loss, outside = {}, []
    for f in LOSS_FREQUENCIES:
        lines += ["", "[F_%d]" % f]
        for b in LOSS_FLUX:
            loss[(f, b)] = loss_tables.sig(loss_mw_cm3(m, f, b))
            lines.append("B_%d = %s" % (b, loss[(f, b)]))
            if outside_fit(m, f, b):
                outside.append((f, b))
    mu = "%d" % round(float(m["mu_i"]))
    lines += ["", "[Limits]", "Bmax = " + num(m["Bsat_T"]), "Bmmax = " + num(LOSS_FLUX[-1] / 1000.0),
              "mu = " + mu, ""]
    start = len(keyed.crlf_lines(lines))
    lines += powder_section(m, outside)
    text = keyed.crlf_lines(lines)
    hit = loss_tables.FORBIDDEN.search(text[start:])
    if hit:
        raise SystemExit("%s: the powder section holds %r" % (m["name"], hit.group()))
    sec = keyed.get_section_value
    for f in LOSS_FREQUENCIES:
        for b in LOSS_FLUX:
            if sec(text, b"F_%d" % f, b"B_%d" % b).decode() != loss[(f, b)]:
                raise SystemExit("%s: F_%d B_%d reads back wrong" % (m["name"], f, b))
    assert keyed.get_value(text, b"mu").decode() == mu
    assert keyed.get_value(text, b"Bmax").decode() == num(m["Bsat_T"])
    assert float(keyed.get_value(text, b"Bmmax")) == LOSS_FLUX[-1] / 1000.0
    return text


def materials(ref):
    """({file name: bytes}, [list names]) of the shipped powder materials."""
    rows = [m for m in read_tsv(os.path.join(ref, "powder", "materials.tsv")) if m["family"] in FAMILIES]
    files, names = {}, []
    for m in rows:
        if m["bias_method"] != "magnetics" or m["loss_method"] != "magnetics":
            raise SystemExit("%s: a fit the program does not know" % m["name"])
        files[m["name"] + ".txt"] = material_file(m)
        names.append(m["name"])
    return files, names


def check_list_order(names):
    """The list selects a name by a prefix search from the top, case ignored:
    a name that begins another stands before it."""
    for i, a in enumerate(names):
        for b in names[:i]:
            if a.lower() != b.lower() and b.lower().startswith(a.lower()):
                raise SystemExit("material %s stands after %s, which begins with it" % (a, b))


# ---------------------------------------------------------------------------
# Cores
# ---------------------------------------------------------------------------

def ring_constants(a, b, c):
    """IEC 60205 for a ring of rectangular section: outer diameter a, inner
    b, height c (mm) -> (Ae mm2, le mm)."""
    r1, r2 = b / 2.0, a / 2.0
    ln = math.log(r2 / r1)
    c1 = 2 * math.pi / (c * ln)
    c2 = 2 * math.pi * (1 / r1 - 1 / r2) / (c * c * ln ** 3)
    return c1 / c2, c1 * c1 / c2


def fmt(value, decimals):
    s = "%.*f" % (decimals, value)
    return s.rstrip("0").rstrip(".") if "." in s else s


def ring_records(ref, ring_geometry):
    """The distinct toroid shapes as core records (dicts as make_share's)."""
    shapes = {}
    for row in read_tsv(os.path.join(ref, "powder", "cores.tsv")):
        if row["family"] != "t":
            continue
        d = json.loads(row["dims_mm"])
        entry = shapes.setdefault(row["shape"], {"dims": d, "mu": []})
        entry["mu"].append(int(re.search(r"(\d+)$", row["material"]).group(1)))
    records = []
    for shape, e in shapes.items():
        d = e["dims"]
        ae, le = ring_constants(d["A"], d["B"], d["C"])
        mlt, surface = ring_geometry({"A": d["A"], "B": d["B"], "C": d["C"]})
        # The record's own permeability, which a ferrite chosen with the ring
        # meets: the permeability the catalogue sells the shape in most.
        mu = max(sorted(set(e["mu"])), key=e["mu"].count)
        records.append({
            "name": "R " + shape.split(" ", 1)[1],
            "Ae": fmt(ae, 2), "An": fmt(math.pi * d["B"] ** 2 / 4 * RING_HOLE_SHARE, 2),
            "le": fmt(le, 2), "mu": "%d" % mu,
            "MLT": fmt(mlt, 1), "Asurf": fmt(surface, 0), "bw": fmt(math.pi * d["B"], 2),
            "mas": shape.lower(), "shape": 4, "sold": "powder"})
    return records


def add_cores(ref, records, ring_geometry):
    """Marks the E shapes the database holds, adds the rings, and orders the
    records so that none follows one whose name contains its own."""
    held = {r["name"]: r for r in records}
    marked = set()
    for row in read_tsv(os.path.join(ref, "powder", "cores.tsv")):
        if row["family"] == "e" and row["shape"] in held:
            held[row["shape"]]["sold"] = "ferrite powder"
            marked.add(row["shape"])
    rings = [r for r in ring_records(ref, ring_geometry) if r["name"] not in held]
    last_ring = max(i for i, r in enumerate(records) if r["shape"] == 4)
    out = records[:last_ring + 1] + sorted(rings, key=lambda r: float(r["name"].split()[1].split("/")[0])) + \
        records[last_ring + 1:]
    # Move any record whose name lies inside an earlier one's before it.
    moved = True
    while moved:
        moved = False
        for i, r in enumerate(out):
            j = next((k for k in range(i) if r["name"] in out[k]["name"]), None)
            if j is not None:
                out.insert(j, out.pop(i))
                moved = True
                break
    return out, sorted(marked), len(rings)
