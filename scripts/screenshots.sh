#!/usr/bin/env bash
# Looks at the real thing: starts the program under Xvfb at 1920 x 1080 on a
# copy of the laid-out program folder, draws the demo event with the keys and
# saves screenshots: after start-up, while rolling, after the first stop, after
# the last stop and at the final start. Usage: scripts/screenshots.sh [BUILD] [OUT]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=${2:-screenshots}
scripts/install-deps.sh xdotool imagemagick
mkdir -p "$out"
work=$(mktemp -d)
cp -r "$build/program" "$work/program"
Xvfb :95 -screen 0 1920x1080x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $app $xvfb 2>/dev/null; rm -rf "$work"' EXIT
sleep 1
export DISPLAY=:95
unset QT_QPA_PLATFORM
"$work/program/Sorvix" >"$out/program.log" 2>&1 &
app=$!
sleep 3
shot() { import -window root "$out/$1.png"; }
key() { xdotool key "$1"; sleep "${2:-0.5}"; }
shot start-up
key space 0.6; shot rolling
key Return 0.6; shot first-stop
rounds=$(head -n1 "$work/program/filenameqty.dll" | tr -d '\r')
for ((i = 1; i < rounds; i++)); do key space; key Return 0.6; done
shot last-stop
key space 0.8; shot all-drawn
cp "$work/program/dat/LuckyList.txt" "$out/LuckyList.txt"
echo "screenshots and the winners list in $out/"
