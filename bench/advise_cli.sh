#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# velmora-cli advise on a large core database: the shipped data with a
# BaseCores.txt of COUNT cores (default 10,000), each a shipped record copied
# under a name of its own and scaled by 0.9 to 1.1 in its lengths (areas and
# surface by the square), so that the sweep meets cores of every size. The
# shipped materials (ferrite and powder) make the candidates. Prints the CPU time of
# each run (user + system, seconds) and the load average: compare CPU times
# of one sitting, the machine may be shared. FERRITE_ONLY=1 keeps only the
# first ten entries of Materials.txt (the ferrites): COUNT x 10 candidates.
#   bench/advise_cli.sh [BUILD_DIR] [RUNS] [COUNT] [-- ADVISE OPTIONS...]
set -eu
build=${1:-build}
runs=${2:-3}
count=${3:-10000}
[ $# -ge 3 ] && shift 3 || shift $#
[ "${1:-}" = "--" ] && shift
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/.." && pwd)
cli="$build/src/velmora-cli"
[ -x "$cli" ] || { echo "no $cli: build velmora-cli first" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (Debian package: time)" >&2; exit 1; }

work=$(mktemp -d)
[ -n "${KEEP_DATA:-}" ] && echo "data: $work/data" || trap 'rm -rf "$work"' EXIT
cp -R "$top/share" "$work/data"
awk -v count="$count" '
  BEGIN { RS = "\r\n\r\n"; FS = "\r\n" }
  /^\[/ { records[n++] = $0 }
  END {
    for (k = 0; k < count; ++k) {
      split(records[k % n], line, "\r\n")
      copy = int(k / n)
      s = 0.9 + 0.2 * ((copy * 37) % 81) / 80
      name = substr(line[1], 2, length(line[1]) - 2)
      printf "[%s v%d]\r\n", name, copy
      for (i = 2; i in line; ++i) {
        if (line[i] == "") continue
        eq = index(line[i], " = ")
        key = substr(line[i], 1, eq - 1)
        value = substr(line[i], eq + 3)
        if (key == "Ae" || key == "An" || key == "Asurf") value = sprintf("%.4g", value * s * s)
        else if (key == "le" || key == "MLT" || key == "bw") value = sprintf("%.4g", value * s)
        printf "%s = %s\r\n", key, value
      }
      printf "\r\n"
    }
  }' "$top/share/BaseCores.txt" > "$work/data/BaseCores.txt"
if [ -n "${FERRITE_ONLY:-}" ]; then
  head -n 10 "$top/share/Materials.txt" > "$work/data/Materials.txt"
fi
echo "cores: $(grep -c '^\[' "$work/data/BaseCores.txt"), load: $(cut -d' ' -f1-3 /proc/loadavg)"
for i in $(seq "$runs"); do
  /usr/bin/time -f "run $i: %U+%S s CPU, %e s wall" "$cli" --dir "$work/data" advise "$@" > "$work/out.txt"
done
tail -n 1 "$work/out.txt"
