#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Every #include under src/ keeps to the layer table of CONTRIBUTING.md.

A folder may include itself, the folders its row lists and, in turn, all
that those may include; of the third-party libraries only those its own row
names (Qt headers by their class names, module folders and lower-case
names). Relative includes count for the folder they reach. Every folder
under src/ that holds a source file, and every folder an include reaches,
has a row.
    tests/build/layers.py SOURCE_DIR
"""
import os
import re
import sys
from pathlib import Path

# Includes the table does not allow, present today and to go away: each is
# removed by the change named beside it. One that no longer occurs fails the
# test too, so that its line is deleted and the table holds from then on.
KNOWN_EXCEPTIONS: set = set()

FOLDER = re.compile(r"`([a-z_/]+)/`")
INCLUDE = re.compile(r'^\s*#\s*include\s*(["<])([^">]+)[">]')
# The third-party libraries a row may name, each with the headers it is known by.
LIBRARIES = {
    "CLI11": re.compile(r"^CLI/"),
    "nlohmann-json": re.compile(r"^nlohmann/"),
    "GoogleTest": re.compile(r"^(gtest|gmock)/"),
    "Qt": re.compile(r"^(Qt[A-Za-z]*/|Q[A-Z]\w*$|q(?!uadmath)[a-z0-9_]*\.h$)"),
}
# The standard library and the system's own headers: open to every layer.
SYSTEM = re.compile(r"^([a-z_]+|(sys/)?[a-z0-9_]+\.h)$")


def read_table(contributing):
    """{folder: (listed folders, libraries)} from the table under '## Layers'."""
    table, faults, inside = {}, [], False
    for line in contributing.read_text(encoding="utf-8").splitlines():
        if line.startswith("## "):
            inside = line.strip() == "## Layers"
            continue
        cells = [c.strip() for c in line.strip().strip("|").split("|")]
        if not inside or not line.startswith("|") or len(cells) != 3 or not FOLDER.search(cells[0]):
            continue
        names = {name for name in LIBRARIES if re.search(rf"\b{re.escape(name)}\b", cells[2])}
        if not names and cells[2] != "none":
            faults.append(f"CONTRIBUTING.md: the row of {cells[0]} names no known library: {cells[2]}")
        for layer in FOLDER.findall(cells[0]):
            table[layer] = (set(FOLDER.findall(cells[1])), names)
    return table, faults


def allowed(table, layer, seen=None):
    seen = set() if seen is None else seen
    if layer in seen:
        return seen
    seen.add(layer)
    for below in table.get(layer, (set(), set()))[0]:
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


def target_folder(src, path, quote, name):
    """The folder under src/ an include reaches, or None for a library header."""
    if quote == "<" and not (src / name.split("/")[0]).is_dir():
        return None
    here = path.parent / name
    reached = here if quote == '"' and (name.startswith(".") or here.exists()) else src / name
    rel = os.path.relpath(os.path.normpath(reached), src)
    return str(Path(rel).parent)


def check_include(src, path, layer, table, quote, name):
    """The fault of one include, or None."""
    target = target_folder(src, path, quote, name)
    if target is None:
        library = next((lib for lib, pattern in LIBRARIES.items() if pattern.match(name)), None)
        if library is None:
            return None if SYSTEM.match(name) else f"includes <{name}> of a library no row names"
        if library in table[layer][1]:
            return None
        return f"{layer}/ may not include <{name}> ({library})"
    if target == ".." or target.startswith("../"):
        return f"includes {name}, which lies outside src/"
    if target not in table:
        return f"includes {name}, which reaches {target}/ without a row in the layer table"
    if target in allowed(table, layer):
        return None
    return f"{layer}/ may not include {name} ({target}/)"


def check_file(src, path, table, used):
    faults = []
    rel = path.relative_to(src)
    layer = str(rel.parent)
    lines = path.read_text(encoding="utf-8", errors="replace").splitlines()
    for number, line in enumerate(lines, 1):
        match = INCLUDE.match(line)
        fault = match and check_include(src, path, layer, table, match.group(1), match.group(2))
        if not fault:
            continue
        if (str(rel), match.group(2)) in KNOWN_EXCEPTIONS:
            used.add((str(rel), match.group(2)))
            continue
        faults.append(f"src/{rel}:{number}: {fault}")
    return faults


def check(source):
    src = source / "src"
    table, faults = read_table(source / "CONTRIBUTING.md")
    files = [p for p in sorted(src.rglob("*")) if p.is_file() and p.suffix in (".h", ".cpp", ".in")]
    files = [p for p in files if p.parent != src]
    folders = {str(p.relative_to(src).parent) for p in files}
    faults += check_table(table, folders)
    used = set()
    for path in files:
        if str(path.relative_to(src).parent) in table:
            faults += check_file(src, path, table, used)
    for rel, target in sorted(KNOWN_EXCEPTIONS - used):
        faults.append(f"src/{rel} no longer includes {target}: delete its known exception in {Path(__file__).name}")
    return faults, len(files), len(folders)


def main():
    faults, files, folders = check(Path(sys.argv[1] if len(sys.argv) > 1 else "."))
    for fault in faults:
        print("FAIL:", fault)
    print(f"{files} files of {folders} folders checked, {len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
