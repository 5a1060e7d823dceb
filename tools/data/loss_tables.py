# SPDX-License-Identifier: GPL-3.0-or-later
"""Loss tables over temperature for the material files, and their checks.

A material file holds its sine-wave loss table at 100 C in the sections the
program has always read (F_<f> / B_<B>). The tables at the other temperatures
follow its last line, one section per temperature:

    [Loss at 60 C]
    L100/50 = 13.25

one key per cell, L<f>/<B>, f and B as the texts of the 100 C grid. No name,
key or value of these sections contains a text the whole-text lookups of the
file search for ("Flux density", "Frequencies", "F_", "B_", F or B followed by
a digit, "mu", "Bmax"), so every value of the old sections reads as before.

Sources, per material (REFERENCE_DIR/materials/):
- TDK N87, N97, N95, N49: the loss map at 25 ... 120 C of <name>_raw.tsv.
- N27 and the Ferroxcube materials: their Steinmetz coefficients with the
  temperature terms, Pv = k f^a B^b (ct2 T^2 - ct1 T + ct0), as the 100 C
  table scaled by the ratio of the temperature polynomial of the frequency's
  range at T to that at 100 C (the 100 C table was built from the same fit).
- 3C90: refitted (k, alpha, beta through Ferroxcube's typical values, its
  ct0..ct2 kept), the 100 C table included; see REFIT_3C90.
Python 3 standard library only.
"""
import math
import os
import re
import statistics

# Temperatures of the shipped tables, C. 100 C is the file's own table; the
# others bracket the range a choke runs in (ambient to hot spot).
TABLE_TEMPERATURES = (25, 40, 60, 80, 100, 120)
BASE_TEMPERATURE = 100
# Map temperatures held back from the shipped tables to check the linear
# interpolation in temperature between them.
HOLD_OUT_TEMPERATURES = (30, 50, 70, 110)

# Ferroxcube's typical 3C90 values at 100 C (f kHz, B mT, Pv mW/cm3), the
# points of the reference README; the published Steinmetz set gives +42 %,
# +70 % and +26 % against them.
REFIT_3C90 = ((25, 200, 80.0), (100, 100, 80.0), (100, 200, 450.0))

# Makers' typical values the reference README quotes, at 100 C:
# (material, f kHz, B mT, Pv mW/cm3).
MAKER_POINTS = (
    ("N87", 25, 200, 57.0), ("N87", 100, 200, 375.0),
    ("N97", 100, 200, 300.0), ("N49", 500, 50, 80.0),
    ("3C90", 25, 200, 80.0), ("3C90", 100, 100, 80.0), ("3C90", 100, 200, 450.0),
    ("3C94", 25, 200, 50.0), ("3C94", 100, 100, 50.0), ("3C94", 100, 200, 350.0),
    ("3F3", 100, 100, 80.0), ("3F3", 400, 50, 150.0),
)

# Texts the program's whole-text lookups search a material file for.
FORBIDDEN = re.compile(rb"Flux density|Frequencies|F_|B_|[FB][0-9]|mu|Bmax")

SIGNIFICANT = 4  # digits of a computed loss value, as the reference tables


def sig(value):
    """A positive number to SIGNIFICANT digits, without exponent or trailing zeros."""
    decimals = max(0, SIGNIFICANT - 1 - int(math.floor(math.log10(value))))
    s = "%.*f" % (decimals, value)
    return s.rstrip("0").rstrip(".") if "." in s else s


def section_name(t):
    return "Loss at %d C" % t


def cell_key(f, b):
    return "L%s/%s" % (f, b)


def read_raw(ref, name):
    path = os.path.join(ref, "materials", name + "_raw.tsv")
    with open(path, encoding="utf-8") as fh:
        lines = [ln.split("\t") for ln in fh.read().splitlines()[1:] if ln.strip()]
    return lines


