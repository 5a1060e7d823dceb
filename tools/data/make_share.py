#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the data files that ship beside the program (share/).

    python3 tools/data/make_share.py REFERENCE_DIR [--out share]

REFERENCE_DIR holds the sourced datasheet tables: cores.tsv, materials.tsv,
materials/<name>.tsv and wire_metric.tsv (UTF-8 TSV, "." decimals). The
language files and help texts are written from lang_texts.py and readme/ beside
this script. Every file is written as Windows-1251 bytes with CR LF line ends,
and every value is read back through a Python copy of the program's lookups
(keyed.py) before anything is written, so a file that the program would read
wrongly is never produced. Python 3 standard library only.
"""
import argparse
import csv
import math
import re
import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import keyed  # noqa: E402
import lang_texts  # noqa: E402
import loss_tables  # noqa: E402
import powder  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
LICENCE_NOTE = "Data-Licences.txt"

# ---------------------------------------------------------------------------
# Core database
# ---------------------------------------------------------------------------

# Usable share of a core window for the winding, the same convention as adding
# a core by its dimensions: a coil former and creepage distances take about
# 20 % of an E-family window and 30 % of a ring's hole.
WINDOW_SHARE = 0.8
RING_HOLE_SHARE = 0.7

# Order of the families in the file: the shapes of the shape buttons first.
FAMILY_ORDER = ["E", "EFD", "EP", "EI", "ER", "ETD", "toroid R", "PQ", "RM", "P/pot", "U"]


def read_tsv(path):
    with open(path, encoding="utf-8", newline="") as f:
        rows = [line for line in f.read().splitlines() if line and not line.startswith("#")]
    return list(csv.DictReader(rows, delimiter="\t"))


def shipped_core_name(row):
    """The name under which a core is listed by the program's listing rules.

    E-family flat cores (EFD, EP) begin with "E" but contain none of the
    shape patterns, so no shape would list them; they get the prefix "E "
    that adding them under shape E gives them."""
    name = row["name"].strip()
    if row["family"] in ("EFD", "EP"):
        return "E " + name
    return name


def intended_shape(name):
    """The shape button a shipped core belongs to (0 E .. 5 other)."""
    for prefix, shape in (("E ", 0), ("EI ", 1), ("ER ", 2), ("ETD ", 3), ("R ", 4)):
        if name.startswith(prefix):
            return shape
    return 5


def list_core_names(text, shape):
    """The program's core-list scan for one shape, on the database text."""
    names = []
    if shape in (0, 1, 2, 3):
        pattern = (b"E ", b"EI", b"ER", b"ETD")[shape]
        pos = 0
        while True:
            p = text.find(pattern, pos)
            if p < 0:
                break
            e = text.find(b"]", p)
            if e < 0:
                break
            names.append(text[p:e])
            pos = e
    elif shape == 4:
        pos = 0
        while True:
            p = text.find(b"R ", pos)
            if p < 0:
                break
            if p > 0 and text[p - 1:p] == b"[":
                e = text.find(b"]", p)
                if e < 0:
                    break
                names.append(text[p:e])
                pos = e
            else:
                pos = p + 1
    else:
        pos = 0
        while True:
            p = text.find(b"[", pos)
            if p < 0:
                break
            rest = text[p + 1:]
            if rest.startswith(b"E") or (rest.startswith(b"R") and rest[1:2] != b"M"):
                pos = p + 1
                continue
            e = text.find(b"]", p)
            if e < 0:
                break
            names.append(text[p + 1:e])
            pos = e
    return names


def fmt(value, decimals):
    """Fixed decimals, trailing zeros and a trailing point dropped."""
    s = "%.*f" % (decimals, value)
    if "." in s:
        s = s.rstrip("0").rstrip(".")
    return s


def clean_number(text):
    """A reference number text as the file shows it (no trailing zeros)."""
    return fmt(float(text), 6)


# Winding geometry of the wound core, for the optional record lines "MLT"
# (mean length of a turn, mm) and "Asurf" (outer surface, mm2). The winding is
# taken to fill the window across its width w, so the mean turn lies at half
# the build; the surface is that of the core's outline with the winding on it.
ROUND_POST = ("ER", "ETD", "EP", "PQ", "RM", "P/pot")
ENCLOSING = ("EP", "PQ", "RM")


