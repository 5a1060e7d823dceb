#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs every fuzz target (or the ones named) for the given seconds each, one
# after the other, on the seed corpus, the kept regression inputs and what
# earlier runs found (fuzz/corpus-run/, not kept in the repository). Prints one
# line per target; fails when a target finds a crash, a broken invariant, a
# run over the time limit or over the memory limit.
#   fuzz/run.sh BUILD_DIR SECONDS [TARGET...]
# Inputs grow up to 64 KB (FUZZ_MAX_LEN), far beyond the shipped files, so
# that size-dependent faults show. The target "huge" repeats its input into a
# file of up to 2 MB and feeds it to every reader under a memory limit of
# 512 MB: a reader that is quadratic in the file or holds many copies of it
# runs into the time or the memory limit there.
build="$1"; seconds="$2"; shift 2
root="$(cd "$(dirname "$0")" && pwd)"
targets="$*"
if [ -z "$targets" ]; then
  targets="keyed_text settings language material wire core_db calculate cp1251 huge details_config mas"
  # The report's target draws with Qt: built only where the window is.
  if [ -x "$build/fuzz/fuzz_report" ]; then
    targets="$targets report"
  else
    echo "fuzz_report is not built here (a build without the window); its seeds run in test_fuzz_replay"
  fi
fi
mkdir -p "$build/findings"
status=0
for t in $targets; do
  bin="$build/fuzz/fuzz_$t"
  [ -x "$bin" ] || { echo "fuzz_$t is not built"; status=1; continue; }
  run="$root/corpus-run/$t"
  mkdir -p "$run"
  dirs="$run"
  for d in "$root/corpus/$t" "$root/regressions/$t"; do [ -d "$d" ] && dirs="$dirs $d"; done
  log="$build/findings/$t.log"
  maxlen="${FUZZ_MAX_LEN:-65536}"
  rss=2048
  asan="${ASAN_OPTIONS:-detect_leaks=1}"
  # Qt's one-time set-up for the report's plots (platform, fonts) stays
  # until the end: not a leak per input.
  [ "$t" = report ] && asan="${ASAN_OPTIONS:-detect_leaks=0}"
  if [ "$t" = huge ]; then
    # The input is only the pattern; its file is large. A small quarantine
    # keeps freed megabytes from counting against the memory limit.
    maxlen=4096
    rss=512
    asan="$asan:quarantine_size_mb=16"
  fi
  # shellcheck disable=SC2086
  ASAN_OPTIONS="$asan" UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
    "$bin" $dirs -max_total_time="$seconds" -print_final_stats=1 -timeout=10 -rss_limit_mb="$rss" \
      -max_len="$maxlen" -dict="$root/velmora.dict" \
      -artifact_prefix="$build/findings/$t-" ${FUZZ_FLAGS:-} >"$log" 2>&1
  rc=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1)
  if [ $rc -eq 0 ]; then
    printf 'fuzz_%-11s ok      %10s runs  %7s/s  %s\n' "$t" "${runs:-?}" "${speed:-?}" "$cov"
  else
    printf 'fuzz_%-11s FINDING (exit %s) after %s runs: see %s\n' "$t" "$rc" "${runs:-?}" "$log"
    grep -E 'ERROR|runtime error|invariant broken|Test unit written' "$log" | head -5
    status=1
  fi
done
exit $status
