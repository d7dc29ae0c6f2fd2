#!/usr/bin/env bash
# Looks at a laptop wired to a projector: Xvfb with two screens (the laptop
# 1920 x 1080, the projector 1280 x 720), the program on a copy of the laid-out
# program folder. Draws a round from the console's keys, lets the disk refuse
# the next stop's record (the dat folder made immutable, or read-only without
# root), records it with the next start, draws the rest and answers the end
# question. Screenshots of both screens after each step in OUT, named
# <step>-laptop.png and <step>-projector.png, and checks that the records and
# the windows stand where they should.
# Usage: scripts/screens-screenshots.sh [BUILD] [OUT] [DISPLAY NUMBER]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=${2:-screenshots/screens}
display=${3:-93}
scripts/install-deps.sh xdotool imagemagick x11-utils e2fsprogs
mkdir -p "$out"
work=$(mktemp -d)
cp -r "$build/program" "$work/program"
Xvfb ":$display" -screen 0 1920x1080x24 -screen 1 1280x720x24 >/dev/null 2>&1 &
xvfb=$!
refuse() { chattr "$1i" "$work/program/dat" 2>/dev/null || chmod "$([ "$1" = + ] && echo a-w || echo u+w)" "$work/program/dat"; }
trap 'refuse - || true; kill $app $xvfb 2>/dev/null; rm -rf "$work"' EXIT
sleep 1
(cd "$work/program" && exec env DISPLAY=":$display" QT_QPA_PLATFORM=xcb ./Sorvix >"$out/program.log" 2>&1) &
app=$!
sleep 5
export DISPLAY=":$display.0"
console=$(xdotool search --name "抽奖操作台" | tail -1)
shot() {
  import -display ":$display.0" -window root "$out/$1-laptop.png"
  import -display ":$display.1" -window root "$out/$1-projector.png"
}
key() { xdotool windowfocus "$console" 2>/dev/null || true; xdotool key "$1"; sleep "${2:-0.5}"; }
# Answers the box in front (it has the focus) with its default button.
answer() {
  xdotool key Return
  sleep "${1:-0.5}"
}
status() { head -n1 "$work/program/status.dll" | tr -d '\r'; }
windows() { xwininfo -display ":$display.$1" -root -tree | grep -o '"[^"]*": ("Sorvix"' | cut -d'"' -f2 | sort | tr '\n' ' '; }
fail=0
check() { if [ "$2" != "$3" ]; then echo "FAIL: $1: $2, expected $3"; fail=1; else echo "ok: $1: $2"; fi; }

shot start
check "laptop shows" "$(windows 0)" "抽奖操作台 "
check "projector shows" "$(windows 1)" "抽奖软件 "
key space; key Return 0.8; shot first-round
check "status after a round from the console's keys" "$(status)" 1
key space; refuse +; key Return 1; shot disk-refused
check "status while the disk refuses" "$(status)" 1
check "the notice stands on the laptop" "$(windows 0 | grep -c Sorvix || true)" 1
check "the projector shows only the draw" "$(windows 1)" "抽奖软件 "
refuse -
answer; key space 1; shot recorded
check "status after the retry" "$(status)" 2
answer
rounds=$(head -n1 "$work/program/filenameqty.dll" | tr -d '\r')
for ((i = 2; i < rounds; i++)); do key space 0.3; key Return 0.5; done
key space 1; shot end-question
check "the end question stands on the laptop" "$(windows 0 | grep -c Sorvix || true)" 1
answer 2; shot results
check "the results stand on the projector" "$(windows 1)" "中奖名单 抽奖软件 "
echo "screenshots in $out/"
exit $fail
