#!/usr/bin/env bash
# Looks at the phone remote: the draw screen at 1366 x 768 under Xvfb with the
# "手机遥控" window open, and the phone's page at phone size (390 x 844) in
# headless Chromium, once after a stop and once while a round rolls. The
# remote listens on 127.0.0.1 only; nothing reaches this machine's network
# address. Usage: scripts/remote-screenshots.sh [BUILD] [OUT] [DISPLAY NUMBER]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=${2:-screenshots}
display=${3:-93}
scripts/install-deps.sh chromium xdotool imagemagick
cmake --build "$build" --target bench_remote Sorvix >/dev/null
mkdir -p "$out"
work=$(mktemp -d)
xvfb=""
app=""
trap '[ -n "$app" ] && kill $app 2>/dev/null; [ -n "$xvfb" ] && kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
unset QT_QPA_PLATFORM
Xvfb ":$display" -screen 0 1366x768x24 >/dev/null 2>&1 &
xvfb=$!
sleep 1
SECONDS=0
DISPLAY=:$display "$build/bench/bench_remote" --show 50 >"$work/url" 2>"$out/remote-show.log" &
app=$!
for _ in $(seq 50); do [ -s "$work/url" ] && break; sleep 0.2; done
url=$(head -n1 "$work/url")
case "$url" in http://127.0.0.1:*) ;; *) echo "no loopback address from the driver: $url" >&2; exit 1 ;; esac
sleep 1.5
DISPLAY=:$display import -window root "$out/remote-window-1366x768.png"

page() { # name
  chromium --headless --no-sandbox --disable-gpu --disable-background-networking --disable-component-update \
    --disable-sync --no-first-run --user-data-dir="$work/chromium-$1" --hide-scrollbars \
    --window-size=390,844 --force-device-scale-factor=2 --virtual-time-budget=2500 \
    --screenshot="$out/remote-page-$1.png" "$url" >/dev/null 2>&1
}
page stopped
# The driver starts the next round at half time.
while [ $SECONDS -lt 27 ]; do sleep 1; done
page rolling
wait $app 2>/dev/null || true
app=""
echo "screenshots in $out/: remote-window-1366x768.png remote-page-stopped.png remote-page-rolling.png"
