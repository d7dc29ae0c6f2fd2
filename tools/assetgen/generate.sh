#!/usr/bin/env bash
# Regenerates every shipped picture and sound from the generators in this
# folder. Needs Qt 6 (Gui), cmake, ninja, lame and the Noto Sans CJK font.
# Usage: tools/assetgen/generate.sh [build-dir]   (default: build-assets)
set -euo pipefail
repo="$(cd "$(dirname "$0")/../.." && pwd)"
build="${1:-$repo/build-assets}"
cmake -S "$repo" -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target assetgen_pictures assetgen_sounds assetgen_icon

QT_QPA_PLATFORM=offscreen "$build/tools/assetgen/assetgen_pictures" "$repo/assets"
QT_QPA_PLATFORM=offscreen "$build/tools/assetgen/assetgen_icon" "$repo/assets/icons" >/dev/null

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$repo/assets/voice"
"$build/tools/assetgen/assetgen_sounds" "$repo/assets/voice" "$work"
# Joint stereo at 128 kbit/s, constant rate, no tags.
for name in bg result; do
  lame --silent --cbr -b 128 -q 2 -m j --noreplaygain "$work/$name.wav" "$work/$name.mp3"
  mv "$work/$name.mp3" "$repo/assets/voice/$name.mp3"
done
echo "done: assets/builtin, assets/bg, assets/pics, assets/voice, assets/icons"
