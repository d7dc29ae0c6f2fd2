#!/usr/bin/env bash
# Builds every fuzz target with clang's libFuzzer and the address and
# undefined-behaviour sanitizers (build-fuzz/) and runs each for the given
# seconds (default 60), starting from its seeds in fuzz/corpus/<name>. Prints
# per target the executions and any crash; a crash input is kept in
# fuzz/crashes/<name>/ to be fixed and then moved to fuzz/regressions/<name>/,
# which ./test.sh replays.   Usage: scripts/fuzz.sh [seconds per target] [name ...]
#
# The workbook readers (xls, xlsx, ods, csv) run the spreadsheet libraries,
# which fail on some damaged files; the program therefore reads a workbook in
# a child process. Their fuzzing goes on after such a failure (libFuzzer's
# fork mode), and every failing input is then replayed as the program reads
# it: one the child contains is counted apart as a library fault (the first
# few are kept in fuzz/regressions/<name>/, as they mostly repeat one fault);
# only one that also brings the replay down is a crash. fuzz/asan.supp keeps
# the sanitizer quiet about the one library fault that would end every job.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
scripts/install-deps.sh
scripts/install-deps.sh clang libclang-rt-14-dev
launcher=()
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -g -O1"
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSORVIX_FUZZ=ON \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS="$flags" "${launcher[@]}" >/dev/null
cmake --build build-fuzz --target fuzzers >/dev/null

contained_targets=" xls xlsx ods csv "
scripts/build.sh --target xls_fuzz_replay xlsx_fuzz_replay ods_fuzz_replay csv_fuzz_replay >/dev/null

names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for f in fuzz/*_fuzz.cpp; do names+=("$(basename "$f" _fuzz.cpp)"); done
fi
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=suppressions=$PWD/fuzz/asan.supp
export LSAN_OPTIONS=suppressions=$PWD/fuzz/lsan.supp
# The scratch program folders live in memory where possible: a preparation
# flushes the draw state to disk on every run.
[ -d /dev/shm ] && export TMPDIR=/dev/shm
status=0
printf '%-14s %12s %8s %10s  %s\n' target executions crashes contained "seconds"
for name in "${names[@]}"; do
  work=build-fuzz/corpus/$name
  crashes=fuzz/crashes/$name
  mkdir -p "$work" "$crashes"
  seeds=fuzz/corpus/$name
  [ -d "$seeds" ] || seeds=""
  log=build-fuzz/$name.log
  mode=()
  [[ $contained_targets == *" $name "* ]] && mode=(-fork=1 -ignore_crashes=1 -ignore_ooms=1 -ignore_timeouts=1)
  set +e
  build-fuzz/fuzz/${name}_fuzz "$work" $seeds -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$crashes/" -timeout=20 -rss_limit_mb=4096 "${mode[@]}" >"$log" 2>&1
  set -e
  runs=$(grep -m1 'stat::number_of_executed_units' "$log" | awk '{print $2}' || true)
  [ -n "$runs" ] || runs=$(grep -oE '^#[0-9]+' "$log" | tail -1 | tr -d '#' || true)
  contained=0
  if [ ${#mode[@]} -gt 0 ]; then
    for input in "$crashes"/*; do
      [ -f "$input" ] || continue
      if build/fuzz/${name}_fuzz_replay "$input" >/dev/null 2>&1; then
        mkdir -p fuzz/regressions/$name
        if [ "$(find fuzz/regressions/$name -type f | wc -l)" -lt 5 ]; then
          mv "$input" fuzz/regressions/$name/
        else
          rm "$input"
        fi
        contained=$((contained + 1))
      fi
    done
  fi
  found=$(find "$crashes" -type f | wc -l)
  printf '%-14s %12s %8s %10s  %s\n' "$name" "${runs:-?}" "$found" "$contained" "$seconds"
  if [ "$found" -gt 0 ]; then status=1; fi
done
[ $status -eq 0 ] || echo "crash inputs are in fuzz/crashes/ (logs in build-fuzz/*.log)"
exit $status
