#!/usr/bin/env bash
# Looks at the spreadsheet commands of the list editor under Xvfb at
# 1920 x 1080: opens the editor on the demo list, opens the template, exports
# the list to a workbook,
# then imports that workbook, with screenshots of the export message, the
# import question, the import report and the grid after the import.
# Usage: scripts/sheet-screenshots.sh [BUILD] [OUT]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=${2:-screenshots}
mkdir -p "$out"
work=$(mktemp -d)
cp -r "$build/program" "$work/program"
rm -f "$work/program/status.dll"
Xvfb :93 -screen 0 1920x1080x24 >/dev/null 2>&1 &
xvfb=$!
app=""
trap '[ -n "$app" ] && kill $app 2>/dev/null; kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
sleep 1
export DISPLAY=:93
unset QT_QPA_PLATFORM
"$work/program/Sorvix" >"$out/sheets.log" 2>&1 &
app=$!
sleep 3
shot() { import -window root "$out/$1.png"; }
# The context menu's "显示主菜单", then "人员奖项设置" -> "人员名单".
xdotool mousemove 880 540 click 3; sleep 0.7
xdotool mousemove 935 551 click 1; sleep 0.7
xdotool mousemove 108 10 click 1; sleep 0.7
xdotool mousemove 120 31 click 1; sleep 1.5
# "打开名单编辑模板Excel": on a machine without a spreadsheet program, the notice.
xdotool mousemove 1095 270 click 1; sleep 1.5
shot sheets-template
xdotool key Return; sleep 0.7
# "导出": the save dialog takes the path, then the message.
xdotool mousemove 1245 410 click 1; sleep 1.5
xdotool key ctrl+a; xdotool type --delay 20 "$work/demo.xlsx"; xdotool key Return; sleep 1.5
shot sheets-export-message
xdotool key Return; sleep 0.7
# "导入": the question, the open dialog, the report, the grid.
xdotool mousemove 1245 375 click 1; sleep 1
shot sheets-import-question
xdotool key Return; sleep 1.5
xdotool type --delay 20 "$work/demo.xlsx"; xdotool key Return; sleep 2
shot sheets-import-report
xdotool key Return; sleep 0.7
shot sheets-import-grid
echo "screenshots in $out/"
