#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# tools/spdx.sh on a scratch tree: --check names exactly the sources without
# the licence line and fails; adding puts the line in each file's comment
# style after a "#!" and a coding line, keeps the mode, leaves data alone and
# is done once.
#   tests/build/spdx.sh SOURCE_DIR
set -eu
source=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
spdx='SPDX-License-Identifier: GPL-3.0-or-later'

cd "$work"
mkdir -p tools src/a tests fuzz/corpus/t bench dist
cp "$source/tools/spdx.sh" tools/
printf '#pragma once\nint f();\n' >src/a/F.h
printf '// %s\n#include "a/F.h"\n' "$spdx" >src/a/F.cpp
printf '#!/bin/sh\necho hi\n' >tests/run.sh
chmod 755 tests/run.sh
printf '#!/usr/bin/env python3\n# -*- coding: utf-8 -*-\n"""Doc."""\n' >tools/gen.py
printf 'add_executable(b b.cpp)\n' >bench/CMakeLists.txt
: >tests/Empty.cpp
printf 'no comment here\n' >fuzz/corpus/t/seed
printf 'all:\n' >Makefile
printf 'project(X)\n' >CMakeLists.txt
printf '# %s\n' "$spdx" >dist/CMakeLists.txt

if sh tools/spdx.sh --check 2>err.txt; then fail "--check passed on files without the line"; fi
for f in src/a/F.h tests/run.sh tools/gen.py bench/CMakeLists.txt tests/Empty.cpp Makefile CMakeLists.txt; do
  grep -qxF "no SPDX line: $f" err.txt || fail "--check does not name $f: $(cat err.txt)"
done
[ "$(grep -c '^no SPDX line' err.txt)" -eq 7 ] || fail "--check names other files: $(cat err.txt)"

sh tools/spdx.sh >/dev/null
sh tools/spdx.sh --check >/dev/null 2>&1 || fail "--check fails after adding"
[ -z "$(sh tools/spdx.sh)" ] || fail "a second run added the line again"

line() { sed -n "$2p" "$1"; }
[ "$(line src/a/F.h 1)" = "// $spdx" ] && [ "$(line src/a/F.h 2)" = "#pragma once" ] || fail "F.h: $(cat src/a/F.h)"
[ "$(grep -c SPDX src/a/F.cpp)" -eq 1 ] || fail "F.cpp got a second line"
[ "$(line tests/run.sh 1)" = "#!/bin/sh" ] && [ "$(line tests/run.sh 2)" = "# $spdx" ] || fail "run.sh: $(cat tests/run.sh)"
[ -x tests/run.sh ] || fail "run.sh lost its mode"
[ "$(line tools/gen.py 2)" = "# -*- coding: utf-8 -*-" ] && [ "$(line tools/gen.py 3)" = "# $spdx" ] &&
  [ "$(line tools/gen.py 4)" = '"""Doc."""' ] || fail "gen.py: $(cat tools/gen.py)"
[ "$(cat tests/Empty.cpp)" = "// $spdx" ] || fail "Empty.cpp: $(cat tests/Empty.cpp)"
[ "$(line Makefile 1)" = "# $spdx" ] && [ "$(line Makefile 2)" = "all:" ] || fail "Makefile: $(cat Makefile)"
[ "$(cat fuzz/corpus/t/seed)" = "no comment here" ] || fail "a fuzz input was changed"
[ -z "$(find . -name '*.spdx-tmp')" ] || fail "a temporary file was left"

# Files named on the command line: only those.
printf 'int g();\n' >src/a/G.h
sh tools/spdx.sh --check src/a/F.h >/dev/null 2>&1 || fail "--check F.h fails"
if sh tools/spdx.sh --check src/a/G.h 2>/dev/null; then fail "--check G.h passes"; fi
echo "spdx script: ok"
