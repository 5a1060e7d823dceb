#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# make lint: the sources of src/ against .clang-format (no change allowed) and
# .clang-tidy (no finding allowed). clang-tidy works from the build's
# compile_commands.json; a file found clean is checked again only when it, any
# header under src/ or .clang-tidy has changed since.
# Usage: tools/lint.sh BUILD_DIR [JOBS]
build="$1"
jobs="${2:-2}"
cd "$(dirname "$0")/.." || exit 1
if [ ! -f "$build/compile_commands.json" ]; then
  echo "lint: $build/compile_commands.json missing; configure the build first" >&2
  exit 1
fi
sources=$(find src -name '*.cpp' | sort)
headers=$(find src -name '*.h' | sort)
status=0

echo "clang-format: $(echo $sources $headers | wc -w) files"
# shellcheck disable=SC2086
clang-format --dry-run --Werror $sources $headers || status=1

# The newest of what every file's check depends on.
# shellcheck disable=SC2086
newest=$(ls -t .clang-tidy $headers | head -n 1)
stamps="$build/lint"
mkdir -p "$stamps"
export build stamps newest
echo "clang-tidy: $(echo $sources | wc -w) files, $jobs at a time"
# shellcheck disable=SC2016
printf '%s\n' $sources | xargs -P "$jobs" -n 1 sh -c '
  stamp="$stamps/$(printf %s "$1" | tr / _).ok"
  if [ -f "$stamp" ] && [ "$stamp" -nt "$1" ] && [ "$stamp" -nt "$newest" ]; then exit 0; fi
  if clang-tidy -p "$build" --quiet "$1" 2>/dev/null; then touch "$stamp"; else rm -f "$stamp"; exit 1; fi
' sh || status=1

[ $status -eq 0 ] && echo "lint: clean"
exit $status