def dims(row):
    return {k: float(row[k]) if row[k].strip() else None for k in "ABCDHhI"}


def ring_geometry(d):
    """Turns around the (A-B)/2 x C section; the winding fills the usable
    share of the hole, so its build is B/2 (1 - sqrt(1 - share)); the wound
    ring is a cylinder of diameter A + 2 b and height C + 2 b."""
    a = (d["A"] - d["B"]) / 2
    b = d["B"] / 2 * (1 - math.sqrt(1 - RING_HOLE_SHARE))
    mlt = 2 * (a + d["C"]) + math.pi * b
    do, ht = d["A"] + 2 * b, d["C"] + 2 * b
    return mlt, math.pi * do * do / 2 + math.pi * do * ht


def leg_thickness(row, d):
    """The rectangular centre leg's thickness: the core's depth C for E and
    EI cores, whose leg runs through the whole depth (Ae = D C within 3 %
    on the shipped ones); an EFD's flat leg is much thinner than the core
    (Ae = 0.5 ... 0.6 D C), so its thickness is Ae / D."""
    if row["family"] == "EFD":
        return float(row["Ae_mm2"]) / d["D"]
    return d["C"]


def winding_geometry(row):
    """(MLT mm, outer surface mm2) from the nominal dimensions.

    Round centre post (ER, ETD, EP, PQ, RM, P): MLT = pi (D + w), w = (B - D)/2.
    Rectangular centre leg D x t (E, EI, EFD): MLT = 2 (D + t) + pi w, t the
    leg's thickness (leg_thickness).
    U (wound on one leg of (A - B)/2 x C, half the window): w = B/2,
    MLT = 2 ((A - B)/2 + C) + pi w.
    Surface: pot cores P a cylinder of diameter A and height 2 H; EP, PQ, RM
    (which enclose their winding) the box A x 2H x C; E, EI, ER, ETD, EFD, U
    the box A x 2H x (C + 2 w), the winding standing out at both open faces
    (EI: height H + I)."""
    d = dims(row)
    fam = row["family"]
    if fam == "toroid R":
        return ring_geometry(d)
    if fam == "U":
        w = d["B"] / 2
        mlt = 2 * ((d["A"] - d["B"]) / 2 + d["C"]) + math.pi * w
    else:
        w = (d["B"] - d["D"]) / 2
        if fam in ROUND_POST:
            mlt = math.pi * (d["D"] + w)
        else:
            mlt = 2 * (d["D"] + leg_thickness(row, d)) + math.pi * w
    height = d["H"] + d["I"] if fam == "EI" else 2 * d["H"]
    if fam == "P/pot":
        return mlt, math.pi * d["A"] * d["A"] / 2 + math.pi * d["A"] * height
    depth = d["C"] if fam in ENCLOSING else d["C"] + 2 * w
    return mlt, 2 * (d["A"] * height + d["A"] * depth + height * depth)


def winding_breadth(row):
    """The breadth of the winding (mm), along which one layer runs: the
    window's height, 2 h for a set of two halves and h for EI (the I closes
    the window); a ring's layer runs round its hole, pi B."""
    d = dims(row)
    if row["family"] == "toroid R":
        return math.pi * d["B"]
    return d["h"] if row["family"] == "EI" else 2 * d["h"]


def mas_key(shape):
    """The record line "mas": the core's shape name in the MAS exchange format,
    in lower case. MAS shape names are upper case ("ETD 34/17/11", "RM 12/I"),
    and in upper case the value would hold a shape pattern ("E ", "EI", "ER",
    "ETD"), which the list scan of older programs takes for a core name
    wherever it stands; the program matches and exports it in upper case."""
    if shape != shape.upper():
        raise SystemExit("MAS shape name with lower-case letters: " + shape)
    return shape.lower()


