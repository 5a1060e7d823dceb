#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""velmora-cli's JSON for 50 random designs on the shipped data, kept as
fixtures: calc --json --details, advise --json and loss --json (report
writes only PDF and HTML).

  json_fixtures.py write VELMORA_CLI   writes tests/cli/fixtures/*.jsonl
  json_fixtures.py check VELMORA_CLI   runs the same commands and compares

Each fixture line holds the arguments, the exit status and the parsed
output. The check compares parsed values: key order is free, numbers must be
the same doubles, true and false are no numbers."""
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
FIXTURES = Path(__file__).resolve().parent / "fixtures"
DESIGNS = 50
SEED = 24


def section_names(path):
    """The ferrite cores: a powder ring (its record sold in powder only) is
    left out, so that the powder data move no design of these fixtures."""
    records = path.read_bytes().decode("cp1251").split("\r\n[")
    return [r.lstrip("[").split("]", 1)[0] for r in records if "\r\nsold = powder\r\n" not in r]


def material_names():
    """The ferrites: a material file with a roll-off section is left out."""
    text = (SHARE / "Materials.txt").read_bytes().decode("cp1251")
    names = [line.split("=", 1)[1].strip() for line in text.splitlines() if "=" in line]
    return [n for n in names if b"\r\n[Powder]\r\n" not in (SHARE / (n + ".txt")).read_bytes()]


def num(rng, low, high, log=False):
    """A number between low and high as a user types it (3 digits)."""
    value = 10 ** rng.uniform(math.log10(low), math.log10(high)) if log else rng.uniform(low, high)
    return f"{float(f'{value:.3g}'):g}"


def design(rng, cores, materials):
    """--set arguments of one valid design; a few with an empty field or a
    current too high for the wire table."""
    uin = float(num(rng, 10, 400, log=True))
    s = {
        "core": rng.choice(cores),
        "mater": rng.choice(materials + ["Other material (no data)"]),
        "yes_al": str(rng.randint(0, 1)),
        "use": str(rng.randint(0, 1)),
        "L": num(rng, 5, 2000, log=True),
        "Uimpulsa": f"{uin:g}",
        "Udc": num(rng, 0.05 * uin, 0.9 * uin),
        "Inom": num(rng, 0.3, 30, log=True),
        "Imin": num(rng, 0, 0.5),
        "us_Imin": str(rng.randint(0, 1)),
        "Fc": num(rng, 15, 500, log=True),
        "j": num(rng, 2, 10),
        "use_D": str(rng.randint(0, 1)),
        "yes_AWG": str(rng.randint(0, 1)),
    }
    s["zazor"] = num(rng, 100, 4000, log=True) if s["yes_al"] == "1" else num(rng, 0.05, 2.5)
    s["dprov"] = str(rng.randint(12, 30)) if s["yes_AWG"] == "1" else num(rng, 0.2, 2.5)
    roll = rng.random()
    if roll < 0.1:
        s[rng.choice(["L", "Inom", "Fc", "zazor", "Udc", "j"])] = ""
    elif roll < 0.16:
        s.update(Inom="80", j="1", use_D="0")  # no wire of the table is thick enough
    args = []
    for key, value in s.items():
        args += ["--set", f"{key}={value}"]
    if rng.random() < 0.3:
        args += ["--ambient", num(rng, -20, 120)]
    if rng.random() < 0.2:
        args += ["--al-tolerance", num(rng, 1, 40)]
    return args


def converter(rng):
    topology = rng.choice(["buck", "boost", "buckboost"])
    vin = float(num(rng, 5, 60))
    vmax = float(f"{vin * rng.uniform(1, 2):.3g}")
    vout = {"buck": 0.6 * vin, "boost": 1.5 * vmax, "buckboost": vin}[topology]
    ripple = num(rng, 10, 60) + "%" if rng.random() < 0.7 else num(rng, 0.2, 3) + "A"
    return ["--converter", topology, "--vin", f"{vin:g}:{vmax:g}", "--vout", f"{vout:.3g}", "--iout",
            num(rng, 0.5, 10), "--ripple", ripple, "--fsw", num(rng, 50, 400)]


def advise_options(rng, materials):
    """Options that keep the sweep and the listing small."""
    args = [rng.choice([["--material", rng.choice(materials)], ["--shape", rng.choice(["E", "ETD", "R", "ER"])]])]
    args = args[0] + ["--top", str(rng.randint(1, 6))]
    if rng.random() < 0.5:
        args += ["--sort", rng.choice(["total-loss", "volume", "temperature", "turns"])]
    if rng.random() < 0.3:
        args += ["--max-rise", num(rng, 20, 80), "--gap-step", rng.choice(["0.01", "0.05"])]
    return args


def loss(rng, materials):
    args = ["loss", "--material", rng.choice(materials), "--frequency", num(rng, 10, 1000, log=True), "--flux",
            num(rng, 0.02, 0.4, log=True)]
    if rng.random() < 0.6:
        args += ["--temperature", num(rng, 20, 140)]
    if rng.random() < 0.4:
        args += ["--duty", num(rng, 0.1, 0.9)]
    return args + ["--json"]


def commands():
    """The three lists of argument vectors, the same on every run."""
    rng = random.Random(SEED)
    cores = section_names(SHARE / "BaseCores.txt")
    materials = material_names()
    calc, advise, losses = [], [], []
    for _ in range(DESIGNS):
        sets = design(rng, cores, materials)
        extra = converter(rng) if rng.random() < 0.2 else []
        calc.append(["calc"] + sets + extra + ["--details", "--json"])
        advise.append(["advise"] + sets + advise_options(rng, materials) + ["--json"])
        losses.append(loss(rng, materials))
    return {"calc": calc, "advise": advise, "loss": losses}


def run(cli, args):
    with tempfile.TemporaryDirectory() as home:
        env = dict(os.environ, XDG_DATA_HOME=home, HOME=home, LC_ALL="C")
        p = subprocess.run([cli, "--dir", str(SHARE)] + args, cwd=home, env=env, capture_output=True, check=False)
    try:
        output = json.loads(p.stdout.decode("utf-8"))
    except ValueError as e:
        output = {"notJson": str(e), "stdout": p.stdout.decode("utf-8", "replace")}
    return {"args": args, "exit": p.returncode, "json": output}


def difference(a, b, path="$"):
    """Where two parsed values differ, or None."""
    if isinstance(a, bool) or isinstance(b, bool) or a is None or b is None:
        return None if type(a) is type(b) and a == b else f"{path}: {a!r} != {b!r}"
    if isinstance(a, (int, float)) and isinstance(b, (int, float)):
        return None if float(a) == float(b) else f"{path}: {a!r} != {b!r}"
    if type(a) is not type(b):
        return f"{path}: {a!r} != {b!r}"
    if isinstance(a, dict):
        if a.keys() != b.keys():
            return f"{path}: keys {sorted(a.keys() ^ b.keys())} in one only"
        found = (difference(a[k], b[k], f"{path}.{k}") for k in a)
    elif isinstance(a, list):
        if len(a) != len(b):
            return f"{path}: {len(a)} != {len(b)} entries"
        found = (difference(x, y, f"{path}[{i}]") for i, (x, y) in enumerate(zip(a, b)))
    else:
        return None if a == b else f"{path}: {a!r} != {b!r}"
    return next((d for d in found if d), None)


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in ("write", "check"):
        sys.exit(__doc__)
    cli = str(Path(sys.argv[2]).resolve())
    failures = 0
    for name, runs in commands().items():
        path = FIXTURES / f"{name}.jsonl"
        if sys.argv[1] == "write":
            FIXTURES.mkdir(exist_ok=True)
            with path.open("w", encoding="utf-8", newline="\n") as f:
                for args in runs:
                    f.write(json.dumps(run(cli, args), ensure_ascii=False, separators=(",", ":")) + "\n")
            continue
        kept = [json.loads(line) for line in path.read_text(encoding="utf-8").splitlines()]
        if [k["args"] for k in kept] != runs:
            print(f"{path.name}: other commands than the designs give; write the fixtures again")
            failures += 1
            continue
        for k in kept:
            now = run(cli, k["args"])
            d = difference(k["exit"], now["exit"], "exit") or difference(k["json"], now["json"])
            if d:
                failures += 1
                print(f"{name} {' '.join(k['args'])}\n  {d}")
    print(f"{failures} difference(s)" if failures else "all outputs as kept")
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
