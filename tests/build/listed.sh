#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Every C++ source file of the tree is compiled by the build: the source
# lists in CMake are written out by hand, so a file added without its line
# would otherwise be left out silently.
#   tests/build/listed.sh BUILD_DIR SOURCE_DIR WITH_WINDOW(ON|OFF)
set -eu
build=$1
source=$2
window=$3
commands=$build/compile_commands.json
[ -f "$commands" ] || { echo "FAIL: no $commands" >&2; exit 1; }
missing=0
# bench/ and fuzz/ (but the fuzz targets, replayed in the tests) have builds of their own.
for f in $(cd "$source" && find src tests fuzz/targets fuzz/ReplayTest.cpp -name '*.cpp' | sort); do
  case "$f" in
    src/ui/qt/* | src/gui/* | src/app/main.cpp | tests/ui/qt/* | src/reportrender/* | src/reportcli/* | \
    tests/reportrender/* | tests/gui/* | tests/reportcli/*) [ "$window" = ON ] || continue ;;
  esac
  if ! grep -qF "\"file\": \"$source/$f\"" "$commands"; then
    echo "FAIL: $f is in no target's source list" >&2
    missing=1
  fi
done
exit $missing