def core_records(ref):
    rows = read_tsv(os.path.join(ref, "cores.tsv"))
    order = {fam: i for i, fam in enumerate(FAMILY_ORDER)}
    rows.sort(key=lambda r: order[r["family"]])  # stable: catalogue order inside a family
    records = []
    for r in rows:
        name = shipped_core_name(r)
        if r["an_kind"] == "coilformer":
            an = float(r["An_mm2"])  # winding area of the standard coil former
        elif r["shape"] == "R":
            an = float(r["An_core_window_mm2"]) * RING_HOLE_SHARE
        else:
            an = float(r["An_core_window_mm2"]) * WINDOW_SHARE
        records.append({
            "name": name,
            "Ae": clean_number(r["Ae_mm2"]),
            "An": fmt(an, 2),
            "le": clean_number(r["le_mm"]),
            "mu": "%d" % round(float(r["mu_e"])),
            "MLT": fmt(winding_geometry(r)[0], 1),
            "Asurf": fmt(winding_geometry(r)[1], 0),
            "bw": fmt(winding_breadth(r), 2),
            "mas": mas_key(r["mas_shape"].strip() or name),
            "shape": intended_shape(name),
        })
    return records


def core_database(records):
    lines = []
    for rec in records:
        lines += ["[%s]" % rec["name"], "Ae = " + rec["Ae"], "An = " + rec["An"],
                  "le = " + rec["le"], "mu = " + rec["mu"],
                  "MLT = " + rec["MLT"], "Asurf = " + rec["Asurf"], "bw = " + rec["bw"],
                  "mas = " + rec["mas"]] + (["sold = " + rec["sold"]] if "sold" in rec else []) + [""]
    text = keyed.crlf_lines(lines)
    # Every core is listed under its own shape, exactly once, and under no other.
    for shape in range(6):
        listed = [n.decode("cp1251") for n in list_core_names(text, shape)]
        wanted = [rec["name"] for rec in records if rec["shape"] == shape]
        if sorted(listed) != sorted(wanted):
            raise SystemExit("core list of shape %d differs: %s" % (shape, set(listed) ^ set(wanted)))
    # The first occurrence of every name is its own header, so even a plain
    # first-occurrence search reads the right record.
    for rec in records:
        name = rec["name"].encode("cp1251")
        if text.find(name) != text.find(b"[" + name + b"]") + 1:
            raise SystemExit("core name found inside an earlier text: " + rec["name"])
        for key in ("Ae", "An", "le", "mu", "MLT", "Asurf", "bw", "mas") + (("sold",) if "sold" in rec else ()):
            got = keyed.get_section_value(text, name, key.encode()).decode("cp1251")
            if got != rec[key]:
                raise SystemExit("core %s %s reads back %r" % (rec["name"], key, got))
    if "E 25/13/7" not in [rec["name"] for rec in records]:
        raise SystemExit("the default core E 25/13/7 is missing")
    return text


# ---------------------------------------------------------------------------
# Materials
# ---------------------------------------------------------------------------

MAX_FLUX = 9
MAX_FREQ = 19
MATERIAL_FILE_LIMIT = 10000  # the program reads a material file into 10,000 bytes


def loss_table(path):
    """(flux densities mT, frequencies kHz, {(f, B): loss}) as the TSV's texts."""
    with open(path, encoding="utf-8") as f:
        rows = [line.split("\t") for line in f.read().splitlines()
                if line and not line.startswith("#")]
    flux = [clean_number(b) for b in rows[0][1:]]
    freqs, loss = [], {}
    for row in rows[1:]:
        fr = clean_number(row[0])
        freqs.append(fr)
        for b, p in zip(flux, row[1:]):
            loss[(fr, b)] = clean_number(p)
    return flux, freqs, loss


