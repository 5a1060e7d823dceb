#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""powder_advise_check.py VELMORA_CLI [REFERENCE_DIR]: every feasible powder
design advise --json lists for random inputs holds its required inductance at
the nominal current at the low end of the maker's +-8 % AL tolerance, by the
reference's coefficients (REFERENCE_DIR/powder/materials.tsv) and the core's
Ae and le alone: L = 0.92 (mu0 mu_i Ae / le) N^2 0.01 / (a + b H^c),
H = N Inom / le. Skips (exit 0) when the reference is absent."""
import json
import math
import os
import random
import subprocess
import sys
import tempfile
from pathlib import Path

from powder_bias_check import SHARE, SOURCE, reference

CASES, SEED, LOW_END = 4, 37, 0.92


def geometry():
    found = {}
    for record in (SHARE / "BaseCores.txt").read_bytes().decode("cp1251").split("\r\n["):
        name, _, body = record.lstrip("[").partition("]")
        keys = dict(line.split(" = ", 1) for line in body.split("\r\n") if " = " in line)
        if "Ae" in keys and "le" in keys:
            found.setdefault(name, (float(keys["Ae"]), float(keys["le"])))
    return found


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    ref = reference(sys.argv[2] if len(sys.argv) == 3 else SOURCE.parent / "shared" / "reference")
    if ref is None:
        print("SKIPPED: the powder reference (shared/reference/powder) is absent")
        return
    rng, cores, failures, checked = random.Random(SEED), geometry(), 0, 0
    for _ in range(CASES):
        Inom = float(f"{10 ** rng.uniform(0, 1.3):.3g}")
        sets = {"use": "0", "us_Imin": "0", "L": f"{10 ** rng.uniform(1, 2.7):.3g}", "Inom": str(Inom),
                "Uimpulsa": "48", "Udc": f"{rng.uniform(3, 40):.3g}", "Fc": f"{rng.uniform(25, 300):.3g}"}
        args = [str(Path(sys.argv[1]).resolve()), "--dir", str(SHARE), "advise", "--json", "--top", "100000"]
        args += [a for k, v in sets.items() for a in ("--set", f"{k}={v}")]
        with tempfile.TemporaryDirectory() as home:  # no settings of the user's
            env = dict(os.environ, XDG_DATA_HOME=home, HOME=home, LC_ALL="C")
            out = subprocess.run(args, cwd=home, env=env, capture_output=True, check=True).stdout
        for item in json.loads(out)["listed"]:
            m, r = ref.get(item["material"]), item["results"]
            if m is None or not item["feasible"]:
                continue
            Ae, le = cores[item["core"]]
            N, AL = r["turns"], 0.4 * math.pi * float(m["mu_i"]) * Ae / le / 1000.0  # uH/turn2
            H = N * Inom / (le / 1000.0)
            L = LOW_END * AL * N * N * 0.01 / (float(m["bias_a"]) + float(m["bias_b"]) * H ** float(m["bias_c"]))
            checked += 1
            if L < r["minimumInductance_uH"] * (1 - 1e-9):
                failures += 1
                print(f"{item['core']} / {item['material']}, {N} turns: {L:.4f} uH at {Inom} A, needs {r['minimumInductance_uH']}")
    print(f"{checked} powder designs checked, {failures} short of their inductance at full load")
    sys.exit(1 if failures or checked < CASES else 0)


if __name__ == "__main__":
    main()