def steinmetz_ranges(raw):
    """[(fmin Hz, fmax Hz, k, alpha, beta, ct0, ct1, ct2)] of the coefficient lines."""
    ranges = []
    for row in raw:
        if len(row) > 1 and row[1].startswith("coefficients:"):
            v = dict(item.split("=") for item in row[1].split(":", 1)[1].split())
            ranges.append(tuple(float(v[k]) for k in
                                ("fmin_Hz", "fmax_Hz", "k", "alpha", "beta", "ct0", "ct1", "ct2")))
    return ranges


def range_of(ranges, f_khz):
    """The range a frequency falls in: the last that starts at or below it,
    so at a boundary the higher range."""
    f = f_khz * 1000.0
    starting = [r for r in ranges if r[0] <= f]
    return starting[-1] if starting else ranges[0]


def poly(r, t):
    return r[7] * t * t - r[6] * t + r[5]


def refit_3c90(ranges):
    """k, alpha, beta through the three typical values; ct0..ct2 kept."""
    (f1, b1, p1), (f2, b2, p2), (f3, b3, p3) = REFIT_3C90
    beta = math.log(p3 / p2) / math.log(b3 / b2)
    alpha = math.log(p3 / (p1 * (b3 / b1) ** beta)) / math.log(f3 / f1)
    r = ranges[0]
    k = p3 * 1000.0 / ((f3 * 1000.0) ** alpha * (b3 / 1000.0) ** beta * poly(r, BASE_TEMPERATURE))
    return (r[0], r[1], k, alpha, beta, r[5], r[6], r[7])


def steinmetz_pv(r, f_khz, b_mt, t):
    """mW/cm3 (= kW/m3) of the fit."""
    return r[2] * (f_khz * 1000.0) ** r[3] * (b_mt / 1000.0) ** r[4] * poly(r, t) / 1000.0


def temperature_tables(ref, name, flux, freqs, loss):
    """({T: {(f, B): text}} for every shipped temperature, the 100 C one
    included, and the note of how they were made). loss is the 100 C table
    of the reference as texts; for 3C90 it is replaced by the refit."""
    raw = read_raw(ref, name)
    maps = [row for row in raw if len(row) >= 6 and row[1] == "map value"]
    tables = {}
    if maps:
        for t in TABLE_TEMPERATURES:
            if t == BASE_TEMPERATURE:
                tables[t] = dict(loss)
                continue
            cells = {(sig_text(row[3]), sig_text(row[4])): row[5] for row in maps if int(row[2]) == t}
            tables[t] = {(f, b): sig(float(cells[(f, b)])) for f in freqs for b in flux}
        return tables, "TDK loss map"
    ranges = steinmetz_ranges(raw)
    if name == "3C90":
        fit = refit_3c90(ranges)
        for t in TABLE_TEMPERATURES:
            tables[t] = {(f, b): sig(steinmetz_pv(fit, float(f), float(b), t)) for f in freqs for b in flux}
        return tables, "Steinmetz refit k=%.5g alpha=%.4f beta=%.4f" % fit[2:5]
    for t in TABLE_TEMPERATURES:
        tables[t] = {}
        for f in freqs:
            r = range_of(ranges, float(f))
            ratio = poly(r, t) / poly(r, BASE_TEMPERATURE)
            for b in flux:
                tables[t][(f, b)] = loss[(f, b)] if t == BASE_TEMPERATURE else sig(float(loss[(f, b)]) * ratio)
    return tables, "Steinmetz temperature terms"


def sig_text(text):
    v = float(text)
    return ("%.6f" % v).rstrip("0").rstrip(".")


def extra_lines(tables, flux, freqs):
    """The sections after the file's last line: every temperature but 100 C."""
    lines = []
    for t in TABLE_TEMPERATURES:
        if t == BASE_TEMPERATURE:
            continue
        lines += ["[%s]" % section_name(t)]
        lines += ["%s = %s" % (cell_key(f, b), tables[t][(f, b)]) for f in freqs for b in flux]
        lines += [""]
    return lines


