#!/usr/bin/env bash
# Builds and runs every benchmark, printing its figures.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-bench --target benchmarks Sorvix
# The window benchmarks paint on a real display: a private Xvfb when none is set.
if [ -z "${DISPLAY:-}" ]; then
  Xvfb :76 -screen 0 1920x1080x24 >/dev/null 2>&1 &
  xvfb=$!
  trap 'kill $xvfb' EXIT
  sleep 1
  export DISPLAY=:76
fi
unset QT_QPA_PLATFORM
for b in build-bench/bench/bench_*; do
  [ -f "$b" ] && [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b"
done
# The executable scripts are benchmarks; the others are what they share.
for s in bench/*.py; do
  [ -x "$s" ] || continue
  echo "== $(basename "$s")"
  python3 "$s" build-bench
done
