#!/usr/bin/env bash
# Looks at the demo's prizes at six screen sizes: under Xvfb, on a copy of the
# laid-out program folder with the factory set in place, draws the first round
# (the third prize, prize text and picture in both corners), then every round,
# and opens the results window. Screenshots per size: <size>-idle.png (before
# the first round), <size>-draw.png and <size>-results.png, and <size>-bare.png
# (before the first round without the prize picture files). Then
# screenshots-measure.py measures the strip, the buttons and the prize corner
# on them and checks how they grow and keep their proportions.
# Usage: scripts/prize-screenshots.sh [BUILD] [OUT] [DISPLAY NUMBER] [SIZE ...]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=${2:-screenshots/prizes}
display=${3:-91}
shift $(($# < 3 ? $# : 3))
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(1024x768 1280x1024 1920x1080 2560x1440 3840x1080 3840x2160)
scripts/install-deps.sh xdotool imagemagick
mkdir -p "$out"
# Starts the program on a fresh copy of the program folder at a screen size.
start() {
  work=$(mktemp -d)
  cp -r "$build/program" "$work/program"
  cp "$work/program/DLL/"*.dll "$work/program/"
  # Prizes in both corners.
  printf '0\r\n2\r\n' >"$work/program/Curtain.dll"
  rm -f "$work/program/status.dll" "$work/program/dat/"*.dll "$work/program/dat/LuckyList.txt" "$work/program/datm/"*
  "$@"
  Xvfb ":$display" -screen 0 "${size}x24" >/dev/null 2>&1 &
  xvfb=$!
  sleep 1
  DISPLAY=":$display" QT_QPA_PLATFORM=xcb "$work/program/Sorvix" >>"$out/$size.log" 2>&1 &
  app=$!
  sleep 5
}
finish() {
  kill $app $xvfb 2>/dev/null || true
  wait $app $xvfb 2>/dev/null || true
  rm -rf "$work"
}
shot() { DISPLAY=":$display" import -window root "$out/$size-$1.png"; }
key() { DISPLAY=":$display" xdotool key "$1"; sleep "${2:-0.4}"; }
no_prize_pictures() { rm -f "$work/program/pics/prize"*.jpg; }
for size in "${sizes[@]}"; do
  : >"$out/$size.log"
  # The same screen without the prize pictures (their files missing): what
  # differs from it is the picture as shown.
  start no_prize_pictures
  shot bare
  finish
  start true
  shot idle
  key space 0.3; key Return 0.8; shot draw
  rounds=$(head -n1 "$work/program/filenameqty.dll" | tr -d '\r')
  for ((i = 1; i < rounds; i++)); do key space 0.3; key Return 0.4; done
  key space 0.8; key Return 6; shot results
  finish
done
echo "screenshots in $out/"
python3 scripts/screenshots-measure.py "$out" "$build/program/pics/prize3.jpg"
