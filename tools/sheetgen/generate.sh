#!/usr/bin/env bash
# Regenerates the list template (assets/data/template.xls) and the test
# workbooks (tests/data/sheets). Needs libxlsxwriter and LibreOffice
# (libreoffice-calc-nogui) for the conversion to .xls and .ods.
# Usage: tools/sheetgen/generate.sh [build-dir]   (default: build)
set -euo pipefail
repo="$(cd "$(dirname "$0")/../.." && pwd)"
build="${1:-$repo/build}"
cmake -S "$repo" -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target sheetgen
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export HOME="$work"   # LibreOffice keeps its profile there

"$build/tools/sheetgen/sheetgen" template "$work/template.xlsx"
soffice --headless --convert-to xls:"MS Excel 97" --outdir "$work/xls" "$work/template.xlsx" >/dev/null
mkdir -p "$repo/assets/data"
cp "$work/xls/template.xls" "$repo/assets/data/template.xls"

mkdir -p "$work/samples" "$repo/tests/data/sheets"
"$build/tools/sheetgen/sheetgen" samples "$work/samples"
soffice --headless --convert-to xls:"MS Excel 97" --outdir "$work/samples" \
  "$work/samples/people.xlsx" "$work/samples/emptya1.xlsx" >/dev/null
soffice --headless --convert-to ods --outdir "$work/samples" "$work/samples/people.xlsx" >/dev/null
cp "$work/samples/"*.xlsx "$work/samples/"*.xls "$work/samples/"*.ods "$repo/tests/data/sheets/"
echo "done: assets/data/template.xls, tests/data/sheets"
