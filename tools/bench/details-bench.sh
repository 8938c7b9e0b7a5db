#!/usr/bin/env bash
# The details window's opening time under Wine, in the demo world
# (scripts/demo-setup.sh: its BHOs, its lists served on 127.0.0.1): the BHO
# with the most attributes, opened RUNS times (default 20) by
# tools/bench/details-bench.cpp. Goal: under 100 ms.
#
# Usage: tools/bench/details-bench.sh [WIN_BUILD_DIR]   (default: build/win)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${1:-${TARVOLIN_BUILD_ROOT:-$root/build}/win}
# shellcheck source=../../scripts/wine-env.sh
source "$root/scripts/wine-env.sh"
# shellcheck source=../../scripts/demo-setup.sh
source "$root/scripts/demo-setup.sh"

ninja -C "$build" -j"${TARVOLIN_JOBS:-2}" Tarvolin tarvolin_test_dlls details-bench >/dev/null
tv_demo_setup "$build"
cp "$build/tools/details-bench.exe" "$app_dir/"
wine 'C:\Program Files\Tarvolin\details-bench.exe' 'C:\Program Files\Tarvolin' "${RUNS:-20}" 2>/dev/null | tr -d '\r'
