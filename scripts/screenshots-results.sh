#!/usr/bin/env bash
# Looks at the end of the night: under Xvfb at 1920 x 1080, on a copy of the
# laid-out program folder, draws the demo event's first rounds with the keys,
# gives up a first-prize winner and makes one up in the give-up / make-up
# window, draws the make-up round, draws the rest and opens the results
# window in red and in blue. Usage: scripts/screenshots-results.sh [BUILD] [OUT] [DISPLAY NUMBER]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=${2:-screenshots/results}
display=${3:-93}
scripts/install-deps.sh xdotool imagemagick
mkdir -p "$out"
work=$(mktemp -d)
cp -r "$build/program" "$work/program"
rm -f "$work/program/status.dll" "$work/program/dat/"*.dll "$work/program/dat/LuckyList.txt" "$work/program/datm/"*
Xvfb ":$display" -screen 0 1920x1080x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $app $xvfb 2>/dev/null; rm -rf "$work"' EXIT
sleep 1
export DISPLAY=":$display"
unset QT_QPA_PLATFORM
"$work/program/Sorvix" >"$out/program.log" 2>&1 &
app=$!
sleep 3
shot() { import -window root "$out/$1.png"; }
key() { xdotool key "$1"; sleep "${2:-0.4}"; }
round() { key space 0.3; key Return 0.4; }
# Small prizes first: three rounds draw the third, second and first prizes.
round; round; round
# "弃奖 / 补奖" is the seventh item of the context menu.
xdotool mousemove 960 600 click 3; sleep 0.5
for i in 1 2 3 4 5 6 7; do key Down 0.1; done
key Return 1
key Down 0.5                 # give-up level: 一等奖
key Tab; key Down            # a winner chosen
key Tab; key Tab; key Down 0.5   # the first level offered for a make-up
shot giveup-window
key shift+Tab; key space 0.8     # 弃奖, and its question
shot giveup-question
key Return 0.8
key Tab; key Down 0.3; key Down 0.3   # make-up level: 一等奖
key Tab; key ctrl+a; key 1
key Tab; key space 0.8                # 确定
shot makeup-ready
key Return 1
key space 0.8; shot makeup-rolling
key Return 0.8; shot makeup-stop
rounds=$(head -n1 "$work/program/filenameqty.dll" | tr -d '\r')
for ((i = 3; i < rounds; i++)); do round; done
key space 0.8; shot all-drawn-question
key Return 6; shot results-red
xdotool mousemove 960 700 click 3; sleep 0.5
key Down 0.1; key Down 0.1; key Down 0.1; key Right 0.3; key Down 0.3
shot results-menu
key Return 4; shot results-blue
key Escape 1; shot back-on-draw-screen
cp "$work/program/dat/LuckyList.txt" "$out/LuckyList.txt"
echo "screenshots and the winners list in $out/"
