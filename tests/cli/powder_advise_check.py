#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""powder_advise_check.py VELMORA_CLI [REFERENCE_DIR]: for random inputs,
every feasible powder design advise --json lists holds its required
inductance at the nominal current at the low end of the maker's +-8 % AL
tolerance, evaluated here from the reference's coefficients
(REFERENCE_DIR/powder/materials.tsv) and the core's Ae and le alone:
AL = mu0 mu_i Ae / le, L = 0.92 AL N^2 0.01 / (a + b H^c), H = N Inom / le.
Skips (exit 0) when the reference is absent."""
import json
import math
import os
import random
import subprocess
import sys
import tempfile
from pathlib import Path

from powder_bias_check import SHARE, SOURCE, reference

CASES = 4
SEED = 37
TOLERANCE = 0.08  # the maker's AL tolerance of its powder cores
MU0_NH_PER_MM = 0.4 * math.pi  # nH/mm


def cores():
    found = {}
    for record in (SHARE / "BaseCores.txt").read_bytes().decode("cp1251").split("\r\n["):
        name, _, body = record.lstrip("[").partition("]")
        keys = dict(line.split(" = ", 1) for line in body.split("\r\n") if " = " in line)
        if "Ae" in keys and "le" in keys:
            found.setdefault(name, (float(keys["Ae"]), float(keys["le"])))
    return found


def advise(cli, sets):
    args = [cli, "--dir", str(SHARE), "advise", "--json", "--top", "100000"]
    for k, v in sets.items():
        args += ["--set", f"{k}={v}"]
    with tempfile.TemporaryDirectory() as home:
        env = dict(os.environ, XDG_DATA_HOME=home, HOME=home, LC_ALL="C")
        p = subprocess.run(args, cwd=home, env=env, capture_output=True, check=False)
    return json.loads(p.stdout.decode("utf-8"))["listed"]


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    cli = str(Path(sys.argv[1]).resolve())
    ref = reference(sys.argv[2] if len(sys.argv) == 3 else SOURCE.parent / "shared" / "reference")
    if ref is None:
        print("SKIPPED: the powder reference (shared/reference/powder) is absent")
        return
    rng, geometry = random.Random(SEED), cores()
    failures = checked = 0
    for _ in range(CASES):
        Inom = 10 ** rng.uniform(0, 1.3)
        sets = {"use": "0", "us_Imin": "0", "L": f"{10 ** rng.uniform(1, 2.7):.3g}", "Inom": f"{Inom:.3g}",
                "Uimpulsa": "48", "Udc": f"{rng.uniform(3, 40):.3g}", "Fc": f"{rng.uniform(25, 300):.3g}"}
        for item in advise(cli, sets):
            m = ref.get(item["material"])
            if m is None or not item["feasible"]:
                continue
            r = item["results"]
            Ae, le = geometry[item["core"]]
            N, AL = r["turns"], MU0_NH_PER_MM * float(m["mu_i"]) * Ae / le / 1000.0  # uH/turn2
            H = N * float(sets["Inom"]) / (le / 1000.0)
            ratio = 0.01 / (float(m["bias_a"]) + float(m["bias_b"]) * H ** float(m["bias_c"]))
            got, want = (1 - TOLERANCE) * AL * N * N * ratio, r["minimumInductance_uH"]
            checked += 1
            if got < want * (1 - 1e-9):
                failures += 1
                print(f"{item['core']} / {item['material']}, {N} turns: {got:.4f} uH at {sets['Inom']} A, needs {want}")
    print(f"{checked} powder designs checked, {failures} short of their inductance at full load")
    sys.exit(1 if failures or checked < CASES else 0)


if __name__ == "__main__":
    main()
