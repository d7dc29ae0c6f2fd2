#!/usr/bin/env bash
# A projector plugged in and pulled out mid-event: one Xvfb screen of
# 3200 x 1080 is the laptop, and a RandR monitor of 1280 x 720 beside it,
# added and deleted with xrandr, is the projector. The names roll on the
# projector when it is pulled out; the draw screen must come back to the
# laptop, whole, the round be recorded, and the projector take the draw screen
# back once plugged in again. Screenshots in OUT (pulled.png, back.png).
# Usage: scripts/screens-hotplug.sh [BUILD] [OUT] [DISPLAY NUMBER]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=${2:-screenshots/hotplug}
display=${3:-94}
scripts/install-deps.sh xdotool imagemagick x11-utils x11-xserver-utils
mkdir -p "$out"
work=$(mktemp -d)
cp -r "$build/program" "$work/program"
Xvfb ":$display" -screen 0 3200x1080x24 +extension RANDR -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $app $xvfb 2>/dev/null; rm -rf "$work"' EXIT
sleep 1
export DISPLAY=":$display"
(cd "$work/program" && exec env QT_QPA_PLATFORM=xcb ./Sorvix >"$out/program.log" 2>&1) &
app=$!
sleep 5
window() { xdotool search --name "^$1\$" 2>/dev/null | tail -1; }
# place NAME: where the window stands, "WxH+X+Y", or "hidden"
place() {
  local w
  w=$(window "$1")
  if [ -z "$w" ] || ! xwininfo -id "$w" | grep -q IsViewable; then echo hidden; return; fi
  eval "$(xdotool getwindowgeometry --shell "$w")"
  echo "${WIDTH}x${HEIGHT}+${X}+${Y}"
}
key() {
  local w
  w=$(window 抽奖软件)
  xdotool windowfocus "$w" 2>/dev/null || true
  xdotool key --window "$w" "$1"
  sleep "${2:-0.7}"
}
plug() { xrandr --setmonitor projector 1280/338x720/190+1920+0 none; sleep 2; }
status() { head -n1 "$work/program/status.dll" | tr -d '\r'; }
fail=0
check() { if [ "$2" != "$3" ]; then echo "FAIL: $1: $2, expected $3"; fail=1; else echo "ok: $1: $2"; fi; }

check "one screen: the draw screen" "$(place 抽奖软件)" "3200x1080+0+0"
check "one screen: the console" "$(place 抽奖操作台)" hidden
plug
check "projector plugged in: the draw screen" "$(place 抽奖软件)" "1280x720+1920+0"
check "projector plugged in: the console" "$(place 抽奖操作台)" "460x420+1369+329"
key space
xrandr --delmonitor projector
sleep 2
import -window root "$out/pulled.png"
check "pulled out while rolling: the draw screen" "$(place 抽奖软件)" "3200x1080+0+0"
check "pulled out: the console" "$(place 抽奖操作台)" hidden
key Return
check "the round stopped on the laptop is recorded" "$(status)" 1
plug
import -window root "$out/back.png"
check "plugged in again: the draw screen" "$(place 抽奖软件)" "1280x720+1920+0"
key space
key Return
check "the next round is recorded" "$(status)" 2
exit $fail
