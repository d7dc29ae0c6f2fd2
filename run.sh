#!/usr/bin/env bash
# Builds the program and starts it on its laid-out program folder (build/program).
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh --target Sorvix
exec build/program/Sorvix "$@"