def material_file(mat, flux, freqs, loss, tables):
    if len(flux) > MAX_FLUX or len(freqs) > MAX_FREQ:
        raise SystemExit("material %s: table too large" % mat["name"])
    if [float(x) for x in flux] != sorted(float(x) for x in flux) or \
       [float(x) for x in freqs] != sorted(float(x) for x in freqs):
        raise SystemExit("material %s: table not ascending" % mat["name"])
    lines = ["[Flux density]"]
    lines += ["B%d = %s" % (i + 1, b) for i, b in enumerate(flux)]
    lines += ["", "[Frequencies]"]
    lines += ["F%d = %s" % (i + 1, f) for i, f in enumerate(freqs)]
    for f in freqs:
        lines += ["", "[F_%s]" % f]
        lines += ["B_%s = %s" % (b, loss[(f, b)]) for b in flux]
    lines += ["", "[Limits]",
              "Bmax = " + clean_number(mat["Bmax_T"]),
              "Bmmax = " + clean_number(mat["Bmmax_T"]),
              "mu = " + "%d" % round(float(mat["mu_i"])),
              "Bsat25 = " + clean_number(mat["Bsat_25C_T"]),
              "Tcurie = " + clean_number(mat["curie_C"]),
              ""]
    start = len(keyed.crlf_lines(lines))
    lines += loss_tables.extra_lines(tables, flux, freqs)
    text = keyed.crlf_lines(lines)
    if len(text) >= MATERIAL_FILE_LIMIT:
        raise SystemExit("material %s: file too large" % mat["name"])
    # Read back as the program reads it.
    sec = keyed.get_section_value
    for i, b in enumerate(flux):
        assert sec(text, b"Flux density", b"B%d" % (i + 1)).decode() == b
    assert sec(text, b"Flux density", b"B%d" % (len(flux) + 1)) == b""
    for i, f in enumerate(freqs):
        assert sec(text, b"Frequencies", b"F%d" % (i + 1)).decode() == f
        for b in flux:
            got = sec(text, ("F_" + f).encode(), ("B_" + b).encode()).decode()
            if got != loss[(f, b)]:
                raise SystemExit("material %s: F_%s B_%s reads back %r" % (mat["name"], f, b, got))
    assert sec(text, b"Frequencies", b"F%d" % (len(freqs) + 1)) == b""
    for key, col in (("Bmax", "Bmax_T"), ("Bmmax", "Bmmax_T")):
        assert keyed.get_value(text, key.encode()).decode() == clean_number(mat[col])
    assert keyed.get_value(text, b"mu").decode() == "%d" % round(float(mat["mu_i"]))
    for key, col in (("Bsat25", "Bsat_25C_T"), ("Tcurie", "curie_C")):
        assert keyed.get_value(text, key.encode()).decode() == clean_number(mat[col])
    loss_tables.check_file(mat["name"], text, start, tables, flux, freqs)
    return text


def materials(ref):
    mats = read_tsv(os.path.join(ref, "materials.tsv"))
    # The default and fallback material first, then the reference's order
    # (TDK, then Ferroxcube, each roughly from general purpose to special).
    mats.sort(key=lambda m: m["suggested_list_name"] != "N87 Epcos")
    files = {}
    names = []
    checked = {}
    for mat in mats:
        list_name = mat["suggested_list_name"].strip()
        flux, freqs, loss = loss_table(os.path.join(ref, mat["loss_table"]))
        tables, _ = loss_tables.temperature_tables(ref, mat["name"], flux, freqs, loss)
        loss = tables[loss_tables.BASE_TEMPERATURE]  # the 3C90 refit replaces its table
        files[list_name + ".txt"] = material_file(mat, flux, freqs, loss, tables)
        names.append(list_name)
        checked[mat["name"]] = (flux, freqs, tables)
    loss_tables.report(ref, checked)
    powder_files, powder_names = powder.materials(ref)
    files.update(powder_files)
    names += powder_names
    powder.check_list_order(names)
    text = keyed.crlf_lines(["Mat%d = %s" % (i + 1, n) for i, n in enumerate(names)])
    for i, n in enumerate(names):
        assert keyed.get_value(text, b"Mat%d" % (i + 1)).decode("cp1251") == n
    assert keyed.get_value(text, b"Mat%d" % (len(names) + 1)) == b""
    files["Materials.txt"] = text
    return files


# ---------------------------------------------------------------------------
# Wire table
# ---------------------------------------------------------------------------

# R40 sizes above 0.5 mm that the reference lacks (its source lists only the
# R20 sizes there). 1.06 mm is the program's default wire size. Their overall
# diameters (grade 1) are interpolated linearly in the bare diameter between
# the neighbouring sizes of the reference, rounded up to the micrometre, since
# the value stands for a maximum.
ADDED_R40 = ["0.53", "0.6", "0.67", "0.75", "0.85", "0.95", "1.06", "1.18", "1.32",
             "1.5", "1.7", "1.9", "2.12", "2.36"]
