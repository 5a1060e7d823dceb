#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The layer test catches each kind of break, planted in a copy of the tree.
    tests/build/layers_test.py SOURCE_DIR
"""
import shutil
import sys
import tempfile
from pathlib import Path

import layers

# (file, include planted as its second line, the fault's text after "FILE:2: ").
PLANTED = [
    ("converter/Converter.cpp", "#include <nlohmann/json.hpp>", "converter/ may not include <nlohmann/json.hpp>"),
    ("converter/Converter.h", "#include <CLI/CLI.hpp>", "converter/ may not include <CLI/CLI.hpp> (CLI11)"),
    ("calc/Calculate.h", "#include <qglobal.h>", "calc/ may not include <qglobal.h> (Qt)"),
    ("calc/Calculate.cpp", "#include <QtCore/QString>", "calc/ may not include <QtCore/QString> (Qt)"),
    ("insight/Thermal.cpp", "#include <QVector>", "insight/ may not include <QVector> (Qt)"),
    ("textfile/Cp1251.cpp", '#include "../app/VelmoraDlg.h"', "textfile/ may not include ../app/VelmoraDlg.h (app/)"),
    ("data/CoreDatabase.cpp", '#include "report/DesignReport.h"', "data/ may not include report/DesignReport.h"),
    ("cli/Json.cpp", "#include <gtest/gtest.h>", "cli/ may not include <gtest/gtest.h> (GoogleTest)"),
    ("lang/LanguageTable.cpp", '#include "design/Nowhere/X.h"', "reaches design/Nowhere/ without a row"),
    ("mas/MasNames.cpp", "#include <boost/any.hpp>", "includes <boost/any.hpp> of a library no row names"),
    ("app/DesignValue.cpp", '#include "../../tests/Fixture.h"', "lies outside src/"),
]


def main():
    source = Path(sys.argv[1])
    with tempfile.TemporaryDirectory() as temp:
        copy = Path(temp)
        shutil.copy(source / "CONTRIBUTING.md", copy)
        shutil.copytree(source / "src", copy / "src")
        for rel, include, _ in PLANTED:
            lines = (copy / "src" / rel).read_text(encoding="utf-8").splitlines(keepends=True)
            (copy / "src" / rel).write_text("".join(lines[:1] + [include + "\n"] + lines[1:]), encoding="utf-8")
        (copy / "src" / "extra").mkdir()
        (copy / "src" / "extra" / "Extra.h").write_text("#pragma once\n", encoding="utf-8")
        faults = layers.check(copy)[0]
    expected = [(f"src/{rel}:2: ", text) for rel, _, text in PLANTED]
    expected.append(("src/extra/", "has no row in the layer table"))
    missed = [e for e in expected if not any(f.startswith(e[0]) and e[1] in f for f in faults)]
    for text in missed:
        print("FAIL: not caught:", *text)
    if len(faults) != len(expected):
        print(f"FAIL: {len(faults)} faults for {len(expected)} planted:", *faults, sep="\n  ")
    print(f"{len(expected) - len(missed)} of {len(expected)} planted breaks caught")
    return 1 if missed or len(faults) != len(expected) else 0


if __name__ == "__main__":
    sys.exit(main())
