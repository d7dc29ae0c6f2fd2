#!/usr/bin/env bash
# Looks at the windows and dialogs under Qt's high-DPI scaling (150 % unless
# told otherwise) on a 1920 x 1080 screen under Xvfb: the draw screen, its
# context menu, the award settings and the question on closing them, the
# participant list, the about box and the exit question. The mouse goes where
# the items are at 100 %, times the factor.
# Usage: scripts/scaling-screenshots.sh [BUILD] [OUT] [DISPLAY NUMBER] [FACTOR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=${2:-screenshots/scaling}
display=${3:-92}
factor=${4:-1.5}
scripts/install-deps.sh xdotool imagemagick
mkdir -p "$out"
work=$(mktemp -d)
xvfb=""
app=""
trap '[ -n "$app" ] && kill $app 2>/dev/null; [ -n "$xvfb" ] && kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
export DISPLAY=:$display
cp -r "$build/program" "$work/program"
rm -f "$work/program/status.dll"
Xvfb ":$display" -screen 0 1920x1080x24 >/dev/null 2>&1 &
xvfb=$!
sleep 1
QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$factor "$work/program/Sorvix" >"$out/program.log" 2>&1 &
app=$!
sleep 5

shot() { import -window root "$out/$1.png"; }
# A click at a point given in unscaled pixels.
click() {
  xdotool mousemove $(awk -v x="$1" -v y="$2" -v f="$factor" 'BEGIN { printf "%d %d", x * f, y * f }') click "${3:-1}"
  sleep "${4:-0.8}"
}
key() { xdotool key "$1"; sleep "${2:-0.8}"; }

shot draw
click 533 360 3; shot menu
click 591 370                      # 显示主菜单
click 107 9; click 120 54 1 1.5    # 人员奖项设置 -> 奖项设置
shot awards
key Escape; shot awards-question
key n
click 107 9; click 120 32 1 2      # 人员奖项设置 -> 人员名单
shot list
key Escape; key n
click 256 9; click 280 76 1 1.5    # 帮助 -> 关于
shot about
key Escape
click 33 9; key Up 0.3; key Return 1.5   # 操作控制 -> 退出
shot exit-question
key n
echo "screenshots in $out/"