MAX_WIRES = 101


def wire_table(ref):
    rows = read_tsv(os.path.join(ref, "wire_metric.tsv"))
    sizes = [(float(r["d_bare_mm"]), float(r["od_grade1_mm"])) for r in rows]
    known = sorted(sizes)
    for text in ADDED_R40:
        d = float(text)
        if any(abs(d - k[0]) < 1e-9 for k in known):
            continue
        lower = max(k for k in known if k[0] < d)
        upper = min(k for k in known if k[0] > d)
        od = lower[1] + (upper[1] - lower[1]) * (d - lower[0]) / (upper[0] - lower[0])
        sizes.append((d, -(-round(od * 1e6) // 1000) / 1000.0))
    sizes.sort()
    if len(sizes) > MAX_WIRES:
        raise SystemExit("too many wire sizes")
    lines = []
    for i, (d, od) in enumerate(sizes):
        lines += ["d%d = %s" % (i + 1, fmt(d, 3)), "diz%d = %s" % (i + 1, fmt(od, 3))]
    text = keyed.crlf_lines(lines)
    for i, (d, od) in enumerate(sizes):
        assert float(keyed.get_value(text, b"d%d" % (i + 1))) == float(fmt(d, 3))
        assert float(keyed.get_value(text, b"diz%d" % (i + 1))) == float(fmt(od, 3))
    assert keyed.get_value(text, b"d%d" % (len(sizes) + 1)) == b""
    assert any(fmt(d, 3) == "1.06" for d, _ in sizes)
    return text


# ---------------------------------------------------------------------------
# Language files and help texts
# ---------------------------------------------------------------------------

# Sections whose keys are words: the program reads them line by line inside
# the section, not by the substring lookup of the numbered sections.
WORD_KEYED = ("REPORT", "DESIGN DETAILS", "CONVERTER")


def word_keyed_value(text, section, key):
    """The value of a key that opens a line inside the section, as the program
    reads a word-keyed section."""
    inside = False
    for line in text.split(b"\r\n"):
        stripped = line.strip(b" \t")
        if stripped.startswith(b"["):
            if inside:
                break
            inside = stripped == b"[" + section + b"]"
            continue
        if inside and b"=" in stripped:
            k, v = stripped.split(b"=", 1)
            if k.strip(b" \t") == key:
                return v.strip(b" \t")
    return None


def check_word_keyed(lang, text, section, entries):
    # The numbered lookups run on past their own section: a word-keyed section
    # stands after them and holds no "s" followed by a digit.
    body = text[text.find(b"[" + section + b"]"):]
    if re.search(rb"s[0-9]", body.split(b"\r\n[", 1)[0]):
        raise SystemExit("%s: section %s holds an s followed by a digit" % (lang, section.decode()))
    for key, value in entries:
        got = word_keyed_value(text, section, key.encode())
        if got is None or got.decode("cp1251") != value.strip(" "):
            raise SystemExit("%s: %s %s reads back %r" % (lang, section.decode(), key, got))


def language_file(lang):
    sections = lang_texts.SECTIONS[lang]
    names = [name for name, _ in sections]
    numbered = [i for i, name in enumerate(names) if name not in WORD_KEYED]
    if numbered and any(names.index(w) < numbered[-1] for w in WORD_KEYED if w in names):
        raise SystemExit("%s: a word-keyed section stands before a numbered one" % lang)
    lines = []
    for section, entries in sections:
        lines.append("[%s]" % section)
        for key, value in entries:
            if "\t" in value or "\n" in value or "\r" in value:
                raise SystemExit("%s %s %s: write line breaks as \\n" % (lang, section, key))
            lines.append("%s = %s" % (key, value))
        lines.append("")
    numbered = keyed.crlf_lines(lines)
    lines += design_section(lang, lang_texts.DESIGN_SECTION, lang_texts.DESIGN)
    lines += design_section(lang, lang_texts.CONVERTER_SECTION, lang_texts.CONVERTER)
    text = keyed.crlf_lines(lines)
    # The word-keyed section changes no numbered slot, missing ones included.
    for section, _ in sections:
        for k in range(0, 31):
            key = b"s%d" % k
            sec = section.encode("cp1251")
            if keyed.get_section_value(text, sec, key) != keyed.get_section_value(numbered, sec, key):
                raise SystemExit("%s: the design section changes %s s%d" % (lang, section, k))
    # Every section name is found at its own header, every key in its own line.
    for section, entries in sections:
        sec = section.encode("cp1251")
        if text.find(sec) != text.find(b"[" + sec + b"]") + 1:
            raise SystemExit("%s: section %s found in an earlier text" % (lang, section))
        if section in WORD_KEYED:
            check_word_keyed(lang, text, sec, entries)
            continue
        for key, value in entries:
            got = keyed.get_section_value(text, sec, key.encode()).decode("cp1251")
            if got != value.strip(" "):
                raise SystemExit("%s: %s %s reads back %r" % (lang, section, key, got))
    for name, texts in ((lang_texts.DESIGN_SECTION, lang_texts.DESIGN),
                        (lang_texts.CONVERTER_SECTION, lang_texts.CONVERTER)):
        check_word_keyed(lang, text, name.encode(), texts[lang])
    return text


def design_section(lang, name, texts):
    """A word-keyed section after the numbered ones, read back line-anchored."""
    entries = texts[lang]
    keys = [k for k, _ in texts["English"]]
    if [k for k, _ in entries] != keys:
        raise SystemExit("%s: the keys of section %s differ from English" % (lang, name))
    lines = ["[%s]" % name]
    for key, value in entries:
        if re.search(r"s[0-9]", key + " " + value) or "\t" in value or "\n" in value:
            raise SystemExit("%s: %s %s holds s and a digit or a break" % (lang, name, key))
        value.encode("cp1251")
        lines.append("%s = %s" % (key, value))
    return lines + [""]


def help_text(lang):
    with open(os.path.join(HERE, "readme", "ReadMe-%s.txt" % lang), encoding="utf-8") as f:
        lines = f.read().split("\n")
    while lines and lines[-1] == "":
        lines.pop()
    text = keyed.crlf_lines(lines)
    if len(text) > 9999:  # the help window reads at most 9,999 bytes
        raise SystemExit("help text %s too long: %d bytes" % (lang, len(text)))
    return text


def licence_note():
    """The note on the data's sources and terms (Data-Licences.txt beside this
    script), shipped with the data so that it travels with every copy."""
    with open(os.path.join(HERE, LICENCE_NOTE), encoding="utf-8") as f:
        lines = f.read().split("\n")
    while lines and lines[-1] == "":
        lines.pop()
    return keyed.crlf_lines(lines)


# ---------------------------------------------------------------------------

def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("reference", help="folder with cores.tsv, materials.tsv, materials/, wire_metric.tsv")
    ap.add_argument("--out", default=os.path.join(HERE, "..", "..", "share"),
                    help="output folder (default: share/ of the source tree)")
    args = ap.parse_args()

    files = {}
    records, marked, rings = powder.add_cores(args.reference, core_records(args.reference), ring_geometry)
    print("powder: %d rings added, %d E cores marked (%s)" % (rings, len(marked), ", ".join(marked)))
    files["BaseCores.txt"] = core_database(records)
    files.update(materials(args.reference))
    files["Wire.txt"] = wire_table(args.reference)
    for lang in lang_texts.SECTIONS:
        files[lang + ".lng"] = language_file(lang)
        files["ReadMe-%s.txt" % lang] = help_text(lang)
    files[LICENCE_NOTE] = licence_note()
    # The note names every file it covers.
    note = files[LICENCE_NOTE].decode("cp1251")
    for name in files:
        if name not in note:
            raise SystemExit("%s does not name %s" % (LICENCE_NOTE, name))

    os.makedirs(args.out, exist_ok=True)
    for name, data in sorted(files.items()):
        with open(os.path.join(args.out, name), "wb") as f:
            f.write(data)
    counts = [sum(1 for r in records if r["shape"] == s) for s in range(6)]
    print("%d files; cores: %d (E %d, EI %d, ER %d, ETD %d, R %d, other %d)"
          % (len(files), len(records), *counts))


if __name__ == "__main__":
    main()