def read_tables(text):
    """The program's reading of the added sections: {T: {key: value}}."""
    tables = {}
    current = None
    for line in text.split(b"\r\n"):
        m = re.fullmatch(rb"\[Loss at (-?[0-9.]+) C\]", line.strip())
        if m:
            current = tables.setdefault(float(m.group(1)), {})
            continue
        if line.startswith(b"["):
            current = None
        elif current is not None and b"=" in line:
            k, v = line.split(b"=", 1)
            current[k.strip().decode()] = v.strip().decode()
    return tables


def check_file(name, text, start, tables, flux, freqs):
    """The added part is free of the lookups' texts and reads back whole."""
    added = text[start:]
    hit = FORBIDDEN.search(added)
    if hit:
        raise SystemExit("material %s: the temperature tables hold %r" % (name, hit.group(0)))
    got = read_tables(text)
    for t in TABLE_TEMPERATURES:
        if t == BASE_TEMPERATURE:
            continue
        for f in freqs:
            for b in flux:
                if got[float(t)].get(cell_key(f, b)) != tables[t][(f, b)]:
                    raise SystemExit("material %s: %s %s reads back wrong" % (name, section_name(t), cell_key(f, b)))


def report(ref, results):
    """Prints the hold-out check and the maker points; results maps a
    material's short name to (flux, freqs, {T: table})."""
    all_errors = []
    for name, (flux, freqs, _) in sorted(results.items()):
        if not os.path.exists(os.path.join(ref, "materials", name + "_raw.tsv")):
            continue
        errors = hold_out_errors(ref, name, flux, freqs)
        if errors:
            all_errors += errors
            print("hold-out %s: median %.1f %%, max %.1f %% (%d cells)"
                  % (name, 100 * statistics.median(errors), 100 * max(errors), len(errors)))
    if all_errors:
        print("hold-out all TDK maps: median %.1f %%" % (100 * statistics.median(all_errors)))
    for name, f, b, typical in MAKER_POINTS:
        flux, freqs, tables = results[name]
        value = interpolate(tables[BASE_TEMPERATURE], flux, freqs, f, b)
        print("maker point %s %g kHz %g mT: %.4g against %g (%+.0f %%)"
              % (name, f, b, value, typical, 100 * (value / typical - 1)))


def hold_out_errors(ref, name, flux, freqs):
    """Relative errors of the linear interpolation in temperature between the
    shipped tables at the held-out map temperatures, every cell (the 100 C
    cells carry another kind in the raw file)."""
    raw = read_raw(ref, name)
    if not any(len(r) >= 6 and r[1] == "map value" for r in raw):
        return []
    cells = {}
    for row in raw:
        if len(row) >= 6 and "AI-mag" in row[0]:
            cells[(int(row[2]), sig_text(row[3]), sig_text(row[4]))] = float(row[5])
    errors = []
    for t in HOLD_OUT_TEMPERATURES:
        lo = max(x for x in TABLE_TEMPERATURES if x < t)
        hi = min(x for x in TABLE_TEMPERATURES if x > t)
        for f in freqs:
            for b in flux:
                p_lo, p_hi, measured = cells[(lo, f, b)], cells[(hi, f, b)], cells[(t, f, b)]
                p = p_lo + (p_hi - p_lo) * (t - lo) / (hi - lo)
                errors.append(abs(p / measured - 1))
    return errors


def interpolate(table, flux, freqs, f, b):
    """The label's log-log interpolation at a grid point or between points."""
    fv = [float(x) for x in freqs]
    bv = [float(x) for x in flux]
    r = max(0, min(len(fv) - 2, sum(1 for x in fv if x <= f) - 1))
    c = max(0, min(len(bv) - 2, sum(1 for x in bv if x <= b) - 1))

    def at_f(col):
        p0 = float(table[(freqs[r], flux[col])])
        p1 = float(table[(freqs[r + 1], flux[col])])
        a = math.log(p1 / p0) / math.log(fv[r + 1] / fv[r])
        return p0 * (f / fv[r]) ** a

    px0, px1 = at_f(c), at_f(c + 1)
    beta = math.log(px1 / px0) / math.log(bv[c + 1] / bv[c])
    return px0 * (b / bv[c]) ** beta
