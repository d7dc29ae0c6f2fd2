#!/usr/bin/env bash
# Looks at the award settings window: starts the program under Xvfb on a copy
# of the laid-out program folder, opens "人员奖项设置" -> "奖项设置" with the
# mouse and saves a screenshot, at 1366 x 768 and 1920 x 1080, once on the
# shipped settings and once with all eleven levels enabled.
# Usage: scripts/award-screenshots.sh [BUILD] [OUT] [DISPLAY NUMBER]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=${2:-screenshots}
display=${3:-91}
mkdir -p "$out"
work=$(mktemp -d)
xvfb=""
app=""
trap '[ -n "$app" ] && kill $app 2>/dev/null; [ -n "$xvfb" ] && kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
export DISPLAY=:$display
unset QT_QPA_PLATFORM

# All eleven levels on, with quantities the demonstration list can fill.
all_levels() {
  python3 - "$1" <<'EOF'
import sys
path = sys.argv[1]
lines = open(path, 'rb').read().decode('gbk').split('\r\n')[:82]
quantities = ['1', '2', '3', '5', '8', '10', '10', '15', '20', '30', '50']
prizes = ['汽车', '笔记本电脑', '手机', '平板电脑', '相机', '耳机', '电饭煲', '购物卡', '保温杯', '红包', '纪念品']
per_round = ['0', '1', '2', '4', '4', '5', '5', '5', '5', '5', '5']
for k in range(11):
    lines[6 + 5 * k] = '1'
    lines[8 + 5 * k] = quantities[k]
    lines[9 + 5 * k] = prizes[k]
    lines[71 + k] = per_round[k]
open(path, 'wb').write(('\r\n'.join(lines) + '\r\n').encode('gbk'))
EOF
}

shoot() { # size variant
  local size=$1 variant=$2 folder="$work/$1-$2"
  cp -r "$build/program" "$folder"
  rm -f "$folder/status.dll"
  [ "$variant" = all-levels ] && all_levels "$folder/Tlottery.dll"
  Xvfb ":$display" -screen 0 "${size}x24" >/dev/null 2>&1 &
  xvfb=$!
  sleep 1
  "$folder/Sorvix" >"$out/awards-$size-$variant.log" 2>&1 &
  app=$!
  sleep 3
  local w=${size%x*} h=${size#*x}
  local x=$((w / 2 - 80)) y=$((h / 2))
  # The context menu's "显示主菜单", then the menu bar's "人员奖项设置" -> "奖项设置".
  xdotool mousemove $x $y click 3; sleep 0.7
  xdotool mousemove $((x + 55)) $((y + 11)) click 1; sleep 0.7
  xdotool mousemove 108 10 click 1; sleep 0.7
  xdotool mousemove 120 53 click 1; sleep 1.2
  import -window root "$out/awards-$size-$variant.png"
  kill $app; wait $app 2>/dev/null || true; app=""
  kill $xvfb; wait $xvfb 2>/dev/null || true; xvfb=""
}

for size in 1366x768 1920x1080; do
  for variant in factory all-levels; do
    shoot $size $variant
  done
done
echo "screenshots in $out/"
