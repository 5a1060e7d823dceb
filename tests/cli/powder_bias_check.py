#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""powder_bias_check.py VELMORA_CLI [REFERENCE_DIR]: for random powder rings,
materials, inductances and currents, calc --details --json's
inductanceAtNominalCurrent_uH within 1 % of the reference's coefficients
(REFERENCE_DIR/powder/materials.tsv) evaluated here on the program's own
zero-bias AL and turns: L = AL N^2 k(T) 0.01 / (a + b H^c), H = N Inom / le,
k(T) the temperature polynomial at the settled temperature. Skips (exit 0)
when the reference is absent."""
import csv
import json
import math
import os
import random
import subprocess
import sys
import tempfile
from pathlib import Path

SOURCE = Path(__file__).resolve().parents[2]
SHARE = SOURCE / "share"
DESIGNS = 40
SEED = 36
TOLERANCE = 0.01


def reference(ref):
    path = Path(ref) / "powder" / "materials.tsv"
    if not path.is_file():
        return None
    with path.open(encoding="utf-8", newline="") as f:
        return {r["name"]: r for r in csv.DictReader(f, delimiter="\t") if r["maker"] == "Magnetics"}


def powder_rings():
    records = (SHARE / "BaseCores.txt").read_bytes().decode("cp1251").split("\r\n[")
    return [r.lstrip("[").split("]", 1)[0] for r in records if "\r\nsold = powder\r\n" in r]


def expected(m, AL_nH, N, Inom, le_mm, T):
    H = N * Inom / (le_mm / 1000.0)
    ratio = 0.01 / (float(m["bias_a"]) + float(m["bias_b"]) * H ** float(m["bias_c"]))
    k = 1.0
    if m["temp_coefficients"].strip() and T is not None:
        c = json.loads(m["temp_coefficients"])
        k = 1 + c["a"] + c["b"] * T + c["c"] * T ** 2 + c["d"] * T ** 3 + c["e"] * T ** 4
    return AL_nH / 1000.0 * N * N * k * ratio


def run(cli, core, material, L, Inom, rng):
    sets = {"core": core, "mater": material, "yes_al": "0", "zazor": "0", "use": "0", "us_Imin": "0",
            "L": f"{L:.3g}", "Inom": f"{Inom:.3g}", "Uimpulsa": "48", "Udc": f"{rng.uniform(3, 40):.3g}",
            "Fc": f"{rng.uniform(25, 300):.3g}", "j": "5"}
    args = [cli, "--dir", str(SHARE), "calc"]
    for k, v in sets.items():
        args += ["--set", f"{k}={v}"]
    with tempfile.TemporaryDirectory() as home:
        env = dict(os.environ, XDG_DATA_HOME=home, HOME=home, LC_ALL="C")
        p = subprocess.run(args + ["--details", "--json"], cwd=home, env=env, capture_output=True, check=False)
    return json.loads(p.stdout.decode("utf-8"))


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    cli = str(Path(sys.argv[1]).resolve())
    ref = reference(sys.argv[2] if len(sys.argv) == 3 else SOURCE.parent / "shared" / "reference")
    if ref is None:
        print("SKIPPED: the powder reference (shared/reference/powder) is absent")
        return
    rng = random.Random(SEED)
    rings, names = powder_rings(), sorted(ref)
    failures = checked = 0
    for _ in range(DESIGNS):
        core, material = rng.choice(rings), rng.choice(names)
        out = run(cli, core, material, 10 ** rng.uniform(0.7, 3), 10 ** rng.uniform(-0.5, 1.3), rng)
        r, d = out["results"], out["details"]
        got = d.get("inductanceAtNominalCurrent_uH")
        if out["material"] != material or r.get("turns") is None or got is None:
            continue  # a design the run stopped (ripple above twice the current): nothing to compare
        want = expected(ref[material], r["inductanceFactor_nH_per_turn2"], r["turns"], out["inputs"]["nominalCurrent_A"],
                        out["inputs"]["corePathLength_mm"], d.get("biasTemperature_C"))
        checked += 1
        if not math.isclose(got, want, rel_tol=TOLERANCE):
            failures += 1
            print(f"{core} / {material}: {got:.4f} uH, the coefficients give {want:.4f} uH")
    print(f"{checked} designs compared, {failures} beyond 1 %")
    sys.exit(1 if failures or checked < DESIGNS // 2 else 0)


if __name__ == "__main__":
    main()
