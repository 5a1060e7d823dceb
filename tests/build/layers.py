#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Every #include "..." under src/ keeps to the layer table of CONTRIBUTING.md.

A folder may include itself, the folders its row lists and, in turn, all
that those may include. A folder whose row says "no" under Qt includes no
Qt header. Every folder under src/ that holds a source file has a row.
    tests/build/layers.py SOURCE_DIR
"""
import re
import sys
from pathlib import Path

# Includes the table does not allow, present today and to go away: each is
# removed by the change named beside it. One that no longer occurs fails the
# test too, so that its line is deleted and the table holds from then on.
KNOWN_EXCEPTIONS: set = set()

FOLDER = re.compile(r"`([a-z_/]+)/`")
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')
QT_INCLUDE = re.compile(r"^\s*#\s*include\s*<Q")


def read_table(contributing):
    """{folder: (listed folders, Qt allowed)} from the table under '## Layers'."""
    table, inside = {}, False
    for line in contributing.read_text(encoding="utf-8").splitlines():
        if line.startswith("## "):
            inside = line.strip() == "## Layers"
            continue
        cells = [c.strip() for c in line.strip().strip("|").split("|")]
        if not inside or not line.startswith("|") or len(cells) != 3:
            continue
        layers = FOLDER.findall(cells[0])
        for layer in layers:
            table[layer] = (set(FOLDER.findall(cells[1])), not cells[2].startswith("no"))
    return table


def allowed(table, layer, seen=None):
    seen = set() if seen is None else seen
    if layer in seen:
        return seen
    seen.add(layer)
    for below in table.get(layer, (set(), False))[0]:
        allowed(table, below, seen)
    return seen


def check_table(table, folders):
    faults = []
    for folder in sorted(folders - table.keys()):
        faults.append(f"src/{folder}/ has no row in the layer table of CONTRIBUTING.md")
    for layer, (below, _) in sorted(table.items()):
        for name in sorted(below - table.keys()):
            faults.append(f"CONTRIBUTING.md: the row of {layer}/ names {name}/, which has no row")
    for layer in sorted(table):
        for other in sorted(allowed(table, layer) - {layer}):
            if layer in allowed(table, other):
                faults.append(f"CONTRIBUTING.md: {layer}/ and {other}/ may include each other")
    return faults


def check_file(path, rel, table, used):
    faults = []
    layer = str(rel.parent)
    may = allowed(table, layer)
    qt = table[layer][1]
    lines = path.read_text(encoding="utf-8", errors="replace").splitlines()
    for number, line in enumerate(lines, 1):
        if not qt and QT_INCLUDE.match(line):
            faults.append(f"src/{rel}:{number}: {layer}/ is Qt-free, yet includes {line.strip()}")
        match = INCLUDE.match(line)
        if not match or "/" not in match.group(1):
            continue
        target = str(Path(match.group(1)).parent)
        if target not in table or target in may:
            continue
        if (str(rel), match.group(1)) in KNOWN_EXCEPTIONS:
            used.add((str(rel), match.group(1)))
            continue
        faults.append(f"src/{rel}:{number}: {layer}/ may not include {match.group(1)} ({target}/)")
    return faults


def main():
    source = Path(sys.argv[1] if len(sys.argv) > 1 else ".")
    table = read_table(source / "CONTRIBUTING.md")
    files = [p for p in sorted((source / "src").rglob("*")) if p.is_file() and p.suffix in (".h", ".cpp", ".in")]
    files = [p for p in files if p.parent != source / "src"]
    folders = {str(p.relative_to(source / "src").parent) for p in files}
    faults = check_table(table, folders)
    used = set()
    if not faults:
        for path in files:
            faults += check_file(path, path.relative_to(source / "src"), table, used)
        for rel, target in sorted(KNOWN_EXCEPTIONS - used):
            faults.append(f"src/{rel} no longer includes {target}: delete its known exception in {Path(__file__).name}")
    for fault in faults:
        print("FAIL:", fault)
    print(f"{len(files)} files of {len(folders)} folders checked, {len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
