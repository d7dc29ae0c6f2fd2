#!/bin/sh
# The long kill test: kills the draw at random moments, most of them in the
# middle of a stop, and checks after each kill that no drawn round is lost or
# recorded twice.
#
#   scripts/kill-test.sh <build folder> [kills, default 500]
#
# Needs sorvix_tests and killdriver built in the build folder.
set -eu

if [ $# -lt 1 ]; then
    echo "usage: $0 <build folder> [kills]" >&2
    exit 2
fi
build=$(cd "$1" && pwd)
kills=${2:-500}
tests="$build/tests/sorvix_tests"
driver="$build/tests/killdriver"
for f in "$tests" "$driver"; do
    if [ ! -x "$f" ]; then
        echo "missing $f: build the targets sorvix_tests and killdriver first" >&2
        exit 2
    fi
done

QT_QPA_PLATFORM=offscreen SORVIX_KILL_COUNT=$kills SORVIX_KILLDRIVER=$driver \
    "$tests" --gtest_filter='KillTest.*' --gtest_brief=1
