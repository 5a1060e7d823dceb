#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The licence line at the head of every source file, in the file's own
# comment style: "// SPDX-License-Identifier: GPL-3.0-or-later" in C++,
# "# ..." in shell, Python, CMake and the Makefile (after a "#!" line and a
# Python coding line).
#   tools/spdx.sh [FILE...]          adds the line where it is missing
#   tools/spdx.sh --check [FILE...]  names every file without it; fails then
# Without FILE: every source under src/, tests/, fuzz/, bench/ and tools/, and
# the build files at the top. The fuzz inputs, the help texts the generator
# turns into shipped data and the READMEs are no sources.
set -eu
cd "$(dirname "$0")/.."
spdx='SPDX-License-Identifier: GPL-3.0-or-later'

check=0
if [ "${1:-}" = "--check" ]; then
  check=1
  shift
fi

sources() {
  find src tests fuzz bench tools -type f \
    \( -name '*.cpp' -o -name '*.h' -o -name '*.h.in' -o -name '*.sh' -o -name '*.py' \
    -o -name '*.cmake' -o -name CMakeLists.txt \) \
    ! -path 'fuzz/corpus*' ! -path 'fuzz/regressions/*' ! -path '*/__pycache__/*'
  for f in CMakeLists.txt Makefile dist/CMakeLists.txt; do [ -f "$f" ] && echo "$f"; done
}

comment_of() {
  case "$1" in
    *.cpp | *.h | *.h.in) echo '//' ;;
    *) echo '#' ;;
  esac
}

# The files without the line within their first three lines (after "#!" and
# a coding line), in one pass; an empty file has none.
lacking() {
  for f in "$@"; do [ -s "$f" ] || echo "$f"; done
  awk -v spdx="$spdx" '
    function report() { if (name != "" && !found) print name }
    FNR == 1 {
      report()
      name = FILENAME
      found = 0
      style = FILENAME ~ /\.(cpp|h|h\.in)$/ ? "//" : "#"
    }
    FNR <= 3 && $0 == style " " spdx { found = 1 }
    END { report() }
  ' "$@"
}

add_line() {
  tmp="$1.spdx-tmp"
  awk -v line="$(comment_of "$1") $spdx" '
    NR == 1 && /^#!/ { print; next }
    NR == 2 && done == 0 && /^#.*coding[:=]/ { print; next }
    done == 0 { print line; done = 1 }
    { print }
    END { if (done == 0) print line }
  ' "$1" >"$tmp"
  cat "$tmp" >"$1" # keeps the file's mode
  rm -f "$tmp"
}

if [ $# -gt 0 ]; then
  files=$(printf '%s\n' "$@")
else
  files=$(sources | sort)
fi

missing=0
# shellcheck disable=SC2086
for f in $(lacking $files | sort); do
  if [ $check -eq 1 ]; then
    echo "no SPDX line: $f" >&2
    missing=$((missing + 1))
  else
    add_line "$f"
    echo "added: $f"
  fi
done

if [ $check -eq 1 ]; then
  if [ $missing -gt 0 ]; then
    echo "$missing file(s) without \"$spdx\" at the head; tools/spdx.sh adds it" >&2
    exit 1
  fi
  echo "spdx: $(echo "$files" | wc -l) files carry the licence line"
fi
