#!/bin/sh
# The long kill tests: kills the draw at random moments, most of them in the
# middle of a stop, and checks after each kill that no drawn round is lost or
# recorded twice; then kills list saves and bundle imports, most of them in
# the middle of their renames, and checks after each kill and the start-up's
# completion that the folder holds one save whole.
#
#   scripts/kill-test.sh <build folder> [kills per test, default 500]
#
# Needs sorvix_tests, killdriver and replacedriver built in the build folder.
set -eu

if [ $# -lt 1 ]; then
    echo "usage: $0 <build folder> [kills]" >&2
    exit 2
fi
build=$(cd "$1" && pwd)
kills=${2:-500}
tests="$build/tests/sorvix_tests"
driver="$build/tests/killdriver"
replacedriver="$build/tests/replacedriver"
for f in "$tests" "$driver" "$replacedriver"; do
    if [ ! -x "$f" ]; then
        echo "missing $f: build the targets sorvix_tests, killdriver and replacedriver first" >&2
        exit 2
    fi
done

QT_QPA_PLATFORM=offscreen SORVIX_KILL_COUNT=$kills SORVIX_KILLDRIVER=$driver SORVIX_REPLACEDRIVER=$replacedriver \
    "$tests" --gtest_filter='KillTest.*:ReplaceKillTest.*' --gtest_brief=1
