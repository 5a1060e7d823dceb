#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Cold start of the window against a bare Qt 6 dialog, offscreen: wall time
# to the first calculated window and peak memory (/usr/bin/time -v), median
# of several runs each, interleaved. For reference it also measures a Qt
# dialog with the window's kinds and numbers of controls that reads the data
# folder's files and does none of the program's work (form_dialog.cpp): what
# Qt itself takes for such a form.
# The load average is printed too: other work on the machine slows all
# three, so compare ratios of one run, and repeat on a busy machine.
#   bench/startup/run.sh [BUILD_DIR] [RUNS]     (defaults: build, 15)
# BUILD_DIR must hold src/velmora (a Release or RelWithDebInfo build).
set -eu
build=${1:-build}
runs=${2:-15}
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
velmora="$build/src/velmora"
[ -x "$velmora" ] || { echo "no $velmora: build the window first" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (Debian package: time)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The same compiler options a Release build uses.
c++ -O2 -fPIC "$here/bare_dialog.cpp" $(pkg-config --cflags --libs Qt6Widgets) -o "$work/bare_dialog"
c++ -O2 -fPIC "$here/form_dialog.cpp" $(pkg-config --cflags --libs Qt6Widgets) -o "$work/form_dialog"
# The shipped data, copied: the window writes nothing on this way out, but
# the tree stays untouched in any case.
cp -R "$top/share" "$work/data"

# A cache folder of its own: the warm-up start keeps the fitted dialog font
# there, as any first start does, and the measured starts take it.
export QT_QPA_PLATFORM=offscreen VELMORA_QUIT_AFTER_STARTUP=1 XDG_RUNTIME_DIR="$work" XDG_CACHE_HOME="$work/cache"

measure() {  # program args... -> "seconds kilobytes"
  # time(1) reports wall time in hundredths only: the clock is read around it.
  start=$(date +%s%N)
  /usr/bin/time -v "$@" >/dev/null 2>"$work/time.txt" || { cat "$work/time.txt" >&2; exit 1; }
  end=$(date +%s%N)
  awk -F': ' -v ns=$((end - start)) '/Maximum resident set size/ { kb = $2 }
              END { printf "%.4f %d\n", ns / 1e9, kb }' "$work/time.txt"
}

# One warm-up of each (the measurement is of a cold process, not a cold disk).
measure "$work/bare_dialog" >/dev/null
measure "$work/form_dialog" "$work/data" >/dev/null
measure "$velmora" --dir "$work/data" >/dev/null
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
i=0
while [ "$i" -lt "$runs" ]; do
  measure "$work/bare_dialog" >>"$work/bare.txt"
  measure "$velmora" --dir "$work/data" >>"$work/velmora.txt"
  measure "$work/form_dialog" "$work/data" >>"$work/form.txt"
  i=$((i + 1))
done
load_after=$(cut -d' ' -f1-3 /proc/loadavg)

median() {  # column file
  sort -n -k"$1" "$2" | awk -v c="$1" '{ v[NR] = $c } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
bt=$(median 1 "$work/bare.txt");    bm=$(median 2 "$work/bare.txt")
vt=$(median 1 "$work/velmora.txt"); vm=$(median 2 "$work/velmora.txt")
ft=$(median 1 "$work/form.txt");    fm=$(median 2 "$work/form.txt")
awk -v bt="$bt" -v bm="$bm" -v vt="$vt" -v vm="$vm" -v ft="$ft" -v fm="$fm" -v runs="$runs" \
    -v l0="$load_before" -v l1="$load_after" 'BEGIN {
  printf "cold start, offscreen, median of %d runs (load average %s before, %s after)\n", runs, l0, l1
  printf "  bare Qt dialog   %7.3f s  %8d KB\n", bt, bm
  printf "  velmora          %7.3f s  %8d KB\n", vt, vm
  printf "  ratio            %7.2fx    %7.2fx\n", vt / bt, vm / bm
  printf "for reference, Qt alone with the same controls:\n"
  printf "  form dialog      %7.3f s  %8d KB   (%.2fx, %.2fx the bare dialog)\n", ft, fm, ft / bt, fm / bm
  printf "  velmora / form   %7.2fx    %7.2fx   (goal: at most 1.05x and 1.10x)\n", vt / ft, vm / fm
}'
