#!/usr/bin/env bash
# Looks at the demo's prizes at four screen sizes: under Xvfb, on a copy of the
# laid-out program folder with the factory set in place, draws the first round
# (the third prize, prize text and picture in both corners), then every round,
# and opens the results window. Screenshots per size: <size>-draw.png and
# <size>-results.png. Usage: scripts/prize-screenshots.sh [BUILD] [OUT] [DISPLAY NUMBER]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=${2:-screenshots/prizes}
display=${3:-91}
scripts/install-deps.sh xdotool imagemagick
mkdir -p "$out"
for size in 1024x768 1920x1080 2560x1440 3840x2160; do
  work=$(mktemp -d)
  cp -r "$build/program" "$work/program"
  cp "$work/program/DLL/"*.dll "$work/program/"
  # Prizes in both corners.
  printf '0\r\n2\r\n' >"$work/program/Curtain.dll"
  rm -f "$work/program/status.dll" "$work/program/dat/"*.dll "$work/program/dat/LuckyList.txt" "$work/program/datm/"*
  Xvfb ":$display" -screen 0 "${size}x24" >/dev/null 2>&1 &
  xvfb=$!
  sleep 1
  DISPLAY=":$display" QT_QPA_PLATFORM=xcb "$work/program/Sorvix" >"$out/$size.log" 2>&1 &
  app=$!
  sleep 4
  shot() { DISPLAY=":$display" import -window root "$out/$size-$1.png"; }
  key() { DISPLAY=":$display" xdotool key "$1"; sleep "${2:-0.4}"; }
  key space 0.3; key Return 0.8; shot draw
  rounds=$(head -n1 "$work/program/filenameqty.dll" | tr -d '\r')
  for ((i = 1; i < rounds; i++)); do key space 0.3; key Return 0.4; done
  key space 0.8; key Return 6; shot results
  kill $app $xvfb 2>/dev/null || true
  wait $app $xvfb 2>/dev/null || true
  rm -rf "$work"
done
echo "screenshots in $out/"
